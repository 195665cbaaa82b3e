#pragma once

#include <memory>

#include <QMessageBox>

#include "platform/MessageService.h"

class QWidget;

namespace velantor {

// The program's message service: each message is a modal message box over the active
// window, and the button pressed is the answer.
class MessageBoxService : public MessageService {
public:
    MessageAnswer show(const Message& message) override;

    // The box a message is shown in (not yet shown), and the answer a pressed button gives.
    static std::unique_ptr<QMessageBox> createBox(const Message& message, QWidget* parent = nullptr);
    static MessageAnswer answerOf(QMessageBox::StandardButton button, MessageButtons buttons);
};

// The service the windows use. The program starts with a MessageBoxService; tests
// install a recording one. Passing nullptr restores the message boxes.
MessageService& messageService();
void setMessageService(MessageService* service);

} // namespace velantor
