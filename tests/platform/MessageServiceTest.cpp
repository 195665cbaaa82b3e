#include <gtest/gtest.h>

#include "platform/MessageService.h"

using namespace velantor;

TEST(RecordingMessageService, RecordsAndAnswersFromQueue) {
    RecordingMessageService service;
    service.enqueue(MessageAnswer::No);
    EXPECT_EQ(service.ask(QStringLiteral("¿Seguro?"), QStringLiteral("Borrar"), MessageIcon::Question,
                          MessageButtons::YesNo),
              MessageAnswer::No);
    // Queue empty: the first button answers.
    EXPECT_EQ(service.ask(QStringLiteral("¿Otra?"), {}, MessageIcon::Question, MessageButtons::YesNoCancel),
              MessageAnswer::Yes);
    EXPECT_EQ(service.inform(QStringLiteral("Hecho")), MessageAnswer::Ok);
    ASSERT_EQ(service.messages().size(), 3u);
    EXPECT_EQ(service.messages()[0].title, QStringLiteral("Borrar"));
    EXPECT_EQ(service.messages()[0].icon, MessageIcon::Question);
    EXPECT_EQ(defaultMessageTitle(), QStringLiteral("Velantor"));
}
