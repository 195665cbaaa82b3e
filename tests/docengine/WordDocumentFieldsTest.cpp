#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "docengine/WordDocument.h"
#include "docengine/WordDocumentFixture.h"

using namespace velantor;

namespace {

class WordDocumentFields : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        Result<WordDocument> opened = WordDocument::open(test::writeSmallTemplate(m_dir.path()));
        ASSERT_TRUE(opened.has_value()) << opened.error().description.toStdString();
        m_doc.emplace(std::move(*opened));
    }
    WordDocument& doc() { return *m_doc; }

    QTemporaryDir m_dir;
    std::optional<WordDocument> m_doc;
};

} // namespace

TEST_F(WordDocumentFields, ReadsTextFieldsWithPlaceholderAndResultOverParagraphs) {
    EXPECT_EQ(doc().formFieldNames(), (QStringList{QStringLiteral("NOMBRE"), QStringLiteral("DOMICILIO"),
                                                   QStringLiteral("SEACOMPAÑAPETICIONSI"),
                                                   QStringLiteral("ACTIVO"), QStringLiteral("OTRAS")}));
    // The en spaces of an empty field are no text.
    EXPECT_EQ(doc().fieldText(QStringLiteral("NOMBRE")).value(), QString());
    EXPECT_EQ(doc().fieldText(QStringLiteral("DOMICILIO")).value(),
              QStringLiteral("Calle Mayor 1\n2º izquierda"));
}

TEST_F(WordDocumentFields, WritesTextFieldsKeepingTheFieldAndItsFormatting) {
    ASSERT_TRUE(doc().setFieldText(QStringLiteral("nombre"), QStringLiteral("José Ñúñez & <Hijos>")));
    EXPECT_EQ(doc().fieldText(QStringLiteral("NOMBRE")).value(), QStringLiteral("José Ñúñez & <Hijos>"));
    ASSERT_TRUE(doc().setFieldText(QStringLiteral("NOMBRE"), QStringLiteral("Ana")));
    EXPECT_EQ(doc().fieldText(QStringLiteral("NOMBRE")).value(), QStringLiteral("Ana"));
    // The result run takes the field's bold, and the field characters stay in place.
    const QByteArray xml = doc().part(QStringLiteral("word/document.xml"));
    EXPECT_TRUE(
        xml.contains("<w:r><w:rPr><w:b/></w:rPr><w:t>Ana</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/>"))
        << xml.toStdString();

    // A result spread over two paragraphs becomes one; the text after the field stays.
    ASSERT_TRUE(doc().setFieldText(QStringLiteral("DOMICILIO"), QStringLiteral("Plaza 3\r\nBajo\tB")));
    EXPECT_EQ(doc().fieldText(QStringLiteral("DOMICILIO")).value(), QStringLiteral("Plaza 3\nBajo\tB"));
    EXPECT_TRUE(doc().text().contains(QStringLiteral("Plaza 3\nBajo\tB (fin)")));
    ASSERT_TRUE(doc().setFieldText(QStringLiteral("DOMICILIO"), QString()));
    EXPECT_EQ(doc().fieldText(QStringLiteral("DOMICILIO")).value(), QString());
}

TEST_F(WordDocumentFields, ReadsAndMarksCheckBoxes) {
    EXPECT_FALSE(doc().isChecked(QStringLiteral("SEACOMPAÑAPETICIONSI")).value());
    EXPECT_TRUE(doc().isChecked(QStringLiteral("ACTIVO")).value()); // default without a value
    EXPECT_FALSE(doc().isChecked(QStringLiteral("OTRAS")).value()); // "checked" wins over the default

    ASSERT_TRUE(doc().setChecked(QStringLiteral("seacompañapeticionsi"), true));
    ASSERT_TRUE(doc().setChecked(QStringLiteral("ACTIVO"), false));
    ASSERT_TRUE(doc().setChecked(QStringLiteral("OTRAS"), true));
    EXPECT_TRUE(doc().isChecked(QStringLiteral("SEACOMPAÑAPETICIONSI")).value());
    EXPECT_FALSE(doc().isChecked(QStringLiteral("ACTIVO")).value());
    EXPECT_TRUE(doc().isChecked(QStringLiteral("OTRAS")).value());
    // "checked" follows "default" inside the check box, as the schema orders them.
    const QByteArray xml = doc().part(QStringLiteral("word/document.xml"));
    EXPECT_TRUE(xml.contains("<w:default w:val=\"0\"/><w:checked w:val=\"1\"/>")) << xml.toStdString();
}

TEST_F(WordDocumentFields, MissingFieldIsErrorNumber5941AndWrongKindIsAnotherError) {
    for (const auto& result : {doc().fieldText(QStringLiteral("NOEXISTE")).error(),
                               doc().setFieldText(QStringLiteral("NOEXISTE"), QStringLiteral("x")).error(),
                               doc().setChecked(QStringLiteral("NOEXISTE"), true).error()}) {
        EXPECT_EQ(result.number, errors::kMissingFormField);
        EXPECT_TRUE(result.description.contains(QStringLiteral("NOEXISTE")));
    }
    EXPECT_EQ(doc().isChecked(QStringLiteral("NOEXISTE")).error().number, 5941);
    EXPECT_EQ(doc().isChecked(QStringLiteral("NOMBRE")).error().number, errors::kInvalidProcedureCall);
    EXPECT_EQ(doc().setFieldText(QStringLiteral("ACTIVO"), QStringLiteral("x")).error().number,
              errors::kInvalidProcedureCall);
}

