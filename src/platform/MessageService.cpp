#include "platform/MessageService.h"

#include "Version.h"

namespace velantor {

QString defaultMessageTitle() { return QString::fromLatin1(kProgramName); }

MessageAnswer RecordingMessageService::show(const Message& message) {
    m_messages.push_back(message);
    if (!m_answers.empty()) {
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (message.buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    }
    return MessageAnswer::Ok;
}

} // namespace velantor
