#include "startup/ui/frmCreaPwd.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "startup/PasswordChange.h"
#include "widgets/MessageBoxService.h"
#include "widgets/ScreenFit.h"

namespace velantor {

frmCreaPwd::frmCreaPwd(UserRegistry& registry, QWidget* parent) : QDialog(parent), m_registry(registry) {
    setObjectName(QStringLiteral("frmCreaPwd"));
    setWindowTitle(QStringLiteral("Contraseña"));
    buildLayout();
    connect(m_cmdAceptar, &QPushButton::clicked, this, &frmCreaPwd::aceptar);
    connect(m_cmdSalir, &QPushButton::clicked, this, &QDialog::reject);
    fitToScreen(this, sizeHint(), QStringLiteral("ventanas/frmCreaPwd"));
}

void frmCreaPwd::buildLayout() {
    auto* ayuda =
        new QLabel(QStringLiteral("Escriba la nueva contraseña dos veces, igual en las dos casillas.\n"
                                  "Debe tener al menos 6 caracteres."),
                   this);
    ayuda->setObjectName(QStringLiteral("lblAyuda"));

    const std::array<QString, 2> captions{QStringLiteral("&Contraseña"),
                                          QStringLiteral("&Repita la Contraseña")};
    const std::array<QString, 2> names{QStringLiteral("Contraseña"), QStringLiteral("Repita la Contraseña")};
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    for (int index = 0; index < 2; ++index) {
        auto* label = new QLabel(captions.at(size_t(index)), this);
        label->setObjectName(QStringLiteral("lblPwd_%1").arg(index));
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("txtPwd_%1").arg(index));
        field->setEchoMode(QLineEdit::Password);
        field->setAccessibleName(names.at(size_t(index)));
        field->installEventFilter(this);
        label->setBuddy(field);
        fields->addWidget(label, index, 0);
        fields->addWidget(field, index, 1);
        m_txtPwd.at(size_t(index)) = field;
    }
    fields->setColumnStretch(1, 1);

    m_cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    m_cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    m_cmdAceptar->setAccessibleName(QStringLiteral("Aceptar"));
    m_cmdAceptar->setDefault(true);
    m_cmdSalir = new QPushButton(QStringLiteral("&Salir"), this);
    m_cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    m_cmdSalir->setAccessibleName(QStringLiteral("Salir"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdAceptar);
    buttons->addWidget(m_cmdSalir);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(12);
    layout->addWidget(ayuda);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_txtPwd[0], m_txtPwd[1]);
    setTabOrder(m_txtPwd[1], m_cmdAceptar);
    setTabOrder(m_cmdAceptar, m_cmdSalir);
}

void frmCreaPwd::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Every opening starts afresh.
    if (!event->spontaneous()) {
        vaciar();
        m_guardada = false;
    }
}

bool frmCreaPwd::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the first field goes on to the repetition rather than accepting half a pair.
    if (watched == m_txtPwd[0] && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_txtPwd[1]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmCreaPwd::vaciar() {
    m_txtPwd[0]->clear();
    m_txtPwd[1]->clear();
    m_txtPwd[0]->setFocus(Qt::OtherFocusReason);
}

void frmCreaPwd::aceptar() {
    const PasswordChange change =
        acceptNewPassword(m_registry, m_strDNI, m_txtPwd[0]->text(), m_txtPwd[1]->text());
    switch (change.outcome) {
    case PasswordChangeOutcome::Refused:
        messageService().inform(change.message);
        vaciar();
        return;
    case PasswordChangeOutcome::NotSaved:
        messageService().show(
            Message{QStringLiteral("No se ha podido guardar la contraseña. %1\n\nEl registro "
                                   "de usuarios no ha cambiado; puede volver a intentarlo.")
                        .arg(change.message),
                    QStringLiteral("Contraseña"), MessageIcon::Critical, MessageButtons::Ok});
        m_txtPwd[0]->setFocus(Qt::OtherFocusReason);
        return;
    case PasswordChangeOutcome::Stored:
        m_guardada = true;
        accept();
        return;
    }
}

} // namespace velantor
