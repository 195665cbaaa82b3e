#include "FormFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "catalogues/ApplicationTables.h"
#include "widgets/DataCombo.h"

namespace velantor::testing {
namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}
FieldDef t(const char* name, int length) {
    return FieldDef::text(QString::fromLatin1(name), length);
}

} // namespace

TablePtr makeTable(const QString& name, const QList<FieldDef>& fields, const QList<QStringList>& rows) {
    TablePtr table = Table::create(name, fields);
    for (const QStringList& row : rows) {
        table->addRow();
        for (int field = 0; field < row.size(); ++field)
            table->setText(field, row.at(field));
    }
    table->moveFirst();
    return table;
}

catalogues::Catalogues smallCatalogues() {
    catalogues::Catalogues c;
    c.rsCuerpos = makeTable(u8("rsCuerpos"), {t("Grupo", 1), t("CodCuerpo", 6), t("DescCuerpo", 100)},
                            {{u8("A"), u8("00101"), u8("Médico de familia")},
                             {u8("X"), u8("X0001"), u8("Personal directivo")},
                             {u8("C"), u8("00202"), u8("Técnico en cuidados de enfermería")}});
    c.rsGrupos = makeTable(u8("rsGrupos"), {t("Grupo", 1)}, {{u8("A")}, {u8("B")}, {u8("C")}});
    const QList<FieldDef> province{t("CodProvincia", 2), t("Provincia", 20)};
    c.rsProvincias =
        makeTable(u8("rsProvincias"), province,
                  {{u8("06"), u8("Badajoz")}, {u8("10"), u8("Cáceres")}, {u8("28"), u8("Madrid")}});
    c.rsProvinciasVrk =
        makeTable(u8("rsProvinciasVrk"), province, {{u8("06"), u8("Badajoz")}, {u8("10"), u8("Cáceres")}});
    c.rsSituaciones = makeTable(
        u8("rsSituaciones"), {t("CodSituacion", 2), t("esOtras", 1), t("Situacion", 60)},
        {{u8("01"), u8("0"), u8("Excedencia voluntaria")}, {u8("09"), u8("1"), u8("Otras situaciones")}});
    const QList<FieldDef> locality{t("CodProvincia", 2), t("CodLocalidad", 7), t("Localidad", 60)};
    const QList<QStringList> localities{{u8("06"), u8("015"), u8("Badajoz")},
                                        {u8("06"), u8("083"), u8("Mérida")},
                                        {u8("10"), u8("037"), u8("Cáceres")}};
    c.rsLocalidades = makeTable(u8("rsLocalidades"), locality, localities);
    c.rsLocalidadesVacantes = makeTable(u8("rsLocalidadesVacantes"), locality, localities);
    c.rsLocalidadesResultas = makeTable(u8("rsLocalidadesResultas"), locality, localities);
    c.rsLocalidadesVrk = c.rsLocalidades->clone();
    const QList<FieldDef> institution{t("CodConsejeria", 2), t("Consejeria", 50), t("CodArea", 8),
                                      t("CodProvincia", 2)};
    const QList<QStringList> institutions{{u8("01"), u8("Hospital de Mérida"), u8("02"), u8("06")},
                                          {u8("02"), u8("Hospital de Cáceres"), u8("03"), u8("10")},
                                          {u8("03"), u8("Hospital de Badajoz"), u8("01"), u8("06")}};
    c.rsConsejeriasVacantes = makeTable(u8("rsConsejeriasVacantes"), institution, institutions);
    c.rsConsejeriasResultas = makeTable(u8("rsConsejeriasResultas"), institution, institutions);
    const QList<FieldDef> area{t("CodArea", 8), t("Area", 50), t("CodProvincia", 2)};
    const QList<QStringList> areas{{u8("01"), u8("Badajoz"), u8("06")},
                                   {u8("02"), u8("Mérida"), u8("06")},
                                   {u8("03"), u8("Cáceres"), u8("10")}};
    c.rsAreas = makeTable(u8("rsAreas"), area, areas);
    c.rsAreasVrk = makeTable(u8("rsAreasVrk"), area, areas);
    const QList<FieldDef> zone{t("CodZona", 8), t("Zona", 50), t("CodArea", 8), t("CodProvincia", 2),
                               t("CodInstitucion", 2)};
    const QList<QStringList> zones{{u8("01"), u8("Badajoz Centro"), u8("01"), u8("06"), {}},
                                   {u8("02"), u8("Mérida Norte"), u8("02"), u8("06"), {}},
                                   {u8("03"), u8("Cáceres Sur"), u8("03"), u8("10"), {}}};
    c.rsZonas = makeTable(u8("rsZonas"), zone, zones);
    c.rsZonasVrk = makeTable(u8("rsZonasVrk"), zone, zones);
    c.rsInstitucionLocalidad =
        makeTable(u8("rsInstitucionLocalidad"), {t("CodInstitucion", 2), t("CodLocalidad", 7)},
                  {{u8("01"), u8("0608300")}, {u8("02"), u8("1003700")}, {u8("03"), u8("0601500")}});

    const QList<FieldDef> position{t("CodConvocatoria", 5), t("NomConvocatoria", 50),
                                   t("Consejeria", 50),     t("Localidad", 53),
                                   t("CodConsejeria", 2),   t("CodLocalidad", 7),
                                   t("CodProvincia", 2),    t("CodArea", 8),
                                   t("CodZona", 8),         t("Area", 50)};
    const auto positions = [&](const char* name, const QList<QStringList>& rows) {
        return makeTable(u8(name), position, rows);
    };
    const QStringList merida{
        u8("Hospital de Mérida"), u8("Mérida (Badajoz)"), u8("01"), u8("0608300"), u8("06"), u8("02000000")};
    const QStringList caceres{u8("Hospital de Cáceres"),
                              u8("Cáceres (Cáceres)"),
                              u8("02"),
                              u8("1003700"),
                              u8("10"),
                              u8("03000000")};
    const QStringList badajoz{u8("Hospital de Badajoz"),
                              u8("Badajoz (Badajoz)"),
                              u8("03"),
                              u8("0601500"),
                              u8("06"),
                              u8("01000000")};
    const auto row = [](const char* code, const char* name, const QStringList& place, const char* zone) {
        return QStringList{u8(code), u8(name)} + place + QStringList{u8(zone), QString()};
    };
    c.PlazasPorCuerpo = {
        {u8("00101"), true,
         positions("Resultas 00101",
                   {row("70001", "Medicina de familia", merida, "02"),
                    row("70002", "Pediatría", caceres, "03"), row("70003", "Urgencias", badajoz, "01")}),
         positions("Vacantes 00101", {row("30004", "Medicina de familia", badajoz, "01"),
                                      row("30001", "Medicina de familia", merida, "02"),
                                      row("30002", "Urgencias hospitalarias", merida, ""),
                                      row("30003", "Pediatría", caceres, "03")})},
        {u8("00202"), true, positions("Resultas 00202", {row("80001", "Cuidados", caceres, "03")}),
         positions("Vacantes 00202", {row("40001", "Cuidados", merida, "02")})},
    };
    return c;
}

