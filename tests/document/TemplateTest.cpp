#include <numeric>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "docengine/WordDocument.h"

using namespace velantor;

namespace {

QString defaultTemplate() {
    return QDir(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR))
        .filePath(QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot"));
}

// The document fields the application form fills: text boxes, option buttons (check
// boxes) and selection lists (a second field with "1").
const QStringList kTextFields{QStringLiteral("NOMBRE"),
                              QStringLiteral("PRIMERAPELLIDO"),
                              QStringLiteral("SEGUNDOAPELLIDO"),
                              QStringLiteral("NDNI"),
                              QStringLiteral("FECHANACIMIENTO"),
                              QStringLiteral("TELEFONO"),
                              QStringLiteral("DOMICILIO"),
                              QStringLiteral("LOCALIDAD"),
                              QStringLiteral("CPOSTAL"),
                              QStringLiteral("TIPODISCAPACIDAD"),
                              QStringLiteral("ADAPTACIONESPRECISAS"),
                              QStringLiteral("NUMEROREGISTRO"),
                              QStringLiteral("FECHAINGRESO"),
                              QStringLiteral("SSCUALOTROS"),
                              QStringLiteral("FECHAPOSESION"),
                              QStringLiteral("INSTITUCION"),
                              QStringLiteral("LOCALIDADPUESTO"),
                              QStringLiteral("PROVINCIAPUESTO"),
                              QStringLiteral("CUALOTRAS"),
                              QStringLiteral("FECHASIT"),
                              QStringLiteral("PROVINCIAACT"),
                              QStringLiteral("ZBSACT"),
                              QStringLiteral("INSTITUCIONACT"),
                              QStringLiteral("NDNICONYUGE"),
                              QStringLiteral("CONYUNOMBRE"),
                              QStringLiteral("CONYUPRIMERAPELLIDO"),
                              QStringLiteral("CONYUSEGUNDOAPELLIDO")};
const QStringList kCheckBoxes{QStringLiteral("DISCAPACIDADSI"),
                              QStringLiteral("DISCAPACIDADNO"),
                              QStringLiteral("ONDEX"),
                              QStringLiteral("SSOTROS"),
                              QStringLiteral("DEFINITIVO"),
                              QStringLiteral("TEMPORAL"),
                              QStringLiteral("ACTIVO"),
                              QStringLiteral("OTRAS"),
                              QStringLiteral("VOLUNTARIO"),
                              QStringLiteral("FORZOSO"),
                              QStringLiteral("REINGRESOSI"),
                              QStringLiteral("REINGRESONO"),
                              QStringLiteral("SEACOMPAÑAPETICIONSI"),
                              QStringLiteral("SEACOMPAÑAPETICIONNO")};
const QStringList kListFields{QStringLiteral("PROVINCIA"),      QStringLiteral("CUERPOOESCALA"),
                              QStringLiteral("GRUPO"),          QStringLiteral("PROVINCIAVrk"),
                              QStringLiteral("AREAVrk"),        QStringLiteral("ZBSVrk"),
                              QStringLiteral("LOCALIDADVrk"),   QStringLiteral("LOCALIDADPREFERENCIA"),
                              QStringLiteral("ZBSPREFERENCIA"), QStringLiteral("AREAPREFERENCIA")};

} // namespace

TEST(Template, HasEveryFieldOfTheFormOnceWithItsKind) {
    Result<WordDocument> doc = WordDocument::openTemplate(defaultTemplate());
    ASSERT_TRUE(doc.has_value()) << doc.error().description.toStdString();
    const QStringList names = doc->formFieldNames();
    QStringList expected = kTextFields + kCheckBoxes;
    for (const QString& list : kListFields) {
        expected << list << list + u'1';
    }
    EXPECT_EQ(names.size(), expected.size());
    for (const QString& name : expected) {
        EXPECT_EQ(names.count(name), 1) << name.toStdString();
    }
    for (const QString& name : kTextFields) {
        EXPECT_EQ(doc->fieldText(name).value_or(QStringLiteral("?")), QString()) << name.toStdString();
    }
    for (const QString& name : kListFields) {
        EXPECT_TRUE(doc->fieldText(name + u'1').has_value()) << name.toStdString();
    }
    for (const QString& name : kCheckBoxes) {
        EXPECT_EQ(doc->isChecked(name).value_or(true), false) << name.toStdString();
    }
    // Written exactly as named, "Ñ" included, for peers that match names exactly.
    EXPECT_TRUE(doc->part(QStringLiteral("word/document.xml")).contains("w:val=\"SEACOMPAÑAPETICIONSI\""));
}

