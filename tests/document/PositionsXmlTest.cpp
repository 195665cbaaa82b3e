#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "catalogues/ApplicationTables.h"
#include "document/PositionsXml.h"

using namespace velantor;

namespace {

ApplicationTables emptyLists() {
    return ApplicationTables{createPositionListTable(QStringLiteral("Vacantes")),
                            createPositionListTable(QStringLiteral("Resultas")), createCursosTable(),
                            createDocumentosTable()};
}

void addPosition(Table& table, int id, int orden, const QString& code, const QString& name,
                 const QString& extra = QStringLiteral("x")) {
    table.addRow();
    table.setNumber(u"IdSolicitud", id);
    table.setNumber(u"Orden", orden);
    table.setText(u"CodConvocatoria", code);
    table.setText(u"NomConvocatoria", name);
    table.setText(u"Consejeria", QStringLiteral("Hospital General ") + extra);
    table.setText(u"Localidad", QStringLiteral("Cáceres (CC)"));
    table.setText(u"CodArea", QStringLiteral("A01"));
    table.setText(u"CodZona", QStringLiteral("Z0101"));
    table.setText(u"Area", QStringLiteral("Área de Salud Norte"));
    table.setText(u"Zona", QStringLiteral("Zona Básica Centro"));
}

void addCourse(Table& table, const QString& course, int hours, int year, const QString& centre, int id) {
    table.addRow();
    table.setText(u"Curso", course);
    table.setNumber(u"NHoras", hours);
    table.setNumber(u"Ano", year);
    table.setText(u"Centro", centre);
    table.setNumber(u"IdCurso", id);
}

void addDocument(Table& table, int id, const QString& name, const QString& centre) {
    table.addRow();
    table.setNumber(u"IdDocumento", id);
    table.setText(u"Documento", name);
    table.setText(u"Horas", QStringLiteral("20"));
    table.setText(u"Fecha", QStringLiteral("01/02/2025"));
    table.setText(u"Centro", centre);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>";

} // namespace

TEST(PositionsXml, EmptyApplicationIsTheDeclarationAndFourEmptyLists) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("000000001__000101.xml"));
    ASSERT_TRUE(PositionsXml::write(path, emptyLists(), dir.filePath(QStringLiteral("traza.txt"))));
    EXPECT_EQ(readFile(path), kDeclaration +
                                  "<Plazas><Vacantes></Vacantes><Resultas></Resultas><Cursos></Cursos>"
                                  "<Documentos></Documentos></Plazas>");
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("traza.txt"))));
    EXPECT_EQ(PositionsXml::fileNameFor(QStringLiteral("000000001__000101.doc")),
              QStringLiteral("000000001__000101.xml"));
}

TEST(PositionsXml, RowsAreOneLineInColumnOrderWithLatin1Letters) {
    ApplicationTables lists = emptyLists();
    addPosition(*lists.resultas, 0, 1, QStringLiteral("01234"),
                QStringLiteral("ENFERMERO/A ATENCIÓN PRIMARIA"));
    addCourse(*lists.cursos, QStringLiteral("Reanimación"), 30, 2024, QStringLiteral("Escuela de Ciencias"),
              0);
    addDocument(*lists.documentos, 0, QStringLiteral("Diploma"), QStringLiteral("Año 2025"));
    const QByteArray bytes = PositionsXml::build(lists);
    const QByteArray expected =
        kDeclaration +
        "<Plazas><Vacantes></Vacantes><Resultas><Plaza><CodConvocatoria>01234</CodConvocatoria>"
        "<NomConvocatoria>ENFERMERO/A ATENCI\xd3N PRIMARIA</NomConvocatoria><Orden>1</Orden>"
        "<Localidad>C\xe1"
        "ceres (CC)</Localidad><Consejeria>Hospital General x</Consejeria>"
        "<IdSolicitud>0</IdSolicitud><CodArea>A01</CodArea><CodZona>Z0101</CodZona>"
        "<Area>\xc1rea de Salud Norte</Area><Zona>Zona B\xe1sica Centro</Zona></Plaza></Resultas>"
        "<Cursos><CursoRealizado><Curso>Reanimaci\xf3n</Curso><NHoras>30</NHoras><Ano>2024</Ano>"
        "<Centro>Escuela de Ciencias</Centro><IdCurso>0</IdCurso></CursoRealizado></Cursos>"
        "<Documentos><Doc><Documento>Diploma</Documento><IdDocumento>0</IdDocumento><Horas>20</Horas>"
        "<Fecha>01/02/2025</Fecha><Centro>A\xf1o 2025</Centro></Doc></Documentos></Plazas>";
    EXPECT_EQ(bytes, expected);
    // The writer leaves every table past its last row.
    EXPECT_TRUE(lists.resultas->eof());
    EXPECT_TRUE(lists.cursos->eof());
    EXPECT_TRUE(lists.documentos->eof());
}

