#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/DocumentName.h"
#include "document/ExistingApplication.h"
#include "platform/MessageService.h"
#include "support/FakeFormView.h"

using namespace velantor;

TEST(DocumentName, IdentityBodyAndGroupFilledToTwentyOneCharacters) {
    EXPECT_EQ(
        documentFileName(QStringLiteral("00000001R"), QStringLiteral("00101"), QStringLiteral("A")).value(),
        QStringLiteral("00000001R_001010A.doc"));
    // Short values are filled on the left; only the group's first character counts.
    EXPECT_EQ(documentFileName(QStringLiteral("1R"), QStringLiteral("X5"), QStringLiteral("B2")).value(),
              QStringLiteral("00000001R____X50B.doc"));
    EXPECT_EQ(documentFileName(QStringLiteral("00000001R"), QStringLiteral("001012"), QString()).value(),
              QStringLiteral("00000001R00101200.doc"));
    // Longer values give their first characters.
    EXPECT_EQ(documentFileName(QStringLiteral("00000001RX"), QStringLiteral("0010199"), QStringLiteral("C"))
                  .value(),
              QStringLiteral("00000001R0010190C.doc"));
}

TEST(DocumentName, ValuesThatWouldLeaveTheFolderAreRefused) {
    const struct {
        const char* dni;
        const char* body;
        const char* group;
        const char* named;
    } cases[] = {
        {"../../etc", "00101", "A", "DNI"},
        {"0000/001R", "00101", "A", "DNI"},
        {"00000001R", "..\\01", "A", "categoría"},
        {"00000001R", "C:0101", "A", "categoría"},
        {"00000001R", "00101", "/", "grupo"},
        {"0000000..", "00101", "A", "DNI"},
        // Each part alone is harmless; together they make "..".
        {"0000001R.", ".00101", "A", "Corrija el DNI o"},
    };
    for (const auto& c : cases) {
        const Result<QString> name =
            documentFileName(QString::fromUtf8(c.dni), QString::fromUtf8(c.body), QString::fromUtf8(c.group));
        ASSERT_FALSE(name) << c.dni << ' ' << c.body;
        EXPECT_EQ(name.error().number, errors::kUnsafeName);
        EXPECT_TRUE(name.error().description.contains(QString::fromUtf8(c.named))) << c.dni << ' ' << c.body;
    }
}

namespace {

struct ExistingFixture : ::testing::Test {
    ExistingFixture() {
        view.setText(u"txtDNI", QStringLiteral("00000001R"));
        view.setText(u"cboCuerpo", QStringLiteral("00101"));
        view.setText(u"cboGrupo", QStringLiteral("A"));
    }
    // As the window puts the question and takes the answer.
    bool check() {
        const std::optional<Message> question = existingApplicationQuestion(view, dir.path());
        if (!question)
            return false;
        answerExistingApplication(view, messages.show(*question), [this] { ++ends; });
        return true;
    }
    void createDocument(const QString& name) {
        QFile file(QDir(dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir dir;
    test::FakeFormView view;
    RecordingMessageService messages;
    int ends = 0;
};

} // namespace

TEST_F(ExistingFixture, NoDocumentOrAnEmptyFieldAnswersFalseWithoutAQuestion) {
    EXPECT_FALSE(check());
    createDocument(QStringLiteral("00000001R_001010A.xml"));
    EXPECT_FALSE(check());
    createDocument(QStringLiteral("00000001R_001010A.doc"));
    for (const char* empty : {"txtDNI", "cboCuerpo", "cboGrupo"}) {
        const QString before = view.text(QString::fromLatin1(empty));
        view.setText(QString::fromLatin1(empty), QString());
        EXPECT_FALSE(check()) << empty;
        view.setText(QString::fromLatin1(empty), before);
    }
    // A body code that cannot name a document names none.
    view.setText(u"cboCuerpo", QStringLiteral("../01"));
    EXPECT_FALSE(check());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(ExistingFixture, AnExistingDocumentAsksAndYesEndsTheProgram) {
    createDocument(QStringLiteral("00000001r_001010a.DOC"));
    messages.enqueue(MessageAnswer::Yes);
    EXPECT_TRUE(check());
    ASSERT_EQ(messages.messages().size(), 1u);
    const Message& asked = messages.last();
    EXPECT_EQ(asked.title, QStringLiteral("Solicitud Existente"));
    EXPECT_EQ(asked.icon, MessageIcon::Critical);
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(
        asked.text.startsWith(QString::fromUtf8("Ya existe una solicitud con estos datos, si continúa")));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(view.text(u"cboCuerpo"), QStringLiteral("00101"));
}

TEST_F(ExistingFixture, NoEmptiesBodyAndGroupForOthers) {
    createDocument(QStringLiteral("00000001R_001010A.doc"));
    messages.enqueue(MessageAnswer::No);
    EXPECT_TRUE(check());
    EXPECT_EQ(view.text(u"cboCuerpo"), QString());
    EXPECT_EQ(view.text(u"cboGrupo"), QString());
    EXPECT_EQ(view.text(u"txtDNI"), QStringLiteral("00000001R"));
    EXPECT_EQ(ends, 0);
}
