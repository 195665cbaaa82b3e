#include "form/ui/frmSolicitudes.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include "form/search/PositionSearch.h"
#include "document/ApplicationLock.h"
#include "document/PrintJob.h"
#include "form/CompletenessChecks.h"
#include "form/CourseDocumentEditor.h"
#include "form/RequestedPositionList.h"
#include "form/ui/FormColumns.h"
#include "form/ui/FormWidgetFactory.h"
#include "form/ui/FormWidgetView.h"
#include "platform/MessageService.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "widgets/ScreenFit.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

constexpr int kPrintTimerMs = 10000;

// The design captions, shown until the configuration replaces them.
const char* const kDesignTabCaptions[] = {"Datos Personales", "Cursos", "Plazas Vacantes", "Plazas Resultas",
                                          "Cursos Realizados"};

} // namespace

frmSolicitudes::frmSolicitudes(catalogues::SearchTables tables, const ApplicationTables& working,
                               ConfiguracionSolicitud configuration, MessageService& messages,
                               QString programFolder, QWidget* parent)
    : QMainWindow(parent), m_tables(std::move(tables)), m_working(working), m_conf(std::move(configuration)),
      m_messages(messages), m_programFolder(std::move(programFolder)),
      m_factory(std::make_unique<FormWidgetFactory>()) {
    setObjectName(QStringLiteral("frmSolicitudes"));
    setWindowTitle(QStringLiteral("Solicitud de Concurso"));
    m_view = std::make_unique<FormWidgetView>(*this);
    m_search = std::make_unique<catalogues::PositionSearch>(*m_view, m_tables);

    for (int tab = 0; tab < 5; ++tab) {
        m_lblGrid[tab] = new QLabel;
        m_lblGrid[tab]->setObjectName(QStringLiteral("lblGrid%1").arg(tab));
        m_lblGrid[tab]->setWordWrap(true);
        QFont font = m_lblGrid[tab]->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.15);
        m_lblGrid[tab]->setFont(font);
        m_factory->add(m_lblGrid[tab]);
    }
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(ctl::name(ctl::tabPrincipal));
    m_tabs->setAccessibleName(QStringLiteral("Apartados de la solicitud"));
    m_factory->add(m_tabs);
    m_tabs->addTab(buildDatosTab(), QString::fromUtf8(kDesignTabCaptions[0]));
    // A tab taller than the screen allows scrolls inside itself; the window stays on the screen.
    m_tabs->addTab(scrolledPage(buildCursosTab()), QString::fromUtf8(kDesignTabCaptions[1]));
    m_tabs->addTab(scrolledPage(buildPositionTab(true)), QString::fromUtf8(kDesignTabCaptions[2]));
    m_tabs->addTab(scrolledPage(buildPositionTab(false)), QString::fromUtf8(kDesignTabCaptions[3]));
    m_tabs->addTab(scrolledPage(buildDocumentosTab()), QString::fromUtf8(kDesignTabCaptions[4]));
    setCentralWidget(m_tabs);
    // Ctrl+PageDown / Ctrl+PageUp (and Ctrl+Tab, Ctrl+Shift+Tab) change the tab wherever the
    // focus is: a scroll area inside a tab would otherwise take the page keys.
    const std::pair<QKeySequence, int> tabKeys[] = {{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                                    {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& [keys, step] : tabKeys) {
        auto* shortcut = new QShortcut(keys, m_tabs, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            const int count = m_tabs->count();
            for (int i = 1; i < count; ++i) {
                const int next = (m_tabs->currentIndex() + step * i + count) % count;
                if (m_tabs->isTabVisible(next) && m_tabs->isTabEnabled(next)) {
                    m_tabs->setCurrentIndex(next);
                    return;
                }
            }
        });
    }

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kPrintTimerMs);
    connect(m_timer1, &QTimer::timeout, this, &frmSolicitudes::onPrintTimer);

    buildMenu();
    setTabOrder0();
    setListTabOrder();

    // Load sequence: configuration, lists, grids, editors, initial states.
    applyConfiguration();
    wireSearch();
    bindGrids();
    wireEditors();
    wireRequestedLists();
    wireEntryRules();
    setInitialStates();
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmSolicitudes::onTabChanged);
    fitToScreen(this, QSize(1320, 900), QStringLiteral("ventanas/frmSolicitudes"));
}

frmSolicitudes::~frmSolicitudes() = default;

QWidget* frmSolicitudes::control(QStringView name) const {
    return m_factory->find(name);
}
DataCombo* frmSolicitudes::combo(QStringView name) const {
    return controlAs<DataCombo>(name);
}
DataGrid* frmSolicitudes::grid(QStringView name) const {
    return controlAs<DataGrid>(name);
}
QLineEdit* frmSolicitudes::lineEdit(QStringView name) const {
    return controlAs<QLineEdit>(name);
}
FormView& frmSolicitudes::view() {
    return *m_view;
}
const FormView& frmSolicitudes::view() const {
    return *m_view;
}