TEST(PositionsXml, AmpersandBecomesABlankOnlyInCourseNamesCentresAndDocumentNames) {
    QTemporaryDir dir;
    ApplicationTables lists = emptyLists();
    addPosition(*lists.vacantes, 0, 1, QStringLiteral("11111"), QStringLiteral("TÉCNICO/A & AUXILIAR"));
    addCourse(*lists.cursos, QStringLiteral("Gestión & calidad"), 20, 2023, QStringLiteral("Centro A&B"), 0);
    addDocument(*lists.documentos, 0, QStringLiteral("Título & diploma"), QStringLiteral("Escuela & Centro"));
    const QByteArray bytes = PositionsXml::build(lists);
    EXPECT_TRUE(bytes.contains("<Curso>Gesti\xf3n   calidad</Curso>"));
    EXPECT_TRUE(bytes.contains("<Centro>Centro A B</Centro>"));
    EXPECT_TRUE(bytes.contains("<Documento>T\xedtulo   diploma</Documento>"));
    EXPECT_TRUE(bytes.contains("<Centro>Escuela &amp; Centro</Centro>"));
    EXPECT_TRUE(bytes.contains("<NomConvocatoria>T\xc9"
                               "CNICO/A &amp; AUXILIAR</NomConvocatoria>"));

    const QString path = dir.filePath(QStringLiteral("s.xml"));
    ASSERT_TRUE(PositionsXml::write(path, lists, dir.filePath(QStringLiteral("traza.txt"))));
    ApplicationTables back = emptyLists();
    ASSERT_TRUE(PositionsXml::read(path, back));
    EXPECT_EQ(back.cursos->textAt(0, back.cursos->fieldIndex(u"Curso")), QStringLiteral("Gestión   calidad"));
    EXPECT_EQ(back.documentos->textAt(0, back.documentos->fieldIndex(u"Centro")),
              QStringLiteral("Escuela & Centro"));
    EXPECT_EQ(back.vacantes->textAt(0, back.vacantes->fieldIndex(u"NomConvocatoria")),
              QStringLiteral("TÉCNICO/A & AUXILIAR"));
}

TEST(PositionsXml, LessThanAndAmpersandInAnyColumnNoLongerLoseTheLists) {
    QTemporaryDir dir;
    ApplicationTables lists = emptyLists();
    addPosition(*lists.vacantes, 0, 1, QStringLiteral("2<3"), QStringLiteral("A&B <C> D"),
                QStringLiteral("&lt;"));
    addCourse(*lists.cursos, QStringLiteral("Curso <avanzado>"), 10, 2022, QStringLiteral("<Centro>"), 0);
    addDocument(*lists.documentos, 0, QStringLiteral("Informe <final>"), QStringLiteral("x"));
    const QString path = dir.filePath(QStringLiteral("s.xml"));
    ASSERT_TRUE(PositionsXml::write(path, lists, dir.filePath(QStringLiteral("traza.txt"))));
    EXPECT_TRUE(readFile(path).contains("<NomConvocatoria>A&amp;B &lt;C&gt; D</NomConvocatoria>"));

    ApplicationTables back = emptyLists();
    ASSERT_TRUE(PositionsXml::read(path, back));
    ASSERT_EQ(back.vacantes->rowCount(), 1);
    EXPECT_EQ(back.vacantes->textAt(0, back.vacantes->fieldIndex(u"CodConvocatoria")), QStringLiteral("2<3"));
    EXPECT_EQ(back.vacantes->textAt(0, back.vacantes->fieldIndex(u"NomConvocatoria")),
              QStringLiteral("A&B <C> D"));
    EXPECT_EQ(back.vacantes->textAt(0, back.vacantes->fieldIndex(u"Consejeria")),
              QStringLiteral("Hospital General &lt;"));
    EXPECT_EQ(back.cursos->textAt(0, back.cursos->fieldIndex(u"Curso")), QStringLiteral("Curso <avanzado>"));
    EXPECT_EQ(back.cursos->textAt(0, back.cursos->fieldIndex(u"Centro")), QStringLiteral("<Centro>"));
    EXPECT_EQ(back.documentos->textAt(0, back.documentos->fieldIndex(u"Documento")),
              QStringLiteral("Informe <final>"));
}