ApplicationTables emptyWorkingTables() {
    return {createPositionListTable(u8("Vacantes")), createPositionListTable(u8("Resultas")),
            createCursosTable(), createDocumentosTable()};
}

ConfiguracionSolicitud testConfiguration(const QString& visibility) {
    ConfiguracionSolicitud conf;
    conf.nombre = u8("Concurso de Traslados");
    conf.numPlazasPorPag = u8("20");
    for (int tab = 0; tab < 5; ++tab) {
        TabConfig& config = conf.tabs[tab];
        config.index = tab;
        config.nombreTab = QStringLiteral("Tab%1").arg(tab);
        config.visibilidad = visibility.mid(tab, 1);
        config.tituloTab = u8("Pestaña %1").arg(tab);
        config.tituloSobreGrid = u8("Título %1").arg(tab);
    }
    return conf;
}

FormFixture::FormFixture(const QString& visibility, const QString& programFolder)
    : catalogues(smallCatalogues()), working(emptyWorkingTables()) {
    window = std::make_unique<frmSolicitudes>(catalogues::SearchTables::fromCatalogues(catalogues), working,
                                              testConfiguration(visibility), messages,
                                              programFolder);
    window->show();
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get());
    settle();
}

FormFixture::~FormFixture() {
    // Closing asks to save; the test's window goes without a question.
    messages.enqueue(MessageAnswer::No);
    window->close();
}

void FormFixture::settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void FormFixture::typeAndLeave(const char* field, const QString& text) {
    QLineEdit* edit = window->lineEdit(QString::fromLatin1(field));
    edit->setFocus(Qt::TabFocusReason);
    settle();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    settle();
}

void FormFixture::fillIdentity() {
    window->lineEdit(u"txtDNI")->setText(QStringLiteral("12345678Z"));
    window->combo(u"cboCuerpo")->setText(QStringLiteral("00101"));
    window->combo(u"cboGrupo")->setText(QStringLiteral("A"));
}

} // namespace velantor::testing
