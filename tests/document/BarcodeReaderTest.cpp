#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/BarcodeErrors.h"
#include "document/BarcodePictureFile.h"
#include "document/BarcodeReader.h"
#include "document/BarcodeText.h"
#include "document/Pdf417Picture.h"

using namespace velantor;
using namespace Qt::Literals::StringLiterals;

namespace {

BarcodeImage pictureOf(const QByteArray& payload, BarcodeBox box = kPositionPageBarcodeBox) {
    auto picture = Pdf417Picture::make(payload, box);
    EXPECT_TRUE(picture.has_value());
    return picture ? picture->image() : BarcodeImage();
}

// Pictures stacked on one white sheet, `gap` pixels apart.
BarcodeImage stack(const QList<BarcodeImage>& parts, int gap) {
    int width = 0;
    int height = gap;
    for (const BarcodeImage& part : parts) {
        width = std::max(width, part.width());
        height += part.height() + gap;
    }
    BarcodeImage sheet(width + 2 * gap, height);
    int top = gap;
    for (const BarcodeImage& part : parts) {
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x)
                if (part.pixel(x, y) == 0)
                    sheet.fillRect(gap + x, top + y, 1, 1, 0);
        top += part.height() + gap;
    }
    return sheet;
}

// A PDF whose pages each show one grey picture, 300 points wide, like a printed application.
QByteArray pdfOf(const QList<BarcodeImage>& pages) {
    QByteArray pdf("%PDF-1.4\n");
    QList<qsizetype> offsets;
    auto object = [&](const QByteArray& body) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    };
    QByteArray kids;
    for (qsizetype i = 0; i < pages.size(); ++i)
        kids += QByteArray::number(3 + i * 3) + " 0 R ";
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages.size()) + " >>");
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const BarcodeImage& image = pages[i];
        const int n = static_cast<int>(4 + i * 3);
        const double height = 300.0 * image.height() / image.width();
        const QByteArray content =
            "q 300 0 0 " + QByteArray::number(height, 'f', 2) + " 150 400 cm /Im0 Do Q";
        object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /XObject << /Im0 " +
               QByteArray::number(n + 1) + " 0 R >> >> /Contents " + QByteArray::number(n) + " 0 R >>");
        object("<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content +
               "\nendstream");
        object("<< /Type /XObject /Subtype /Image /Width " + QByteArray::number(image.width()) + " /Height " +
               QByteArray::number(image.height()) + " /ColorSpace /DeviceGray /BitsPerComponent 8 /Length " +
               QByteArray::number(image.pixels().size()) + " >>\nstream\n" + image.pixels() + "\nendstream");
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

void write(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

struct CliRun {
    int exitCode;
    QString out;
    QString err;
};

CliRun decodeWithCli(const QStringList& files) {
    QProcess process;
    process.start(QStringLiteral(VELANTOR_CLI_PATH), QStringList{u"decode"_s} + files);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(BarcodeReader, FindsEveryBarcodeTopToBottom) {
    const BarcodeImage sheet = stack({pictureOf("segundo"), pictureOf("primero", kFirstPageBarcodeBox)}, 40);
    EXPECT_EQ(BarcodeReader::read(sheet), (QList<QByteArray>{"segundo", "primero"}));
    const BarcodeImage swapped =
        stack({pictureOf("primero", kFirstPageBarcodeBox), pictureOf("segundo")}, 40);
    EXPECT_EQ(BarcodeReader::read(swapped), (QList<QByteArray>{"primero", "segundo"}));
    EXPECT_TRUE(BarcodeReader::read(BarcodeImage(200, 100)).isEmpty());
}

TEST(BarcodeReader, ReadsPdfPagesInOrder) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"solicitud.pdf"_s);
    const QByteArray first = barcode::barcodeBytes(u"12345678ZA100123A31/12/202423:59:59P001S|Mu&noz|F"_s);
    write(path, pdfOf({pictureOf(first, kFirstPageBarcodeBox), BarcodeImage(50, 50),
                       stack({pictureOf("V003"), pictureOf("V004")}, 30)}));
    const auto found = BarcodeReader::readFile(path);
    ASSERT_TRUE(found.has_value()) << qPrintable(found.error().description);
    ASSERT_EQ(found->size(), 3);
    EXPECT_EQ((*found)[0].page, 1);
    EXPECT_EQ((*found)[0].bytes, first);
    EXPECT_EQ((*found)[1].page, 3);
    EXPECT_EQ((*found)[1].bytes, "V003");
    EXPECT_EQ((*found)[2].text(), u"V004"_s);
}

