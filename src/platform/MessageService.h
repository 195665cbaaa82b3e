#pragma once

#include <deque>
#include <vector>

#include <QString>

namespace velantor {

enum class MessageIcon { None, Information, Exclamation, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct Message {
    QString text;
    QString title; // empty: the program's default title
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Every message box of the program goes through this interface, so that tests can
// read each message and answer it. The window layer installs one that shows a box.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer show(const Message& message) = 0;

    MessageAnswer inform(const QString& text, const QString& title = {}, MessageIcon icon = MessageIcon::None) {
        return show(Message{text, title, icon, MessageButtons::Ok});
    }
    MessageAnswer ask(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons) {
        return show(Message{text, title, icon, buttons});
    }
};

// The title a box shows when its message names none.
QString defaultMessageTitle();

// Records every message and answers from a queue; when the queue is empty it gives the
// first button's answer (Ok, or Yes). Used by tests and by the command-line tool.
class RecordingMessageService : public MessageService {
public:
    MessageAnswer show(const Message& message) override;

    void enqueue(MessageAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Message>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }
    bool empty() const { return m_messages.empty(); }
    const Message& last() const { return m_messages.back(); }

private:
    std::vector<Message> m_messages;
    std::deque<MessageAnswer> m_answers;
};

} // namespace velantor
