#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "CatalogueTestFolder.h"
#include "catalogues/CatalogueDump.h"
#include "catalogues/CatalogueEncoder.h"
#include "catalogues/CatalogueGenerator.h"
#include "catalogues/CatalogueTables.h"
#include "catalogues/Decoding.h"
#include "platform/CodePage.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::catalogues::testing::readBytes;
using velantor::catalogues::testing::writeBytes;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

struct CliRun {
    int exitCode;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(VELANTOR_CLI_PATH), args);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList lines(const QString& path) {
    QString text = QString::fromUtf8(readBytes(path));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

} // namespace

TEST(EncodeCatalogue, IsTheInverseOfDecoding) {
    const QString plain = s("24089León\n24010Bañeza, La   \r\n\n49275Zamora €");
    const auto encoded = encodeCatalogue(plain);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_TRUE(encoded->endsWith("\r\n"));
    const auto decoded = shiftCatalogueLines(*encoded, -1, s("F0003.enc"));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(codepage::fromWindows1252(*decoded), s("24089León\r\n24010Bañeza, La   \r\n49275Zamora €\r\n"));
}

TEST(EncodeCatalogue, ZoneNamesOfF0013AreWrittenInCodePage850) {
    ASSERT_TRUE(oemColumnsFor(s("F0013.txt")).has_value());
    ASSERT_TRUE(oemColumnsFor(s("/ruta/F0013.enc")).has_value());
    EXPECT_FALSE(oemColumnsFor(s("F0003.enc")).has_value());
    const auto encoded = encodeCatalogue(s("0107La Bañeza"), oemColumnsFor(s("F0013.enc")));
    ASSERT_TRUE(encoded.has_value());
    // ñ is 0xA4 in code page 850 (0xF1 in Windows-1252); stored one code up.
    EXPECT_EQ(static_cast<unsigned char>(encoded->at(4 + 5)), 0xA5);
    // The code columns stay Windows-1252 (which for digits is the same byte).
    EXPECT_EQ(encoded->left(4), QByteArray("1218"));
}

TEST(EncodeCatalogue, RefusesWhatCouldNotBeDecodedBack) {
    for (const QString& bad : {s("Zona \u0151"), s("a\tb"), s("\u00FF"), s("x\fy")}) {
        const auto encoded = encodeCatalogue(s("01Bien\n") + bad);
        ASSERT_FALSE(encoded.has_value()) << bad.toStdString();
        EXPECT_EQ(encoded.error().number, errors::kCodeOutOfRange);
        EXPECT_TRUE(encoded.error().description.startsWith(s("Línea 2, columna "))) << bad.toStdString();
    }
    // A character of Windows-1252 that code page 850 lacks, inside the OEM columns.
    EXPECT_FALSE(encodeCatalogue(s("0101Zona €"), oemColumnsFor(s("F0013.enc"))).has_value());
}

TEST(DumpValues, EscapeTheSeparatorsAndLineEnds) {
    EXPECT_EQ(escapeTsvValue(s("a\\b\tc\rd\ne")), s("a\\\\b\\tc\\rd\\ne"));
    TablePtr table = createGroupMapTable(s("rsPlazasGrupo"));
    table->addRow();
    table->setText(0, s("1\t2"));
    table->setText(1, s("A"));
    table->addRow();
    table->setText(0, s("3"));
    table->setText(1, s("B"));
    table->setFilter(s("CodGrupo='B'"));
    EXPECT_EQ(tableTsv(*table), s("CodPlaza\tCodGrupo\n1\\t2\tA\n3\tB\n"));
    EXPECT_EQ(table->filter(), s("CodGrupo='B'")); // put back
    EXPECT_EQ(table->rowCount(), 1);
}

TEST(GenerateProgramFolder, GrowsWithTheScaleAndIsReproducible) {
    QTemporaryDir one;
    QTemporaryDir again;
    QTemporaryDir three;
    ASSERT_TRUE(generateProgramFolder(one.path(), 1));
    ASSERT_TRUE(generateProgramFolder(again.path(), 1));
    ASSERT_TRUE(generateProgramFolder(three.path(), 3));
    const auto size = [](const QTemporaryDir& d, const char* name) {
        return readBytes(QDir(d.path()).filePath(s("ficheros/") + s(name))).size();
    };
    for (const char* name : {"F0004.enc", "F0008.enc", "F0009.enc", "F0010.enc", "F0011.enc"}) {
        EXPECT_EQ(readBytes(QDir(one.path()).filePath(s("ficheros/") + s(name))),
                  readBytes(QDir(again.path()).filePath(s("ficheros/") + s(name))))
            << name;
        EXPECT_GT(size(three, name), 2.5 * size(one, name)) << name;
    }
    EXPECT_EQ(size(one, "F0003.enc"), size(three, "F0003.enc"));
    EXPECT_TRUE(QDir(QDir(one.path()).filePath(s("ficheros/temp"))).exists());
    EXPECT_FALSE(generateProgramFolder(one.path(), 0).has_value());
    EXPECT_FALSE(generateProgramFolder(one.path(), kMaxGeneratorScale + 1).has_value());
}