void frmSolicitudes::applyConfiguration() {
    for (int tab = 0; tab < 5; ++tab) {
        const TabConfig& config = m_conf.tabs.at(tab);
        m_tabs->setTabText(tab, config.tituloTab);
        m_lblGrid[tab]->setText(config.tituloSobreGrid);
        m_lblGrid[tab]->setVisible(!config.tituloSobreGrid.isEmpty());
        m_tabs->setTabVisible(tab, config.visible());
    }
    setWindowTitle(m_conf.caption());
}

void frmSolicitudes::bindGrids() {
    grid(ctl::grdCursos)->bind(m_working.cursos, cursosColumns());
    grid(ctl::grdResultas)->bind(m_working.resultas, positionGridColumns(false));
    grid(ctl::grdVacantes)->bind(m_working.vacantes, positionGridColumns(true));
    grid(ctl::grdDocumentos)->bind(m_working.documentos, documentosColumns());
}

void frmSolicitudes::setInitialStates() {
    setDocumentCommandsEnabled(false);
    m_menu.value(CargarOtra)->setVisible(false);
    m_menu.value(CambiarPwd)->setVisible(m_userHasPassword);
    // Fields that only apply after an answer start hidden; the spouse condition shows.
    for (const char* name : {"fraDNIConyuge", "lblTipoDis", "txtTipoDisc", "lblAdap", "txtAdaptaciones",
                             "txtSS", "Frame7", "Frame3", "fraDefTemp", "txtFecPosesion", "lblPosesion",
                             "cboSituaciones", "lblSituacion", "txtSitAdm", "txtFechaSit", "lblFechaSit"})
        m_view->setVisible(QString::fromLatin1(name), false);
    m_view->setVisible(ctl::fraAcopPetConyu, true);
    lineEdit(ctl::txtDNI)->setMaxLength(32767);
    static_cast<QLabel*>(control(ctl::lblPlazas))->setText(QString::fromUtf8("Códigos Localizados: 0"));
}

void frmSolicitudes::setUserHasPassword(bool hasPassword) {
    m_userHasPassword = hasPassword;
    m_menu.value(CambiarPwd)->setVisible(hasPassword);
}

void frmSolicitudes::setDocumentCommandsEnabled(bool enabled) {
    // A print under way keeps them disabled until it has ended (endPrint), whatever the
    // user does meanwhile: a second save or print would act on the document being printed.
    if (enabled && m_timer1->isActive())
        return;
    for (int index : {int(Imprimir), int(Guardar), int(CargarOtra)})
        m_menu.value(index)->setEnabled(enabled);
}

void frmSolicitudes::setSearchListsEnabled(bool enabled) {
    m_search->setSearchListsEnabled(enabled);
}

void frmSolicitudes::setExistingApplicationCheck(std::function<bool()> check) {
    m_existingCheck = check;
    m_search->setExistingApplicationCheck(std::move(check));
}

bool frmSolicitudes::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        onActivated();
    return QMainWindow::event(event);
}

void frmSolicitudes::onActivated() {
    m_search->applyActivationRule();
}

void frmSolicitudes::onTabChanged(int index) {
    if (m_returningToFirstTab)
        return;
    if (!tabGuardAllows(*m_view, m_messages, index)) {
        m_returningToFirstTab = true;
        m_tabs->setCurrentIndex(0);
        m_returningToFirstTab = false;
        return;
    }
    setDocumentCommandsEnabled(true);
}

void frmSolicitudes::startPrintTimer(PrintJob* job) {
    setDocumentCommandsEnabled(false);
    // Started again without a job (the save sequence does so after every print), the
    // timer keeps waiting for the job it was given.
    if (job && job != m_printJob) {
        if (m_printJob)
            m_printJob->disconnect(this);
        m_printJob = job;
        connect(job, &PrintJob::finished, this, [this] {
            if (m_printTimerFired)
                endPrint();
        });
    }
    m_printTimerFired = false;
    m_timer1->start();
}

void frmSolicitudes::onPrintTimer() {
    m_printTimerFired = true;
    // The print is still being made or sent: it ends when the job says so. The timer
    // keeps running, so closing stays refused meanwhile.
    if (m_printJob && m_printJob->isRunning())
        return;
    endPrint();
}

void frmSolicitudes::endPrint() {
    m_timer1->stop();
    if (m_printJob)
        m_printJob->disconnect(this);
    m_printJob = nullptr;
    m_printTimerFired = false;
    emit printTimerElapsed();
    setDocumentCommandsEnabled(true);
}

} // namespace velantor
