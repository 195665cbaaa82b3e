#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/MessageService.h"
#include "widgets/MessageBoxService.h"

// Window tests of the start-up windows: every message goes to a recording service that
// answers from its queue, and windows are shown and activated so that focus changes
// happen as they do for a user.
class StartupWindowTest : public ::testing::Test {
protected:
    void SetUp() override { velantor::setMessageService(&m_messages); }
    void TearDown() override { velantor::setMessageService(nullptr); }

    static void showActive(QWidget& window) {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Lets the checks that wait for the focus to settle run.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    // The texts of the messages shown so far.
    QStringList messageTexts() const {
        QStringList texts;
        for (const velantor::Message& m : m_messages.messages())
            texts << m.text;
        return texts;
    }

    velantor::RecordingMessageService m_messages;
};