TEST(PositionsXml, TextThatStillFailsGoesToTheTraceAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.xml"));
    const QString trace = dir.filePath(QStringLiteral("traza.txt"));
    writeFile(path, "anterior");
    ApplicationTables lists = emptyLists();
    addDocument(*lists.documentos, 0,
                QStringLiteral("Copia\x01"
                               "dañada"),
                QStringLiteral("x"));
    const Result<void> written = PositionsXml::write(path, lists, trace);
    ASSERT_FALSE(written.has_value());
    EXPECT_EQ(written.error().number, errors::kMalformedXml);
    EXPECT_EQ(readFile(path), QByteArray("anterior"));
    const QByteArray traced = readFile(trace);
    EXPECT_TRUE(traced.startsWith(kDeclaration + "<Plazas>"));
    EXPECT_TRUE(traced.endsWith("</Plazas>\r\n"));
    EXPECT_TRUE(traced.contains("<Documento>Copia\x01"
                                "da\xf1"
                                "ada</Documento>"));
    // The text the user is shown, under "Error de XML".
    EXPECT_EQ(written.error().description, QStringLiteral("Formato erróneo de XML"));
    EXPECT_EQ(PositionsXml::messageTitle(), QStringLiteral("Error de XML"));
}

TEST(PositionsXml, EveryColumnOfEveryRowReadsBackAfterWriting) {
    QTemporaryDir dir;
    ApplicationTables lists = emptyLists();
    addPosition(*lists.vacantes, 4, 1, QStringLiteral("12345"), QStringLiteral("FACULTATIVO/A ESPECIALISTA"));
    addPosition(*lists.vacantes, 0, 2, QStringLiteral("2345"), QStringLiteral("PEDIATRÍA"),
                QStringLiteral("ñ"));
    addPosition(*lists.resultas, 7, 1, QStringLiteral("54321"), QStringLiteral("CELADOR/A"));
    addCourse(*lists.cursos, QStringLiteral("Cuidados paliativos"), 120, 2019, QStringLiteral("Ávila"), 3);
    addCourse(*lists.cursos, QStringLiteral("Línea 1\nLínea 2"), 5, 2020, QStringLiteral(" "), 4);
    addDocument(*lists.documentos, 2, QStringLiteral("Certificado de servicios"), QStringLiteral("Jaén"));
    const QString path = dir.filePath(QStringLiteral("s.xml"));
    ASSERT_TRUE(PositionsXml::write(path, lists, dir.filePath(QStringLiteral("traza.txt"))));
    EXPECT_FALSE(readFile(path).contains('\n')); // one line, even with a line break in a value

    ApplicationTables back = emptyLists();
    ASSERT_TRUE(PositionsXml::read(path, back));
    const std::pair<TablePtr, TablePtr> pairs[] = {{lists.vacantes, back.vacantes},
                                                   {lists.resultas, back.resultas},
                                                   {lists.cursos, back.cursos},
                                                   {lists.documentos, back.documentos}};
    for (const auto& [written, read] : pairs) {
        ASSERT_EQ(read->rowCount(), written->rowCount()) << written->name().toStdString();
        for (int row = 0; row < written->rowCount(); ++row) {
            for (int field = 0; field < written->fieldCount(); ++field) {
                EXPECT_EQ(read->textAt(row, field), written->textAt(row, field))
                    << written->name().toStdString() << " " << row << " "
                    << written->field(field).name.toStdString();
            }
        }
    }
}

