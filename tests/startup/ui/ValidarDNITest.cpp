#include <QLineEdit>
#include <QPalette>

#include <gtest/gtest.h>

#include "platform/MessageService.h"
#include "startup/ui/ValidarDNI.h"

using namespace velantor;

namespace {

QColor textColour(const QLineEdit& field) {
    return field.palette().color(QPalette::Active, QPalette::Text);
}

} // namespace

TEST(ValidarDNI, ValidNumberIsRewrittenInBlackWithoutMessage) {
    RecordingMessageService messages;
    QLineEdit field;
    field.setText(QStringLiteral("1234567l"));
    EXPECT_TRUE(ValidarDNI(field, messages));
    EXPECT_EQ(field.text(), QStringLiteral("01234567L"));
    EXPECT_EQ(textColour(field), QColor(0, 0, 0));
    EXPECT_EQ(field.palette().color(QPalette::Inactive, QPalette::Text), QColor(0, 0, 0));
    EXPECT_TRUE(messages.empty());
}

TEST(ValidarDNI, InvalidNumberIsPaddedInRedAndReported) {
    RecordingMessageService messages;
    QLineEdit field;
    field.setText(QStringLiteral("1234567y"));
    EXPECT_FALSE(ValidarDNI(field, messages));
    EXPECT_EQ(field.text(), QStringLiteral("01234567y"));
    EXPECT_EQ(textColour(field), QColor(254, 0, 0));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, QStringLiteral("DNI no válido"));
    EXPECT_EQ(messages.last().title, QStringLiteral("Error en DNI"));
    EXPECT_EQ(messages.last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages.last().buttons, MessageButtons::Ok);

    // Corrected afterwards, the same field turns black again.
    field.setText(QStringLiteral("12345678z"));
    EXPECT_TRUE(ValidarDNI(field, messages));
    EXPECT_EQ(field.text(), QStringLiteral("12345678Z"));
    EXPECT_EQ(textColour(field), QColor(0, 0, 0));
    EXPECT_EQ(messages.messages().size(), 1u);
}

TEST(ValidarDNI, EmptyAndOverlongFields) {
    RecordingMessageService messages;
    QLineEdit field;
    EXPECT_FALSE(ValidarDNI(field, messages));
    EXPECT_EQ(field.text(), QStringLiteral("000000000"));
    field.setText(QStringLiteral("12345678zab"));
    EXPECT_FALSE(ValidarDNI(field, messages));
    EXPECT_EQ(field.text(), QStringLiteral("12345678zab"));
    EXPECT_EQ(messages.messages().size(), 2u);
}
