#include <iostream>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/OfficeTools.h"
#include "docengine/DocxLegacyConverter.h"
#include "docengine/WordDocument.h"

using namespace velantor;

namespace {

QString defaultTemplate() {
    return QDir(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR))
        .filePath(QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot"));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A 40 x 10 pixel BMP, the kind of picture the barcode maker writes.
QString writeBarcodePicture(const QString& path) {
    const int width = 40;
    const int height = 10;
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        QByteArray row;
        for (int x = 0; x < width; ++x) {
            row.append(QByteArray(3, (x / 2) % 2 == 0 ? '\0' : '\xff'));
        }
        row.append(QByteArray(rowBytes - row.size(), '\0'));
        pixels += row;
    }
    auto le32 = [](quint32 v) {
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i) {
            bytes[i] = char((v >> (8 * i)) & 0xff);
        }
        return bytes;
    };
    QByteArray bmp = "BM" + le32(quint32(54 + pixels.size())) + le32(0) + le32(54);
    bmp += le32(40) + le32(width) + le32(height) + QByteArray::fromHex("01001800") + le32(0) +
           le32(quint32(pixels.size())) + le32(2835) + le32(2835) + le32(0) + le32(0);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bmp + pixels);
    return path;
}

// Fills the default template as a saved application would be, with a second courses
// page and a barcode picture, and saves it.
QString writeApplication(const QString& folder) {
    WordDocument doc = WordDocument::openTemplate(defaultTemplate()).value();
    EXPECT_TRUE(doc.typeAtBookmark(QStringLiteral("DNICAB"), QStringLiteral("00000001R")));
    EXPECT_TRUE(doc.typeAtBookmark(QStringLiteral("FECHAIMPR"), QStringLiteral("07/12/2026 10:15:00")));
    EXPECT_TRUE(doc.typeAtBookmark(QStringLiteral("BORRADOR"), QStringLiteral("BORRADOR")));
    EXPECT_TRUE(doc.setFieldText(QStringLiteral("NOMBRE"), QStringLiteral("María José")));
    EXPECT_TRUE(doc.setFieldText(QStringLiteral("PRIMERAPELLIDO"), QStringLiteral("Núñez")));
    EXPECT_TRUE(doc.setFieldText(QStringLiteral("NDNI"), QStringLiteral("00000001R")));
    EXPECT_TRUE(doc.setFieldText(QStringLiteral("DOMICILIO"), QStringLiteral("Calle Ancha & Estrecha, 3")));
    EXPECT_TRUE(doc.setFieldText(QStringLiteral("CUERPOOESCALA"), QStringLiteral("ENFERMERO/A")));
    EXPECT_TRUE(doc.setFieldText(QStringLiteral("CUERPOOESCALA1"), QStringLiteral("ENFERMERO/A")));
    EXPECT_TRUE(doc.setChecked(QStringLiteral("VOLUNTARIO"), true));
    EXPECT_TRUE(doc.setChecked(QStringLiteral("SEACOMPAÑAPETICIONNO"), true));

    const int row = doc.appendRow(3).value();
    EXPECT_TRUE(doc.setCellText(3, row, 1, QStringLiteral("Soporte vital avanzado")));
    EXPECT_TRUE(doc.setCellText(3, row, 2, QStringLiteral("40")));
    EXPECT_TRUE(doc.insertPageBreakBelowTable(3));
    const int next = doc.insertTableAfter(3, 1, 4).value();
    EXPECT_TRUE(doc.setBorders(next, true));
    EXPECT_TRUE(doc.setCellText(next, 1, 1, QStringLiteral("Curso")));
    EXPECT_TRUE(doc.setColumnWidths(next, doc.columnWidths(3).value()));
    EXPECT_TRUE(doc.appendRow(next));
    EXPECT_TRUE(doc.setCellText(next, 2, 1, QStringLiteral("Curso trigésimo sexto")));

    const QString picture = writeBarcodePicture(QDir(folder).filePath(QStringLiteral("20261207101500.bmp")));
    EXPECT_TRUE(doc.setCellText(2, 1, 1, QStringLiteral("\r\n")));
    EXPECT_TRUE(doc.insertPictureInCell(2, 1, 1, picture, 6000, 2600));
    EXPECT_TRUE(doc.formatCell(2, 1, 1, TextFormat{std::nullopt, std::nullopt, ParagraphAlignment::Centre, {}}));
    EXPECT_TRUE(doc.appendCellText(2, 1, 1, QStringLiteral("\r\n")));

    const QString path = QDir(folder).filePath(QStringLiteral("000000001__000101.doc"));
    EXPECT_TRUE(doc.saveAs(path));
    return path;
}

} // namespace

