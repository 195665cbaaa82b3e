#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/SafeFile.h"
#include "docengine/WordDocument.h"
#include "docengine/WordDocumentFixture.h"

using namespace velantor;

namespace {

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct HookReset {
    ~HookReset() { setWriteFaultHook({}); }
};

} // namespace

TEST(WordDocumentSave, SavedDocumentReopensWithEverythingWritten) {
    QTemporaryDir dir;
    const QString templatePath = test::writeSmallTemplate(dir.path());
    const QByteArray templateBytes = readFile(templatePath);
    WordDocument doc = WordDocument::open(templatePath).value();
    ASSERT_TRUE(doc.setFieldText(QStringLiteral("NOMBRE"), QStringLiteral("María")));
    ASSERT_TRUE(doc.setChecked(QStringLiteral("SEACOMPAÑAPETICIONSI"), true));
    ASSERT_TRUE(doc.typeAtBookmark(QStringLiteral("DNICAB"), QStringLiteral("00000001R")));
    ASSERT_TRUE(doc.appendRow(2));
    ASSERT_TRUE(doc.setCellText(2, 2, 1, QStringLiteral("Soporte vital")));
    const QString saved = dir.filePath(QStringLiteral("000000001__000101.doc"));
    ASSERT_TRUE(doc.saveAs(saved));
    EXPECT_EQ(doc.path(), saved);
    EXPECT_EQ(readFile(templatePath), templateBytes); // the template is only read

    // Later saves go to the same file.
    ASSERT_TRUE(doc.setFieldText(QStringLiteral("DOMICILIO"), QStringLiteral("Avenida 2")));
    ASSERT_TRUE(doc.save());

    WordDocument back = WordDocument::open(saved).value();
    EXPECT_EQ(back.fieldText(QStringLiteral("NOMBRE")).value(), QStringLiteral("María"));
    EXPECT_EQ(back.fieldText(QStringLiteral("DOMICILIO")).value(), QStringLiteral("Avenida 2"));
    EXPECT_TRUE(back.isChecked(QStringLiteral("SEACOMPAÑAPETICIONSI")).value());
    EXPECT_FALSE(back.isChecked(QStringLiteral("OTRAS")).value());
    EXPECT_EQ(back.bookmarkText(QStringLiteral("DNICAB")).value(), QStringLiteral("00000001R"));
    EXPECT_EQ(back.rowCount(2).value(), 2);
    EXPECT_EQ(back.cellText(2, 2, 1).value(), QStringLiteral("Soporte vital"));
    EXPECT_TRUE(back.path().isEmpty());
}

TEST(WordDocumentSave, AFailedSaveLeavesThePreviousFileAsItWas) {
    HookReset reset;
    QTemporaryDir dir;
    WordDocument doc = WordDocument::open(test::writeSmallTemplate(dir.path())).value();
    EXPECT_EQ(doc.save().error().number, errors::kInvalidProcedureCall); // never saved: no name yet

    const QString target = writeFile(dir.filePath(QStringLiteral("anterior.doc")), "previo");
    setWriteFaultHook([](const QString&, WriteStage stage) { return stage == WriteStage::Write; });
    EXPECT_FALSE(doc.saveAs(target).has_value());
    EXPECT_EQ(readFile(target), QByteArray("previo"));
    EXPECT_TRUE(doc.path().isEmpty());
    setWriteFaultHook({});

    EXPECT_FALSE(doc.saveAs(dir.filePath(QStringLiteral("no/existe/x.doc"))).has_value());
    ASSERT_TRUE(doc.saveAs(target));
    EXPECT_TRUE(readFile(target).startsWith("PK"));
}

TEST(WordDocumentSave, PicturesAreEmbeddedWithRelationshipContentTypeAndSize) {
    QTemporaryDir dir;
    const QString png = writeFile(dir.filePath(QStringLiteral("codigo.png")), test::tinyPng());
    // A BMP under a misleading name: the bytes tell the format.
    const QString bmp = writeFile(dir.filePath(QStringLiteral("codigo.img")), test::tinyBmp());
    WordDocument doc = WordDocument::open(test::writeSmallTemplate(dir.path())).value();
    ASSERT_TRUE(doc.insertPictureInCell(1, 1, 1, png, 6000, 2600));
    ASSERT_TRUE(doc.insertPictureBelowTable(2, bmp, 6000, 1170));
    ASSERT_TRUE(doc.insertPictureInCell(1, 1, 2, png, 100, 100));

    const QByteArray body = doc.part(QStringLiteral("word/document.xml"));
    EXPECT_TRUE(body.contains("<wp:extent cx=\"3810000\" cy=\"1651000\"/>")); // 635 EMU per twip
    EXPECT_TRUE(body.contains("<wp:extent cx=\"3810000\" cy=\"742950\"/>"));
    EXPECT_TRUE(body.contains("<wp:docPr id=\"1\"") && body.contains("<wp:docPr id=\"3\""));
    const QByteArray relationships = doc.part(QStringLiteral("word/_rels/document.xml.rels"));
    EXPECT_TRUE(relationships.contains("Target=\"media/image1.png\""));
    EXPECT_TRUE(relationships.contains("Target=\"media/image1.bmp\""));
    EXPECT_TRUE(relationships.contains("Target=\"media/image2.png\""));
    const QByteArray types = doc.part(QStringLiteral("[Content_Types].xml"));
    EXPECT_TRUE(types.contains("<Default Extension=\"png\" ContentType=\"image/png\"/>"));
    EXPECT_TRUE(types.contains("<Default Extension=\"bmp\" ContentType=\"image/bmp\"/>"));
    EXPECT_EQ(doc.part(QStringLiteral("word/media/image1.bmp")), test::tinyBmp());

    // The pictures survive saving and reopening.
    const QString saved = dir.filePath(QStringLiteral("con_imagen.doc"));
    ASSERT_TRUE(doc.saveAs(saved));
    WordDocument back = WordDocument::open(saved).value();
    EXPECT_EQ(back.part(QStringLiteral("word/media/image2.png")), test::tinyPng());
    EXPECT_EQ(back.part(QStringLiteral("word/document.xml")).count("<w:drawing"), 3);
}

TEST(WordDocumentSave, PicturesThatCannotBeEmbeddedAreErrors) {
    QTemporaryDir dir;
    WordDocument doc = WordDocument::open(test::writeSmallTemplate(dir.path())).value();
    EXPECT_EQ(
        doc.insertPictureInCell(1, 1, 1, dir.filePath(QStringLiteral("falta.bmp")), 10, 10).error().number,
        errors::kFileNotFound);
    const QString text = writeFile(dir.filePath(QStringLiteral("texto.png")), "no es una imagen");
    const Error notImage = doc.insertPictureInCell(1, 1, 1, text, 10, 10).error();
    EXPECT_EQ(notImage.number, errors::kInvalidProcedureCall);
    EXPECT_TRUE(notImage.description.contains(text));
    const QString png = writeFile(dir.filePath(QStringLiteral("a.png")), test::tinyPng());
    EXPECT_FALSE(doc.insertPictureInCell(1, 1, 1, png, 0, 10).has_value());
    EXPECT_EQ(doc.insertPictureInCell(9, 1, 1, png, 10, 10).error().number, errors::kInvalidProcedureCall);
    EXPECT_FALSE(doc.part(QStringLiteral("word/document.xml")).contains("<w:drawing"));
}
