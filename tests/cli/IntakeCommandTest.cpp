#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "document/ApplicationSample.h"
#include "document/BarcodeRecord.h"
#include "document/SolicitudBarcode.h"
#include "form/SolicitudJson.h"
#include "support/CliRun.h"
#include "support/ScanSample.h"

using namespace velantor;
using namespace Qt::Literals::StringLiterals;

namespace {

const barcode::BarcodeStamp kFirstPrint{u"07/12/2026"_s, u"10:15:00"_s};
const barcode::BarcodeStamp kReprint{u"08/12/2026"_s, u"09:00:05"_s};

QStringList csvRows(const QString& path) {
    QStringList rows = QString::fromUtf8(test::fileBytes(path)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    if (!rows.isEmpty())
        rows.removeFirst();
    return rows;
}

QList<barcode::BarcodePosition> orders(int from, int to, int code) {
    QList<barcode::BarcodePosition> positions;
    for (int orden = from; orden <= to; ++orden)
        positions.append({orden, QString::number(code + orden)});
    return positions;
}

// Pages of printed applications written as PNG scans into a batch folder.
class IntakeCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"lote"_s));
        m_datos = test::sampleDatos();
        m_datos.situationEsOtras = u"1"_s; // the typed situation goes into the record
        m_datos.bodyGroup = u"A1"_s;
    }

    QString header(const SolicitudDatos& datos) const {
        return barcode::buildBarcodeHeader(barcodeRecordInput(datos));
    }

    void firstPage(const QString& file, const SolicitudDatos& datos, const barcode::BarcodeStamp& stamp) {
        const auto record = barcode::buildApplicationRecord(barcodeRecordInput(datos));
        ASSERT_TRUE(record.has_value());
        write(file, test::printedBarcode(barcode::firstPagePayload(header(datos), stamp, *record),
                                         kFirstPageBarcodeBox));
    }

    void positionPage(const QString& file, const SolicitudDatos& datos, const barcode::BarcodeStamp& stamp,
                      QChar letter, int page, const QList<barcode::BarcodePosition>& positions) {
        const QString text = barcode::barcodePositionText(positions);
        write(file, test::printedBarcode(barcode::barcodePayload(header(datos), stamp, letter, page, text)));
    }

    void write(const QString& file, const BarcodeImage& image) {
        ASSERT_FALSE(image.isNull());
        QFile out(QDir(m_dir.path()).filePath(file));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(image.toPng());
    }

    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    QTemporaryDir m_dir;
    SolicitudDatos m_datos;
};

// One batch holding a complete application (and the same page scanned twice), one with a
// position page missing, and one whose applicant edited and reprinted it.
TEST_F(IntakeCommandTest, ReportsMissingDuplicateAndMixedPages) {
    firstPage(u"lote/01.png"_s, m_datos, kFirstPrint);
    positionPage(u"lote/02.png"_s, m_datos, kFirstPrint, u'V', 3, {{1, u"10001"_s}, {2, u"10003"_s}});
    positionPage(u"lote/03.png"_s, m_datos, kFirstPrint, u'R', 4, {{1, u"60003"_s}});
    write(u"lote/04.png"_s, BarcodeImage(400, 300)); // a courses page: no barcode

    SolicitudDatos missing = m_datos;
    missing.setText(u"txtDNI"_s, u"00000002W"_s);
    firstPage(u"lote/05.png"_s, missing, kFirstPrint);
    positionPage(u"lote/06.png"_s, missing, kFirstPrint, u'V', 3, orders(1, 40, 10000));
    positionPage(u"lote/07.png"_s, missing, kFirstPrint, u'V', 5, orders(81, 82, 10000));

    SolicitudDatos edited = m_datos;
    edited.setText(u"txtDNI"_s, u"00000003A"_s);
    firstPage(u"lote/08.png"_s, edited, kFirstPrint);
    firstPage(u"lote/09.png"_s, edited, kReprint);
    positionPage(u"lote/10.png"_s, edited, kReprint, u'V', 3, {{1, u"10001"_s}});
    // The vacancies page of the first application again, outside the folder.
    ASSERT_TRUE(QFile::copy(path(u"lote/02.png"_s), path(u"otra.png"_s)));

    const test::CliRun run =
        test::runCli({u"intake"_s, u"--out"_s, path(u"salida"_s), path(u"lote"_s), path(u"otra.png"_s)});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"11 de 11"_s)) << run.err.toStdString();

    const QString complete = u"00000001R_00101A_20261207101500"_s;
    const QString gap = u"00000002W_00101A_20261207101500"_s;
    const QString older = u"00000003A_00101A_20261207101500"_s;
    const QString newer = u"00000003A_00101A_20261208090005"_s;
    const QStringList pages = csvRows(path(u"salida/paginas.csv"_s));
    ASSERT_EQ(pages.size(), 11);
    const QString folder = path(u"lote"_s) + u'/';
    EXPECT_EQ(pages[0], folder + u"01.png,1,leida,"_s + complete + u",P001,directo"_s);
    EXPECT_EQ(pages[3], folder + u"04.png,1,sin_codigo,,,"_s);
    EXPECT_EQ(pages[7], folder + u"08.png,1,otra_impresion,"_s + older + u",P001,directo"_s);
    EXPECT_EQ(pages[8], folder + u"09.png,1,leida,"_s + newer + u",P001,directo"_s);
    EXPECT_EQ(pages[10], path(u"otra.png"_s) + u",1,duplicada,"_s + complete + u",V003,directo"_s);

    const QStringList applications = csvRows(path(u"salida/solicitudes.csv"_s));
    ASSERT_EQ(applications.size(), 3);
    EXPECT_EQ(applications[0], complete + u",00000001R,00101,A,07/12/2026 10:15:00,3,2,1,completa,"_s);
    EXPECT_EQ(applications[1], gap + u",00000002W,00101,A,07/12/2026 10:15:00,3,42,0,incompleta,falta la hoja V004"_s);
    EXPECT_TRUE(applications[2].startsWith(newer + u",00000003A,00101,A,08/12/2026 09:00:05,2,1,0,mezclada,"_s))
        << applications[2].toStdString();
    EXPECT_TRUE(applications[2].contains(older)) << applications[2].toStdString();
    for (const QString& id : {complete, gap, newer})
        EXPECT_TRUE(QFile::exists(path(u"salida/"_s + id + u".json"_s))) << id.toStdString();
}