TEST(OfficeRoundTrip, LibreOfficeShowsTheSavedDocumentWithItsValues) {
    ASSERT_FALSE(test::officeProgram().isEmpty())
        << "LibreOffice (soffice) hace falta; scripts/setup lo instala";
    QTemporaryDir dir;
    const QString saved = writeApplication(dir.path());
    qint64 ms = 0;
    const QString pdf = test::convertWithOffice(saved, QStringLiteral("pdf"), dir.path(), &ms);
    std::cout << "[ medida ] documento a PDF con LibreOffice: " << ms << " ms" << std::endl;
    ASSERT_FALSE(pdf.isEmpty());
    const QString text = test::pdfText(pdf);
    for (const char* value :
         {"SOLICITUD DE PARTICIPACIÓN EN EL CONCURSO DE TRASLADOS", "María José", "Núñez", "00000001R",
          "07/12/2026 10:15:00", "BORRADOR", "Calle Ancha & Estrecha, 3", "ENFERMERO/A",
          "Soporte vital avanzado", "Curso trigésimo sexto", "PUESTO DE TRABAJO", "NºDocumento"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(value))) << value;
    }
    // The second courses table begins a page of its own; the form, courses, positions,
    // resultas and documents pages come with it.
    EXPECT_EQ(test::pdfPages(pdf), 6);
    auto pageOf = [&text](const char* value) {
        return text.left(text.indexOf(QString::fromUtf8(value))).count(u'\f') + 1;
    };
    EXPECT_EQ(pageOf("Curso trigésimo sexto"), pageOf("Soporte vital avanzado") + 1);
    EXPECT_EQ(pageOf("PUESTO DE TRABAJO"), pageOf("Curso trigésimo sexto") + 2);

    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    images.waitForFinished(60000);
    const QString list = QString::fromUtf8(images.readAllStandardOutput());
    EXPECT_TRUE(list.contains(QRegularExpression(QStringLiteral("\\n +1 +\\d+ +image +40 +10 "))))
        << list.toStdString();

    // The template itself opens too.
    QTemporaryDir other;
    EXPECT_FALSE(test::convertWithOffice(defaultTemplate(), QStringLiteral("pdf"), other.path()).isEmpty());
}

TEST(OfficeRoundTrip, ADocumentSavedAgainInTheBinaryFormatIsReadBack) {
    ASSERT_FALSE(test::officeProgram().isEmpty())
        << "LibreOffice (soffice) hace falta; scripts/setup lo instala";
    QTemporaryDir dir;
    const QString saved = writeApplication(dir.path());
    const QString legacyFolder = dir.filePath(QStringLiteral("binario"));
    ASSERT_TRUE(QDir().mkpath(legacyFolder));
    const QString legacy = test::convertWithOffice(saved, QStringLiteral("doc"), legacyFolder);
    ASSERT_FALSE(legacy.isEmpty());
    const QByteArray legacyBytes = readFile(legacy);
    ASSERT_TRUE(DocxLegacyConverter::isLegacy(legacyBytes));

    QElapsedTimer clock;
    clock.start();
    Result<WordDocument> back = WordDocument::open(legacy);
    std::cout << "[ medida ] lectura de un documento binario (conversión incluida): " << clock.elapsed()
              << " ms" << std::endl;
    ASSERT_TRUE(back.has_value()) << back.error().description.toStdString();
    // LibreOffice keeps the text fields' names but drops the check boxes' ones; the
    // template gives them back.
    EXPECT_EQ(back->isChecked(QStringLiteral("VOLUNTARIO")).error().number, errors::kMissingFormField);
    const WordDocument reference = WordDocument::openTemplate(defaultTemplate()).value();
    EXPECT_EQ(back->nameUnnamedFieldsLike(reference).value(), 14);
    EXPECT_EQ(back->fieldText(QStringLiteral("NOMBRE")).value(), QStringLiteral("María José"));
    EXPECT_EQ(back->fieldText(QStringLiteral("PRIMERAPELLIDO")).value(), QStringLiteral("Núñez"));
    EXPECT_EQ(back->fieldText(QStringLiteral("DOMICILIO")).value(),
              QStringLiteral("Calle Ancha & Estrecha, 3"));
    EXPECT_EQ(back->fieldText(QStringLiteral("CUERPOOESCALA")).value(), QStringLiteral("ENFERMERO/A"));
    EXPECT_EQ(back->fieldText(QStringLiteral("TELEFONO")).value(), QString());
    EXPECT_TRUE(back->isChecked(QStringLiteral("VOLUNTARIO")).value());
    EXPECT_TRUE(back->isChecked(QStringLiteral("SEACOMPAÑAPETICIONNO")).value());
    EXPECT_FALSE(back->isChecked(QStringLiteral("FORZOSO")).value());
    EXPECT_EQ(back->fieldText(QStringLiteral("NOEXISTE")).error().number, errors::kMissingFormField);
    // Only a copy was converted: the user's file is as it was, and nothing was left beside it.
    EXPECT_EQ(readFile(legacy), legacyBytes);
    EXPECT_EQ(QDir(legacyFolder).entryList(QDir::Files), QStringList{QFileInfo(legacy).fileName()});
}
