#include "catalogues/ui/frmProgreso.h"
#include "widgets/ScreenFit.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace velantor::catalogues {
namespace {

int toBarUnits(double value) {
    return int(std::lround(std::clamp(value, 0.0, double(std::numeric_limits<int>::max()))));
}

} // namespace

frmProgreso::frmProgreso(ProgramRun& run, MessageService& messages, QWidget* parent)
    : QDialog(parent), m_run(run), m_messages(messages), m_lblTitulo(new QLabel(this)),
      m_label1(new QLabel(QStringLiteral("Cargando información ..."), this)), m_prg(new QProgressBar(this)),
      m_cmdContinuar(new QPushButton(QStringLiteral("Continuar"), this)) {
    setObjectName(QStringLiteral("frmProgreso"));
    setWindowTitle(QStringLiteral("Cargando"));
    setModal(true);

    m_lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
    m_lblTitulo->setAccessibleName(QStringLiteral("Aviso de la convocatoria"));
    m_lblTitulo->setTextFormat(Qt::PlainText);
    m_lblTitulo->setWordWrap(true);
    m_lblTitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAccessibleName(QStringLiteral("Estado de la carga"));

    m_prg->setObjectName(QStringLiteral("prg"));
    m_prg->setAccessibleName(QStringLiteral("Progreso de la carga de catálogos"));
    m_prg->setTextVisible(false);
    m_prg->setRange(0, 1);
    m_prg->setValue(0);

    m_cmdContinuar->setObjectName(QStringLiteral("cmdContinuar"));
    m_cmdContinuar->setAccessibleName(QStringLiteral("Continuar"));
    m_cmdContinuar->setEnabled(false);
    m_cmdContinuar->setDefault(true);
    connect(m_cmdContinuar, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdContinuar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitulo, 1);
    layout->addWidget(m_label1);
    layout->addWidget(m_prg);
    layout->addLayout(buttons);
    fitToScreen(this, QSize(520, 240).expandedTo(sizeHint()), QStringLiteral("ventanas/frmProgreso"));
}

void frmProgreso::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    // Load once the window is up, so that it is seen while it fills.
    QMetaObject::invokeMethod(this, &frmProgreso::cargar, Qt::QueuedConnection);
}

void frmProgreso::closeEvent(QCloseEvent* event) {
    if (!m_cargaTerminada) {
        event->ignore();
        return;
    }
    event->accept();
    accept();
}

void frmProgreso::reject() {
    // Escape and the close box end here: refused until the catalogues are loaded.
    if (m_cargaTerminada)
        accept();
}

void frmProgreso::showProgress(double value, double maximum) {
    m_prg->setMaximum(std::max(1, toBarUnits(maximum)));
    m_prg->setValue(std::min(toBarUnits(value), m_prg->maximum()));
}

void frmProgreso::cargar() {
    m_loading = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    double lastMaximum = 0;
    LoadingCallbacks callbacks;
    callbacks.progressChanged = [this, &lastMaximum](double value, double maximum) {
        lastMaximum = maximum;
        showProgress(value, maximum);
    };
    callbacks.titleRead = [this](const QString& text) {
        QString shown = text;
        m_lblTitulo->setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    };
    callbacks.captionSet = [this](const QString& caption) { setWindowTitle(caption); };
    callbacks.repaint = [this] { repaint(); };
    callbacks.letPendingEventsRun = [] { QCoreApplication::processEvents(); };
    const auto loaded = m_run.loadCatalogues(m_messages, std::move(callbacks));
    QApplication::restoreOverrideCursor();
    m_loading = false;
    if (!loaded) {
        m_failure = loaded.error();
        m_outcome = loaded.error().kind == LoadingFailureKind::Positions ? Outcome::PositionsFailed
                                                                         : Outcome::StepFailed;
        m_messages.show(Message{loaded.error().message(), {}, MessageIcon::None, MessageButtons::Ok});
        done(QDialog::Rejected);
        return;
    }
    m_cargaTerminada = true;
    m_outcome = Outcome::Loaded;
    showProgress(lastMaximum, lastMaximum);
    m_cmdContinuar->setEnabled(true);
    m_cmdContinuar->setFocus();
}

} // namespace velantor::catalogues
