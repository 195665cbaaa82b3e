#include "widgets/MessageBoxService.h"

#include <QApplication>

namespace velantor {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageService* installedService = nullptr;

} // namespace

std::unique_ptr<QMessageBox> MessageBoxService::createBox(const Message& message, QWidget* parent) {
    const QString title = message.title.isEmpty() ? defaultMessageTitle() : message.title;
    auto box = std::make_unique<QMessageBox>(boxIcon(message.icon), title, message.text,
                                             boxButtons(message.buttons), parent);
    // The first button is the default one, as the answer to Enter.
    box->setDefaultButton(message.buttons == MessageButtons::Ok || message.buttons == MessageButtons::OkCancel
                              ? QMessageBox::Ok
                              : QMessageBox::Yes);
    return box;
}

MessageAnswer MessageBoxService::answerOf(QMessageBox::StandardButton button, MessageButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        break;
    }
    // Closed without a button (Escape or the window's close box): the box's way out.
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

MessageAnswer MessageBoxService::show(const Message& message) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    const std::unique_ptr<QMessageBox> box = createBox(message, parent);
    box->exec();
    return answerOf(box->standardButton(box->clickedButton()), message.buttons);
}

MessageService& messageService() {
    static MessageBoxService boxes;
    return installedService ? *installedService : boxes;
}

void setMessageService(MessageService* service) {
    installedService = service;
}

} // namespace velantor
