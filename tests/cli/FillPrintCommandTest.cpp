#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/BarcodeReader.h"
#include "document/PrintedRowFit.h"
#include "document/BarcodeText.h"
#include "document/OfficeTools.h"
#include "support/CliRun.h"

using namespace velantor;
using namespace Qt::Literals::StringLiterals;

namespace {

// LibreOffice may take a while on a busy machine.
test::CliRun cli(const QStringList& args) {
    return test::runCli(args, 600000);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Positions of the sample catalogue as the position files hold them: code, name,
// institution and locality in fixed columns.
QJsonArray positionsOf(const QStringList& codes, const QString& catalogue) {
    QHash<QString, QStringList> lines;
    for (const QString& line : QString::fromUtf8(readAll(catalogue)).split(u'\n'))
        if (line.size() > 105)
            lines.insert(line.left(5), {line.mid(5, 50).trimmed(), line.mid(55, 50).trimmed(),
                                        line.mid(105, 53).trimmed()});
    QJsonArray rows;
    for (int i = 0; i < codes.size(); ++i) {
        const QStringList texts = lines.value(codes[i], {u"?"_s, u"?"_s, u"?"_s});
        rows.append(QJsonObject{{u"IdSolicitud"_s, i + 1},
                                {u"Orden"_s, i + 1},
                                {u"CodConvocatoria"_s, codes[i]},
                                {u"NomConvocatoria"_s, texts[0]},
                                {u"Consejeria"_s, texts[1]},
                                {u"Localidad"_s, texts[2]},
                                {u"CodArea"_s, u"01000000"_s},
                                {u"CodZona"_s, QString()},
                                {u"Area"_s, u"Área de Salud de León"_s},
                                {u"Zona"_s, QString()}});
    }
    return rows;
}

// A program folder of the sample's configuration, catalogues and template, and the
// example application moved to the nurses' category, which has enough positions.
class FillPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QDir sample(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR));
        QDir out(m_dir.path());
        ASSERT_TRUE(out.mkpath(u"ficheros/DOT_11111"_s));
        ASSERT_TRUE(QFile::copy(sample.filePath(u"conf.xml"_s), out.filePath(u"conf.xml"_s)));
        const QDir data(sample.filePath(u"ficheros"_s));
        for (const QString& f : data.entryList({u"*.enc"_s, u"FicheroTexto.txt"_s}, QDir::Files))
            ASSERT_TRUE(QFile::copy(data.filePath(f), out.filePath(u"ficheros/"_s + f)));
        ASSERT_TRUE(QFile::copy(data.filePath(u"DOT_11111/PlantillaWXP.dot"_s),
                                out.filePath(u"ficheros/DOT_11111/PlantillaWXP.dot"_s)));
    }

    QStringList offered(const QString& tab) const {
        const test::CliRun run =
            cli({u"search"_s, m_dir.path(), u"--body"_s, u"00201"_s, u"--group"_s, u"B"_s, u"--tab"_s, tab});
        QStringList codes;
        for (const QString& line : run.out.split(u'\n'))
            if (line.size() == 5)
                codes << line;
        return codes;
    }

    QString application(int vacancies, int resultas, int documents) const {
        const QString source =
            QDir::cleanPath(QStringLiteral(VELANTOR_TEST_DATA_DIR "/../../examples/solicitud.json"));
        QJsonObject json = QJsonDocument::fromJson(readAll(source)).object();
        QJsonObject controls = json.value(u"controls"_s).toObject();
        controls.insert(u"cboCuerpo"_s, u"00201"_s);
        controls.insert(u"cboGrupo"_s, u"B"_s);
        json.insert(u"controls"_s, controls);
        const QString catalogues =
            QDir::cleanPath(QStringLiteral(VELANTOR_TEST_DATA_DIR "/../../data/catalogues")) + u'/';
        m_vacancies = offered(u"V"_s).mid(0, vacancies);
        m_resultas = offered(u"R"_s).mid(0, resultas);
        json.insert(u"Vacantes"_s, positionsOf(m_vacancies, catalogues + u"F0009.txt"_s));
        json.insert(u"Resultas"_s, positionsOf(m_resultas, catalogues + u"F0010.txt"_s));
        QJsonArray docs;
        for (int i = 1; i <= documents; ++i)
            docs.append(QJsonObject{{u"IdDocumento"_s, i},
                                    {u"Documento"_s, u"Certificado de servicios prestados %1"_s.arg(i)},
                                    {u"Horas"_s, QString()},
                                    {u"Fecha"_s, u"01/02/2020"_s},
                                    {u"Centro"_s, u"Gerencia"_s}});
        json.insert(u"Documentos"_s, docs);
        const QString path = QDir(m_dir.path()).filePath(u"solicitud.json"_s);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(json).toJson());
        return path;
    }

    QString positionPayload(QChar letter, int page, const QStringList& codes, int first, int count) const {
        std::vector<barcode::BarcodePosition> positions;
        for (int orden = first; orden < first + count; ++orden)
            positions.push_back({orden, codes[orden - 1]});
        return barcode::barcodePayload(u"00000001RB00201B"_s, m_stamp, letter, page,
                                       barcode::barcodePositionText(positions));
    }

    QTemporaryDir m_dir;
    mutable QStringList m_vacancies;
    mutable QStringList m_resultas;
    const barcode::BarcodeStamp m_stamp{u"07/12/2026"_s, u"10:15:00"_s};
};