TEST(BarcodeReader, ReportsFilesItCannotRead) {
    QTemporaryDir dir;
    const auto missing = BarcodeReader::readFile(dir.filePath(u"no.pdf"_s));
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().number, errors::kFileNotFound);
    write(dir.filePath(u"texto.txt"_s), "hola");
    EXPECT_EQ(BarcodeReader::readFile(dir.filePath(u"texto.txt"_s)).error().number,
              errors::kBarcodeUnreadable);
    write(dir.filePath(u"roto.pdf"_s), "%PDF-1.4 nada más");
    const auto broken = BarcodeReader::readFile(dir.filePath(u"roto.pdf"_s));
    ASSERT_FALSE(broken.has_value());
    EXPECT_TRUE(broken.error().description.contains(u"no es un PDF"_s));
}

TEST(BarcodePictureFile, WritesBothPicturesUnderTheTimeNameWithoutCollisions) {
    QTemporaryDir dir;
    const QDateTime now(QDate(2024, 3, 9), QTime(8, 7, 6));
    const auto first = makeBarcodePicture(u"PEÑA ¿?"_s, kPositionPageBarcodeBox, dir.path(), now);
    ASSERT_TRUE(first.has_value()) << qPrintable(first.error().description);
    EXPECT_EQ(first->path, dir.filePath(u"2024030908070607"_s));
    EXPECT_EQ(first->bmpPath, first->path + u".bmp"_s);
    EXPECT_EQ(first->payload, QByteArray("PE&NA   "));
    EXPECT_TRUE(BarcodeReader::verifyPicture(first->bmpPath, first->payload).has_value());

    // Made in the same second while the first is still on disk: a name of its own.
    const auto second = makeBarcodePicture(u"otra"_s, kPositionPageBarcodeBox, dir.path(), now);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->path, dir.filePath(u"2024030908070607_2"_s));
    EXPECT_TRUE(QFile::exists(first->pngPath));
    first->remove();
    EXPECT_FALSE(QFile::exists(first->bmpPath));
    EXPECT_FALSE(QFile::exists(first->pngPath));
    EXPECT_EQ(barcodePicturePath(dir.path(), now), first->path); // free again

    const auto nowhere =
        makeBarcodePicture(u"x"_s, kPositionPageBarcodeBox, dir.filePath(u"no/existe"_s), now);
    ASSERT_FALSE(nowhere.has_value());
    EXPECT_EQ(nowhere.error().number, errors::kWriteFailed);
}

TEST(BarcodePictureFile, SelfCheckCatchesAPictureThatDoesNotMatch) {
    QTemporaryDir dir;
    const auto made =
        makeBarcodePicture(u"V001"_s, kPositionPageBarcodeBox, dir.path(), QDateTime::currentDateTime());
    ASSERT_TRUE(made.has_value());
    const auto wrong = BarcodeReader::verifyPicture(made->bmpPath, "V002");
    ASSERT_FALSE(wrong.has_value());
    EXPECT_EQ(wrong.error().number, errors::kBarcodeMismatch);
    EXPECT_TRUE(wrong.error().description.contains(u"no se imprimirá"_s));
    EXPECT_TRUE(wrong.error().description.contains(u"carácter 4"_s));

    write(made->bmpPath, BarcodeImage(300, 60).toBmp()); // the picture got lost
    const auto blank = BarcodeReader::verifyPicture(made->bmpPath, "V001");
    ASSERT_FALSE(blank.has_value());
    EXPECT_TRUE(blank.error().description.contains(u"no se puede leer"_s));
}

TEST(DecodeCommand, PrintsEachPayloadOnItsOwnLine) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"solicitud.pdf"_s);
    write(pdf, pdfOf({pictureOf(barcode::barcodeBytes(u"Añ€"_s)), pictureOf("V002")}));
    const QString png = dir.filePath(u"pagina.png"_s);
    write(png, pictureOf("R003").toPng());
    const QString bmp = dir.filePath(u"pagina.bmp"_s);
    write(bmp, pictureOf("R004").toBmp());
    const CliRun run = decodeWithCli({pdf, png, bmp});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(run.out, u"Añ€\nV002\nR003\nR004\n"_s);

    const CliRun missing = decodeWithCli({dir.filePath(u"falta.pdf"_s)});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(u"No existe el fichero"_s));
    write(dir.filePath(u"blanco.png"_s), BarcodeImage(100, 100).toPng());
    const CliRun none = decodeWithCli({dir.filePath(u"blanco.png"_s)});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(none.err.contains(u"ningún código PDF417"_s));
}