// The rebuilt JSON holds what the export of the saved application holds, for every
// field the barcodes carry, compared as the barcode folds texts.
TEST_F(IntakeCommandTest, RebuildsTheExportedFieldsOfACompleteApplication) {
    firstPage(u"lote/1.png"_s, m_datos, kFirstPrint);
    positionPage(u"lote/2.png"_s, m_datos, kFirstPrint, u'V', 3, {{1, u"10001"_s}, {2, u"10003"_s}});
    positionPage(u"lote/3.png"_s, m_datos, kFirstPrint, u'R', 4, {{1, u"60003"_s}});
    const test::CliRun run = test::runCli({u"intake"_s, u"--out"_s, path(u"salida"_s), path(u"lote"_s)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QJsonObject read = QJsonDocument::fromJson(test::fileBytes(
                                                         path(u"salida/00000001R_00101A_20261207101500.json"_s)))
                                 .object();
    const QJsonObject exported = QJsonDocument::fromJson(solicitudToJson(m_datos)).object();
    const QJsonObject readControls = read[u"controls"_s].toObject();
    const QJsonObject exportedControls = exported[u"controls"_s].toObject();
    const QStringList carried{
        u"optForzoso"_s,        u"optVoluntario"_s,    u"txtApellido1"_s,       u"txtApellido2"_s,
        u"txtNombre"_s,         u"txtDNI"_s,           u"txtFecNacimiento"_s,   u"txtTelefono"_s,
        u"optPetConyugeSi"_s,   u"optPetConyugeNo"_s,  u"txtDNIConyuge"_s,      u"txtConyuApellido1"_s,
        u"txtCOnyuApellido2"_s, u"txtConyuNombre"_s,   u"optDiscSi"_s,          u"optDiscNo"_s,
        u"txtTipoDisc"_s,       u"txtAdaptaciones"_s,  u"txtDomicilio"_s,       u"txtLocalidad"_s,
        u"cboProvincia"_s,      u"txtCP"_s,            u"cboCuerpo"_s,          u"cboGrupo"_s,
        u"txtNRP"_s,            u"txtFechaIngreso"_s,  u"optActivo"_s,          u"optOtras"_s,
        u"txtSitAdm"_s,         u"txtFechaSit"_s,      u"OptSi"_s,              u"OptNo"_s,
        u"optSSOndex"_s,        u"optSSOtros"_s,       u"txtSS"_s,              u"optDefinitivo"_s,
        u"optTemporal"_s,       u"txtPuesto"_s,        u"txtLocalidadPuesto"_s, u"txtProvinciaPuesto"_s,
        u"optReingesoSi"_s,     u"optReingresoNo"_s,   u"txtFecPosesion"_s,     u"txtInstiAct"_s,
        u"txtZBSAct"_s,         u"txtProvAct"_s};
    for (const QString& name : carried) {
        const QJsonValue expected = exportedControls[name];
        const QJsonValue actual = readControls[name];
        ASSERT_FALSE(actual.isUndefined()) << name.toStdString();
        if (expected.isBool())
            EXPECT_EQ(actual, expected) << name.toStdString();
        else
            EXPECT_EQ(barcode::foldBarcodeText(actual.toString()), barcode::foldBarcodeText(expected.toString()))
                << name.toStdString();
    }
    // Folding undone where Spanish spelling leaves one answer.
    EXPECT_EQ(readControls[u"txtApellido1"_s].toString(), u"Núñez"_s);
    for (const QString& list : {u"Vacantes"_s, u"Resultas"_s}) {
        const QJsonArray expected = exported[list].toArray(), actual = read[list].toArray();
        ASSERT_EQ(actual.size(), expected.size()) << list.toStdString();
        for (qsizetype i = 0; i < actual.size(); ++i)
            for (const QString& field : {u"Orden"_s, u"CodConvocatoria"_s})
                EXPECT_EQ(actual[i].toObject()[field], expected[i].toObject()[field]);
    }
}

TEST_F(IntakeCommandTest, RefusesBadArgumentsAndFiles) {
    QFile text(path(u"nota.txt"_s));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no es una imagen");
    text.close();
    for (const QStringList& args : {QStringList{u"intake"_s, path(u"lote"_s)},
                                    QStringList{u"intake"_s, u"--out"_s, path(u"salida"_s)},
                                    QStringList{u"intake"_s, u"--out"_s, path(u"salida"_s), path(u"nada.png"_s)},
                                    QStringList{u"intake"_s, u"--out"_s, path(u"salida"_s), path(u"nota.txt"_s)}}) {
        const test::CliRun run = test::runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_FALSE(QFile::exists(path(u"salida/paginas.csv"_s)));
    }
}

} // namespace
