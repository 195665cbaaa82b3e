#include <functional>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "widgets/MessageBoxService.h"

using namespace velantor;

namespace {

// Acts on the message box once it is on screen, so that show() returns.
void whenShown(std::function<void(QMessageBox*)> act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box)
            act(box);
        else
            whenShown(act);
    });
}

void pressWhenShown(QMessageBox::StandardButton button) {
    whenShown([button](QMessageBox* box) { box->button(button)->click(); });
}

void escapeWhenShown() {
    whenShown([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
}

} // namespace

TEST(MessageBoxService, BoxShowsTextTitleIconAndButtons) {
    const auto box = MessageBoxService::createBox(
        Message{QStringLiteral("DNI no válido"), QStringLiteral("Error en DNI"), MessageIcon::Exclamation});
    EXPECT_EQ(box->text(), QStringLiteral("DNI no válido"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Error en DNI"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));

    const auto untitled = MessageBoxService::createBox(
        Message{QStringLiteral("¿Guardar?"), QString(), MessageIcon::Question, MessageButtons::YesNoCancel});
    EXPECT_EQ(untitled->windowTitle(), defaultMessageTitle());
    EXPECT_EQ(untitled->icon(), QMessageBox::Question);
    EXPECT_EQ(untitled->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(untitled->defaultButton(), untitled->button(QMessageBox::Yes));

    const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {
        {MessageIcon::None, QMessageBox::NoIcon},
        {MessageIcon::Information, QMessageBox::Information},
        {MessageIcon::Warning, QMessageBox::Warning},
        {MessageIcon::Critical, QMessageBox::Critical},
        {MessageIcon::Exclamation, QMessageBox::Warning},
    };
    for (const auto& [icon, expected] : icons)
        EXPECT_EQ(MessageBoxService::createBox(Message{QStringLiteral("x"), {}, icon})->icon(), expected);
    EXPECT_EQ(MessageBoxService::createBox(
                  Message{QStringLiteral("x"), {}, MessageIcon::None, MessageButtons::OkCancel})
                  ->standardButtons(),
              QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(MessageBoxService::createBox(
                  Message{QStringLiteral("x"), {}, MessageIcon::None, MessageButtons::YesNo})
                  ->standardButtons(),
              QMessageBox::Yes | QMessageBox::No);
}

TEST(MessageBoxService, PressedButtonIsTheAnswer) {
    MessageBoxService service;
    pressWhenShown(QMessageBox::No);
    EXPECT_EQ(service.ask(QStringLiteral("¿Salir?"), {}, MessageIcon::Question, MessageButtons::YesNoCancel),
              MessageAnswer::No);
    pressWhenShown(QMessageBox::Cancel);
    EXPECT_EQ(service.ask(QStringLiteral("¿Imprimir?"), {}, MessageIcon::None, MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    pressWhenShown(QMessageBox::Ok);
    EXPECT_EQ(service.inform(QStringLiteral("Hecho")), MessageAnswer::Ok);
    // Escape: No for a yes/no question, Cancel when there is a Cancel button.
    escapeWhenShown();
    EXPECT_EQ(service.ask(QStringLiteral("¿Borrar?"), {}, MessageIcon::Question, MessageButtons::YesNo),
              MessageAnswer::No);
    escapeWhenShown();
    EXPECT_EQ(service.ask(QStringLiteral("¿Salir?"), {}, MessageIcon::Question, MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    // Closed without a button: Ok for a plain notice, No or Cancel for a question.
    EXPECT_EQ(MessageBoxService::answerOf(QMessageBox::NoButton, MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(MessageBoxService::answerOf(QMessageBox::NoButton, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(MessageBoxService::answerOf(QMessageBox::NoButton, MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
}

TEST(MessageBoxService, InstalledServiceReplacesTheBoxes) {
    EXPECT_NE(dynamic_cast<MessageBoxService*>(&messageService()), nullptr);
    RecordingMessageService recording;
    setMessageService(&recording);
    messageService().inform(QStringLiteral("Grabado"));
    setMessageService(nullptr);
    ASSERT_EQ(recording.messages().size(), 1u);
    EXPECT_EQ(recording.last().text, QStringLiteral("Grabado"));
    EXPECT_NE(dynamic_cast<MessageBoxService*>(&messageService()), nullptr);
}