TEST(PositionsXml, ReadingAppendsInFileOrderWithoutRenumbering) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.xml"));
    QByteArray plazas;
    for (const char* orden : {"5", "2", "9"}) {
        plazas +=
            QByteArray("<Plaza><CodConvocatoria>0000") + orden +
            "</CodConvocatoria><NomConvocatoria>N</NomConvocatoria><Orden>" + orden +
            "</Orden><Localidad>L</Localidad><Consejeria>C</Consejeria><IdSolicitud>" + orden +
            "</IdSolicitud><CodArea>A</CodArea><CodZona>Z</CodZona><Area>Ar</Area><Zona>Zo</Zona></Plaza>";
    }
    writeFile(path, kDeclaration + "<Plazas><Vacantes>" + plazas +
                        "</Vacantes><Resultas/><Cursos/><Documentos/></Plazas>");
    ApplicationTables lists = emptyLists();
    addPosition(*lists.vacantes, 0, 1, QStringLiteral("99999"), QStringLiteral("YA ESTABA"));
    ASSERT_TRUE(PositionsXml::read(path, lists));
    ASSERT_EQ(lists.vacantes->rowCount(), 4);
    const int orden = lists.vacantes->fieldIndex(u"Orden");
    EXPECT_EQ(lists.vacantes->numberAt(0, orden), 1);
    EXPECT_EQ(lists.vacantes->numberAt(1, orden), 5);
    EXPECT_EQ(lists.vacantes->numberAt(2, orden), 2);
    EXPECT_EQ(lists.vacantes->numberAt(3, orden), 9);
    EXPECT_EQ(lists.vacantes->textAt(3, lists.vacantes->fieldIndex(u"CodConvocatoria")),
              QStringLiteral("00009"));
    EXPECT_EQ(readFile(path).count("<Plaza>"), 3); // the file itself is not changed
}

TEST(PositionsXml, MissingOrMalformedFilesReadNothingAndAMissingColumnStopsTheReading) {
    QTemporaryDir dir;
    ApplicationTables lists = emptyLists();
    EXPECT_TRUE(PositionsXml::read(dir.filePath(QStringLiteral("no.xml")), lists));
    const QString malformed = dir.filePath(QStringLiteral("mal.xml"));
    writeFile(malformed, kDeclaration + "<Plazas><Vacantes><Plaza>");
    EXPECT_TRUE(PositionsXml::read(malformed, lists));
    EXPECT_EQ(lists.vacantes->rowCount(), 0);

    // The second course lacks its year: the first course stays, documents are not read.
    const QString path = dir.filePath(QStringLiteral("s.xml"));
    writeFile(path,
              kDeclaration +
                  "<Plazas><Vacantes></Vacantes><Resultas></Resultas><Cursos>"
                  "<CursoRealizado><Curso>A</Curso><NHoras>1</NHoras><Ano>2020</Ano><Centro>C</Centro>"
                  "<IdCurso>0</IdCurso></CursoRealizado>"
                  "<CursoRealizado><Curso>B</Curso><NHoras>2</NHoras><Centro>C</Centro><IdCurso>1</IdCurso>"
                  "</CursoRealizado></Cursos><Documentos><Doc><Documento>D</Documento><IdDocumento>0"
                  "</IdDocumento><Horas/><Fecha/><Centro/></Doc></Documentos></Plazas>");
    const Result<void> read = PositionsXml::read(path, lists);
    ASSERT_FALSE(read.has_value());
    EXPECT_EQ(read.error().number, errors::kMissingXmlItem);
    EXPECT_TRUE(read.error().description.contains(QStringLiteral("Ano")));
    EXPECT_EQ(lists.cursos->textAt(0, lists.cursos->fieldIndex(u"Curso")), QStringLiteral("A"));
    EXPECT_EQ(lists.documentos->rowCount(), 0);
}

TEST(PositionsXml, CharactersOutsideLatin1AreCharacterReferencesAndComeBack) {
    QTemporaryDir dir;
    ApplicationTables lists = emptyLists();
    const QString document = QStringLiteral("Recibo 20 € – copia d’Ávila 𝄞");
    const QString course = QStringLiteral("Curso “avanzado”");
    addDocument(*lists.documentos, 0, document, QStringLiteral("Centro ‘Œ’"));
    addCourse(*lists.cursos, course, 10, 2022, QStringLiteral("Ávila"), 0);
    const QByteArray bytes = PositionsXml::build(lists);
    EXPECT_TRUE(bytes.contains("<Documento>Recibo 20 &#8364; &#8211; copia d&#8217;\xc1vila &#119070;</Documento>"));
    EXPECT_FALSE(bytes.mid(kDeclaration.size()).contains('?'));

    const QString path = dir.filePath(QStringLiteral("s.xml"));
    ASSERT_TRUE(PositionsXml::write(path, lists, dir.filePath(QStringLiteral("traza.txt"))));
    ApplicationTables back = emptyLists();
    ASSERT_TRUE(PositionsXml::read(path, back));
    EXPECT_EQ(back.documentos->textAt(0, back.documentos->fieldIndex(u"Documento")), document);
    EXPECT_EQ(back.documentos->textAt(0, back.documentos->fieldIndex(u"Centro")), QStringLiteral("Centro ‘Œ’"));
    EXPECT_EQ(back.cursos->textAt(0, back.cursos->fieldIndex(u"Curso")), course);
}
