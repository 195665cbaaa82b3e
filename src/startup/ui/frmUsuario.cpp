#include "startup/ui/frmUsuario.h"

#include <algorithm>

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "Version.h"
#include "platform/MessageService.h"
#include "startup/RunValues.h"
#include "startup/UserRegistry.h"
#include "widgets/MessageBoxService.h"
#include "startup/ui/ValidarDNI.h"
#include "widgets/ScreenFit.h"

namespace velantor {
namespace {

// Typed in identity numbers out of habit ("12.345.678-Z"); the field drops them.
bool droppedFromDni(QChar c) {
    return c == u',' || c == u'-' || c == u'.';
}

QString withoutDropped(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (!droppedFromDni(c))
            kept.append(c);
    }
    return kept;
}

constexpr int kDniLength = 9;

} // namespace

frmUsuario::frmUsuario(UserRegistry& registry, const QString& registryPath, RunValues& run, QWidget* parent)
    : QDialog(parent), m_registry(registry), m_run(run) {
    setObjectName(QStringLiteral("frmUsuario"));
    setWindowTitle(QStringLiteral("Validación de usuario"));
    buildLayout();

    m_registroCargado = m_registry.CargarUsuarios(registryPath);

    m_txtDNI->installEventFilter(this);
    connect(m_txtDNI, &QLineEdit::textEdited, this, &frmUsuario::dniEditado);
    connect(m_cmdAceptarDNI, &QPushButton::clicked, this, &frmUsuario::aceptarDNI);
    connect(m_cmdAceptarPwd, &QPushButton::clicked, this, &frmUsuario::aceptarPwd);
    connect(m_cmdSalir, &QPushButton::clicked, this, &QDialog::reject);
    fitToScreen(this, sizeHint(), QStringLiteral("ventanas/frmUsuario"));
}

void frmUsuario::buildLayout() {
    auto* titulo = new QLabel(QString::fromLatin1(kProgramName), this);
    titulo->setObjectName(QStringLiteral("lblTitulo"));
    QFont font = titulo->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    titulo->setFont(font);
    m_lblAyuda = new QLabel(QStringLiteral("Escriba su NIF: las ocho cifras y la letra."), this);
    m_lblAyuda->setObjectName(QStringLiteral("lblAyuda"));
    m_lblAyuda->setWordWrap(true);
    m_lblAyuda->setMinimumWidth(m_lblAyuda->fontMetrics().averageCharWidth() * 50);

    m_lblDNI = new QLabel(QStringLiteral("&NIF"), this);
    m_lblDNI->setObjectName(QStringLiteral("lblDNI"));
    m_txtDNI = new QLineEdit(this);
    m_txtDNI->setObjectName(QStringLiteral("txtDNI"));
    m_txtDNI->setAccessibleName(QStringLiteral("NIF"));
    m_txtDNI->setAccessibleDescription(QStringLiteral("Número de identificación: ocho cifras y la letra"));
    m_txtDNI->setMinimumWidth(m_txtDNI->fontMetrics().horizontalAdvance(QStringLiteral("00000000W")) * 2);
    m_lblDNI->setBuddy(m_txtDNI);
    m_cmdAceptarDNI = new QPushButton(QStringLiteral("&Aceptar"), this);
    m_cmdAceptarDNI->setObjectName(QStringLiteral("cmdAceptarDNI"));
    m_cmdAceptarDNI->setAccessibleName(QStringLiteral("Aceptar NIF"));

    m_lblPwd = new QLabel(QStringLiteral("&Contraseña"), this);
    m_lblPwd->setObjectName(QStringLiteral("lblPwd"));
    m_txtPwd = new QLineEdit(this);
    m_txtPwd->setObjectName(QStringLiteral("txtPwd"));
    m_txtPwd->setEchoMode(QLineEdit::Password);
    m_txtPwd->setAccessibleName(QStringLiteral("Contraseña"));
    m_lblPwd->setBuddy(m_txtPwd);
    m_cmdAceptarPwd = new QPushButton(QStringLiteral("&Aceptar"), this);
    m_cmdAceptarPwd->setObjectName(QStringLiteral("cmdAceptarPwd"));
    m_cmdAceptarPwd->setAccessibleName(QStringLiteral("Aceptar contraseña"));

    m_cmdSalir = new QPushButton(QStringLiteral("&Salir"), this);
    m_cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    m_cmdSalir->setAccessibleName(QStringLiteral("Salir"));

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    fields->addWidget(m_lblDNI, 0, 0);
    fields->addWidget(m_txtDNI, 0, 1);
    fields->addWidget(m_cmdAceptarDNI, 0, 2);
    fields->addWidget(m_lblPwd, 1, 0);
    fields->addWidget(m_txtPwd, 1, 1);
    fields->addWidget(m_cmdAceptarPwd, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdSalir);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(12);
    layout->addWidget(titulo);
    layout->addSpacing(-6);
    layout->addWidget(m_lblAyuda);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_lblPwd->hide();
    m_txtPwd->hide();
    m_cmdAceptarPwd->hide();
    m_cmdAceptarDNI->setDefault(true);

    setTabOrder(m_txtDNI, m_cmdAceptarDNI);
    setTabOrder(m_cmdAceptarDNI, m_txtPwd);
    setTabOrder(m_txtPwd, m_cmdAceptarPwd);
    setTabOrder(m_cmdAceptarPwd, m_cmdSalir);
}