// The whole print, as "Imprimir" makes it, into a PDF: the pages the lists need, and
// every barcode read back from the rendered pages exactly as its page's data.
TEST_F(FillPrintTest, PrintedPdfCarriesEveryPageAndItsBarcode) {
    if (test::officeProgram().isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    const QString json = application(75, 5, 36);
    ASSERT_EQ(m_vacancies.size(), 75);
    const QString pdf = QDir(m_dir.path()).filePath(u"impresa.pdf"_s);
    const test::CliRun filled =
        cli({u"fill"_s, m_dir.path(), json, u"--at"_s, u"07/12/2026 10:15:00"_s, u"--print"_s, pdf});
    ASSERT_EQ(filled.exitCode, 0) << qPrintable(filled.err);
    EXPECT_EQ(filled.out.trimmed(), u"00000001R_002010B.doc"_s);
    EXPECT_TRUE(QFile::exists(QDir(m_dir.path()).filePath(u"ficheros/temp/00000001R_002010B.doc"_s)));
    EXPECT_FALSE(QFile::exists(QDir(m_dir.path()).filePath(u"ficheros/temp/00000001R_002010B.pdf"_s)))
        << "a PDF asked for goes where it was asked, not beside the document";
    EXPECT_EQ(QDir(QDir(m_dir.path()).filePath(u"ficheros/temp"_s))
                  .entryList({u"*.bmp"_s, u"*.png"_s}, QDir::Files),
              QStringList())
        << "no barcode picture is left behind";

    // The form, the courses, the vacancies, the "Resultas", two documents pages; each
    // barcode on its own page's sheet. Most of the sample's institution names are too long
    // for their cells in Arial at 6 pt and fit in the condensed face (fonts-liberation, which
    // scripts/setup installs); the few that still take two lines make a vacancies page hold
    // the height of 40 one-line rows in 34 rows: 34, 34, 7.
    ASSERT_TRUE(condensedFaceAvailable()) << "no condensed face: scripts/setup installs fonts-liberation";
    EXPECT_EQ(test::pdfPages(pdf), 8);
    // The body's name is printed beside its code on the first page and the positions page.
    EXPECT_EQ(test::pdfText(pdf).count(QRegularExpression(u"00201\\s+Enfermero/a"_s)), 2);
    const auto found = BarcodeReader::readPdfFile(pdf);
    ASSERT_TRUE(found.has_value());
    QList<int> pages;
    for (const FoundBarcode& barcode : *found)
        pages << barcode.page;
    EXPECT_EQ(pages, (QList<int>{1, 3, 4, 5, 6}));

    const test::CliRun decoded = cli({u"decode"_s, pdf});
    ASSERT_EQ(decoded.exitCode, 0) << qPrintable(decoded.err);
    const QStringList lines = decoded.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    const QString header = u"00000001RB00201B07/12/202610:15:00"_s;
    EXPECT_TRUE(lines[0].startsWith(header + u"P001N|N&u&nez|Pe&na|Mar&ia Jos&e|00000001R|19800403|"_s))
        << qPrintable(lines[0]);
    EXPECT_TRUE(lines[0].endsWith(u"|F"_s));
    EXPECT_EQ(lines[0].count(u'|'), 37);
    // The courses are page 2 and the second documents page 3; each closed vacancy page
    // moves the counter on, and the "Resultas" begin one further.
    EXPECT_EQ(lines[1], positionPayload(u'V', 4, m_vacancies, 1, 34)) << qPrintable(lines[1]);
    EXPECT_EQ(lines[2], positionPayload(u'V', 5, m_vacancies, 35, 34)) << qPrintable(lines[2]);
    EXPECT_EQ(lines[3], positionPayload(u'V', 6, m_vacancies, 69, 7)) << qPrintable(lines[3]);
    EXPECT_EQ(lines[4], positionPayload(u'R', 7, m_resultas, 1, 5)) << qPrintable(lines[4]);
}

TEST_F(FillPrintTest, DraftCarriesTheMarkAndNoBarcode) {
    if (test::officeProgram().isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    const QString json = application(3, 0, 0);
    const QString pdf = QDir(m_dir.path()).filePath(u"borrador.pdf"_s);
    const test::CliRun filled = cli({u"fill"_s, m_dir.path(), json, u"--print"_s, pdf, u"--draft"_s});
    ASSERT_EQ(filled.exitCode, 0) << qPrintable(filled.err);
    EXPECT_TRUE(test::pdfText(pdf).contains(u"BORRADOR"_s));
    const test::CliRun decoded = cli({u"decode"_s, pdf});
    EXPECT_EQ(decoded.exitCode, 1) << qPrintable(decoded.out);
    EXPECT_TRUE(decoded.out.isEmpty());
}

TEST_F(FillPrintTest, PrintOptionsAreChecked) {
    const QString json = application(1, 0, 0);
    const test::CliRun draftAlone = cli({u"fill"_s, m_dir.path(), json, u"--draft"_s});
    EXPECT_EQ(draftAlone.exitCode, 2);
    EXPECT_TRUE(draftAlone.err.contains(u"--draft solo vale junto con --print"_s));
    const test::CliRun noFile = cli({u"fill"_s, m_dir.path(), json, u"--print"_s});
    EXPECT_EQ(noFile.exitCode, 2);
    EXPECT_TRUE(noFile.err.contains(u"falta el archivo PDF"_s));
    EXPECT_TRUE(QDir(QDir(m_dir.path()).filePath(u"ficheros/temp"_s)).entryList(QDir::Files).isEmpty());
}

} // namespace