TEST(Template, HasTheHeaderBookmarksAndTheTablesWhereTheGeneratorLooks) {
    WordDocument doc = WordDocument::openTemplate(defaultTemplate()).value();
    for (const char* name : {"DNICAB", "FECHAIMPR", "BORRADOR"}) {
        EXPECT_EQ(doc.bookmarkText(QString::fromLatin1(name)).value_or(QStringLiteral("?")), QString())
            << name;
    }
    const int tables = doc.tableCount();
    ASSERT_GE(tables, 6);
    // Table 2: the form, whose first cell is the first page's barcode place.
    EXPECT_EQ(doc.cellText(2, 1, 1).value(),
              QStringLiteral("Espacio reservado para el código de barras de la solicitud"));
    // Table 3: courses, a header row and four columns.
    EXPECT_EQ(doc.rowCount(3).value(), 1);
    EXPECT_EQ(doc.columnCount(3).value(), 4);
    EXPECT_EQ(doc.cellText(3, 1, 1).value(), QStringLiteral("Curso"));
    EXPECT_EQ(doc.cellText(3, 1, 4).value(), QStringLiteral("Centro"));
    // The last three: vacancies (6 columns), resultas (5), documents (2).
    EXPECT_EQ(doc.columnCount(tables - 2).value(), 6);
    EXPECT_EQ(doc.cellText(tables - 2, 1, 2).value(), QStringLiteral("Código\n(5 Dígitos)\nConvocatoria"));
    EXPECT_EQ(doc.cellText(tables - 2, 1, 5).value(), QStringLiteral("Localidad o Z.B.S.(Provincia)"));
    EXPECT_EQ(doc.columnCount(tables - 1).value(), 5);
    EXPECT_EQ(doc.rowCount(tables - 1).value(), 2);
    EXPECT_EQ(doc.cellText(tables - 1, 1, 3).value(), QStringLiteral("PUESTO DE TRABAJO"));
    EXPECT_EQ(doc.cellText(tables - 1, 2, 4).value(), QStringLiteral("CONSEJERÍA"));
    EXPECT_EQ(doc.columnCount(tables).value(), 2);
    EXPECT_EQ(doc.cellText(tables, 1, 1).value(), QStringLiteral("NºDocumento"));
    // Widths fill the text width, so continuation tables copied from them line up.
    for (int t : {3, tables - 2, tables - 1, tables}) {
        const std::vector<int> widths = doc.columnWidths(t).value();
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), 9638) << t;
    }
}

TEST(Template, AMissingTemplateOrFolderIsNamed) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("DOT_10111"));
    const Error noFolder = WordDocument::openTemplate(folder + QStringLiteral("/PlantillaWXP.dot")).error();
    EXPECT_EQ(noFolder.number, errors::kPathNotFound);
    EXPECT_TRUE(noFolder.description.contains(QDir::toNativeSeparators(folder)))
        << noFolder.description.toStdString();
    ASSERT_TRUE(QDir().mkpath(folder));
    const Error noFile = WordDocument::openTemplate(folder + QStringLiteral("/PlantillaWXP.dot")).error();
    EXPECT_EQ(noFile.number, errors::kFileNotFound);
    EXPECT_TRUE(noFile.description.contains(QStringLiteral("PlantillaWXP.dot")));
}