TEST(CataloguesCommand, EncodeWritesWhatTheBuildPutsInTheSample) {
    QTemporaryDir dir;
    const QString in = QDir(dir.path()).filePath(s("F0013.txt"));
    const QString out = QDir(dir.path()).filePath(s("F0013.enc"));
    writeBytes(in, s("0107La Bañeza\n").toUtf8());
    const CliRun run = cli({s("catalogues"), s("encode"), in, out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(readBytes(out), encodeCatalogue(s("0107La Bañeza"), oemColumnsFor(out)).value());

    writeBytes(in, QByteArray("0107\xFF\xFE"));
    const CliRun bad = cli({s("catalogues"), s("encode"), in, out});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_TRUE(bad.err.contains(s("UTF-8")));
    EXPECT_NE(cli({s("catalogues"), s("encode"), in}).exitCode, 0);
    EXPECT_NE(cli({s("catalogues"), s("encode"), QDir(dir.path()).filePath(s("no.txt")), out}).exitCode, 0);
}

TEST(CataloguesCommand, DumpOfAGeneratedFolder) {
    QTemporaryDir dir;
    const QString program = QDir(dir.path()).filePath(s("programa"));
    const QString out = QDir(dir.path()).filePath(s("volcado"));
    ASSERT_EQ(cli({s("catalogues"), s("generate"), s("--scale"), s("2"), program}).exitCode, 0);
    const CliRun run = cli({s("catalogues"), s("dump"), program, out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QDir dump(out);

    const QStringList bodies = lines(dump.filePath(s("rsCuerpos.tsv")));
    EXPECT_EQ(bodies.first(), s("Grupo\tCodCuerpo\tDescCuerpo"));
    EXPECT_EQ(bodies.size(), 1 + 160);
    EXPECT_EQ(
        lines(dump.filePath(s("Vacantes.tsv"))),
        QStringList{s("IdSolicitud\tOrden\tCodConvocatoria\tNomConvocatoria\tConsejeria\tLocalidad\tCodArea\t"
                      "CodZona\tArea\tZona")});
    // Two slots per body; the two bodies of group "X" leave the last four empty.
    const QStringList slotsByBody = lines(dump.filePath(s("PlazasPorCuerpo.tsv")));
    ASSERT_EQ(slotsByBody.size(), 1 + 320);
    EXPECT_EQ(slotsByBody[1].section(u'\t', 1), s("True"));
    EXPECT_EQ(slotsByBody[2].section(u'\t', 1), s("False"));
    EXPECT_EQ(slotsByBody.mid(317), (QStringList{{}, {}, {}, {}}));
    EXPECT_TRUE(dump.exists(s("PlazasPorCuerpo_315_V.tsv")));
    EXPECT_FALSE(dump.exists(s("PlazasPorCuerpo_316_V.tsv")));
    EXPECT_EQ(lines(dump.filePath(s("PlazasPorGrupo.tsv"))),
              (QStringList{s("Grupo"), s("A"), s("B"), s("C"), s("D"), s("E"), s("X")}));
    EXPECT_TRUE(dump.exists(s("PlazasPorGrupo_5_R.tsv")));
    // The map table is written whole, though the builders left no filter or another one.
    EXPECT_GT(lines(dump.filePath(s("rsPlazasCuerpo.tsv"))).size(), 1000);
}

TEST(CataloguesCommand, AFailingLoadPrintsTheStepAndFails) {
    QTemporaryDir dir;
    ASSERT_EQ(cli({s("catalogues"), s("generate"), s("--scale"), s("1"), dir.path()}).exitCode, 0);
    ASSERT_TRUE(QFile::remove(QDir(dir.path()).filePath(s("ficheros/F0016.enc"))));
    const CliRun run = cli({s("catalogues"), s("dump"), dir.path(), QDir(dir.path()).filePath(s("volcado"))});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(s("Se ha producido el siguiente error 53-"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(s("paso 260: Error en línea 260.No se encuentra el archivo")))
        << run.err.toStdString();
    EXPECT_FALSE(QDir(QDir(dir.path()).filePath(s("volcado"))).exists());

    EXPECT_EQ(cli({s("catalogues"), s("generate"), s("--scale"), s("cero"), dir.path()}).exitCode, 2);
    EXPECT_EQ(cli({s("catalogues"), s("volcar")}).exitCode, 2);
}