TEST_F(WordDocumentFields, TypingAtABookmarkReplacesWhatItHolds) {
    EXPECT_TRUE(doc().bookmarkNames().contains(QStringLiteral("DNICAB")));
    ASSERT_TRUE(doc().typeAtBookmark(QStringLiteral("DNICAB"), QStringLiteral("12345678Z")));
    EXPECT_EQ(doc().bookmarkText(QStringLiteral("DNICAB")).value(), QStringLiteral("12345678Z"));
    ASSERT_TRUE(doc().typeAtBookmark(QStringLiteral("dnicab"), QStringLiteral("87654321X")));
    EXPECT_EQ(doc().bookmarkText(QStringLiteral("DNICAB")).value(), QStringLiteral("87654321X"));
    EXPECT_TRUE(doc().text().startsWith(QStringLiteral("Cabecera: 87654321X\n")));

    ASSERT_TRUE(doc().typeAtBookmark(QStringLiteral("BORRADOR"), QString()));
    EXPECT_EQ(doc().bookmarkText(QStringLiteral("BORRADOR")).value(), QString());
    EXPECT_FALSE(doc().text().contains(QStringLiteral("antiguo")));

    const Error missing = doc().typeAtBookmark(QStringLiteral("FECHAIMPR"), QStringLiteral("x")).error();
    EXPECT_EQ(missing.number, errors::kInvalidProcedureCall);
    EXPECT_TRUE(missing.description.contains(QStringLiteral("FECHAIMPR")));
}

TEST_F(WordDocumentFields, TextThatXmlCannotCarryIsLeftOut) {
    ASSERT_TRUE(doc().setFieldText(QStringLiteral("NOMBRE"), QStringLiteral("A\x01"
                                                                            "B\x1f"
                                                                            "C")));
    EXPECT_EQ(doc().fieldText(QStringLiteral("NOMBRE")).value(), QStringLiteral("ABC"));
}

TEST(WordDocumentOpen, ReportsMissingAndDamagedFilesAndGivesTheVersion) {
    QTemporaryDir dir;
    EXPECT_EQ(WordDocument::open(dir.filePath(QStringLiteral("no.dot"))).error().number,
              errors::kFileNotFound);

    QFile text(dir.filePath(QStringLiteral("texto.doc")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("esto no es un documento");
    text.close();
    const Error notZip = WordDocument::open(text.fileName()).error();
    EXPECT_EQ(notZip.number, errors::kMalformedXml);
    EXPECT_TRUE(notZip.description.contains(text.fileName()));

    const QString broken = test::writeSmallTemplate(dir.path(), QStringLiteral("roto.dot"), "<w:p><w:r>");
    EXPECT_EQ(WordDocument::open(broken).error().number, errors::kMalformedXml);

    EXPECT_EQ(WordDocument::version(), QStringLiteral("12.0"));
    EXPECT_GT(WordDocument::version().section(u'.', 0, 0).toInt(), 8);
}

TEST(WordDocumentOpen, ADocumentMadeFromATemplateIsADocument) {
    QTemporaryDir dir;
    Result<WordDocument> doc = WordDocument::open(test::writeSmallTemplate(dir.path()));
    ASSERT_TRUE(doc.has_value());
    EXPECT_TRUE(doc->path().isEmpty());
    const QByteArray types = doc->part(QStringLiteral("[Content_Types].xml"));
    EXPECT_TRUE(types.contains("wordprocessingml.document.main+xml"));
    EXPECT_FALSE(types.contains("template"));
}

TEST(WordDocumentFieldNames, UnnamedFieldsTakeTheNamesOfAMatchingReference) {
    QTemporaryDir dir;
    const WordDocument reference = WordDocument::open(test::writeSmallTemplate(dir.path())).value();
    std::string body = test::kSmallTemplateBody;
    for (const std::string name : {"SEACOMPAÑAPETICIONSI", "OTRAS"}) {
        body.replace(body.find("w:val=\"" + name + "\""), name.size() + 8, "w:val=\"\"");
    }
    WordDocument unnamed =
        WordDocument::open(test::writeSmallTemplate(dir.path(), QStringLiteral("sin.doc"), body.c_str()))
            .value();
    EXPECT_EQ(unnamed.isChecked(QStringLiteral("OTRAS")).error().number, errors::kMissingFormField);
    EXPECT_EQ(unnamed.nameUnnamedFieldsLike(reference).value(), 2);
    EXPECT_EQ(unnamed.formFieldNames(), reference.formFieldNames());
    EXPECT_FALSE(unnamed.isChecked(QStringLiteral("OTRAS")).value());
    EXPECT_EQ(unnamed.nameUnnamedFieldsLike(reference).value(), 0);

    // A document whose fields differ from the reference keeps its names as they are.
    body = test::kSmallTemplateBody;
    body.replace(body.find("w:val=\"ACTIVO\""), 14, "w:val=\"\"");
    body.replace(body.find("w:val=\"NOMBRE\""), 14, "w:val=\"OTRO\"");
    WordDocument other =
        WordDocument::open(test::writeSmallTemplate(dir.path(), QStringLiteral("otro.doc"), body.c_str()))
            .value();
    EXPECT_EQ(other.nameUnnamedFieldsLike(reference).error().number, errors::kInvalidProcedureCall);
    EXPECT_FALSE(other.formFieldNames().contains(QStringLiteral("ACTIVO")));
}