void frmUsuario::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_registroCargado) {
        // Nothing can be checked without the registry: the run ends here.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    if (!m_pasoContrasena)
        m_txtDNI->setFocus(Qt::OtherFocusReason);
}

void frmUsuario::done(int result) {
    m_closing = true;
    QDialog::done(result);
}

bool frmUsuario::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_txtDNI)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().size() == 1 && droppedFromDni(key->text().at(0)))
            return true;
        break;
    }
    case QEvent::FocusIn:
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, m_txtDNI, [this] {
            if (m_txtDNI->hasFocus())
                m_txtDNI->selectAll();
        });
        break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box or another window taking over is not leaving the field; the
        // check runs once the focus has settled where the user sent it.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, &frmUsuario::dniAbandonado);
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmUsuario::dniEditado(const QString& text) {
    const QString kept = withoutDropped(text); // a pasted "12.345.678-Z"
    if (kept != text) {
        const int cursor = m_txtDNI->cursorPosition() - int(text.size() - kept.size());
        m_txtDNI->setText(kept);
        m_txtDNI->setCursorPosition(std::max(0, cursor));
    }
    if (kept.size() == kDniLength && m_txtDNI->hasFocus())
        focusNextChild();
}

void frmUsuario::dniAbandonado() {
    if (m_closing || !isVisible() || !m_txtDNI->isEnabled() || m_txtDNI->hasFocus())
        return;
    // Leaving for "Salir" must not hold the user in the field.
    if (QApplication::focusWidget() == m_cmdSalir)
        return;
    if (!ValidarDNI(*m_txtDNI, messageService())) {
        m_txtDNI->clear();
        m_txtDNI->setFocus(Qt::OtherFocusReason);
    }
}

void frmUsuario::showMessage(const QString& text) {
    messageService().show(
        Message{text, QString::fromLatin1(kProgramName), MessageIcon::Exclamation, MessageButtons::Ok});
}

void frmUsuario::aceptarDNI() {
    if (m_txtDNI->text().isEmpty() || m_pasoContrasena)
        return;
    m_txtDNI->setText(m_txtDNI->text().toUpper());
    if (!ValidarDNI(*m_txtDNI, messageService())) {
        showMessage(QStringLiteral("El DNI introducido no es válido"));
        m_txtDNI->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString dni = m_txtDNI->text();
    if (m_registry.ExisteUsuario(dni)) {
        m_run.UsuarioConPwd = true;
        mostrarPasoContrasena();
        return;
    }
    m_run.DNIUsuario = dni;
    m_run.UsuarioConPwd = false;
    m_run.UsuarioValidado = true;
    accept();
}

void frmUsuario::mostrarPasoContrasena() {
    m_pasoContrasena = true;
    m_lblAyuda->setText(QStringLiteral("Este NIF tiene contraseña. Escríbala para entrar."));
    m_lblPwd->show();
    m_txtPwd->show();
    m_cmdAceptarPwd->show();
    m_cmdAceptarDNI->setDefault(false);
    m_cmdAceptarPwd->setDefault(true);
    m_txtPwd->setFocus(Qt::OtherFocusReason);
    // The number is settled: neither it nor its button take part any more.
    m_txtDNI->setEnabled(false);
    m_cmdAceptarDNI->setEnabled(false);
}

void frmUsuario::aceptarPwd() {
    if (m_txtPwd->text().isEmpty() || m_txtDNI->text().isEmpty()) {
        showMessage(QStringLiteral("Es obligatorio rellenar Usuario y Password"));
        m_txtPwd->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_registry.ComprobarUsuario(m_txtDNI->text().toUpper(), m_txtPwd->text().toUpper())) {
        m_run.DNIUsuario = m_txtDNI->text();
        m_run.UsuarioValidado = true;
        accept();
        return;
    }
    showMessage(QStringLiteral("Usuario no válido"));
    // The password stays, selected, so that it can be typed again at once.
    m_txtPwd->setFocus(Qt::OtherFocusReason);
    m_txtPwd->selectAll();
}

} // namespace velantor
