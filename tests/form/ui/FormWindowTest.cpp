#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "form/SolicitudDatos.h"
#include "form/ui/FormWidgetView.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(FormWindow, ConfigurationSetsCaptionsTitlesVisibilityAndTemplateFolder) {
    FormFixture f(QStringLiteral("SNSSs"));
    frmSolicitudes& w = f.form();
    EXPECT_EQ(w.windowTitle(), u8("Concurso de Traslados 1.2.0"));
    QTabWidget* tabs = w.tabs();
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(2), u8("Pestaña 2"));
    EXPECT_EQ(w.gridLabel(3)->text(), u8("Título 3"));
    EXPECT_TRUE(tabs->isTabVisible(0));
    EXPECT_FALSE(tabs->isTabVisible(1));
    EXPECT_TRUE(tabs->isTabVisible(3));
    EXPECT_FALSE(tabs->isTabVisible(4)) << "lower-case s hides the tab";
    EXPECT_EQ(w.templateFolderName(), u8("DOT_10110"));
}

TEST(FormWindow, MenuItemsStartInTheirStatesWithMnemonics) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    const struct {
        int index;
        const char* caption;
        bool enabled;
        bool visible;
    } expected[] = {{1000, "&Imprimir", false, true},
                    {2000, "&Guardar", false, true},
                    {2500, "&Cargar otra solicitud", false, false},
                    {3000, "&Salir", true, true},
                    {4000, "A&yuda", true, true},
                    {5000, "Cambiar c&ontraseña", true, false}};
    for (const auto& item : expected) {
        QAction* action = w.menuItem(item.index);
        ASSERT_NE(action, nullptr) << item.index;
        EXPECT_EQ(action->text(), u8(item.caption));
        EXPECT_EQ(action->objectName(), QStringLiteral("mnuP%1").arg(item.index));
        if (item.visible) // a hidden action always reads as disabled
            EXPECT_EQ(action->isEnabled(), item.enabled) << item.index;
        EXPECT_EQ(action->isVisible(), item.visible) << item.index;
    }
    w.setUserHasPassword(true);
    EXPECT_TRUE(w.menuItem(5000)->isVisible());
    EXPECT_TRUE(w.menuItem(5000)->isEnabled());
}

TEST(FormWindow, TabGuardSendsBackToTheFirstTabUntilIdentityBodyAndGroupAreFilled) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    w.lineEdit(u"txtDNI")->setText(QStringLiteral("12345678Z"));
    w.combo(u"cboCuerpo")->setText(QStringLiteral("00101"));

    w.tabs()->setCurrentIndex(3);
    EXPECT_EQ(w.tabs()->currentIndex(), 0);
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("Compruebe que ha rellenado los datos del formulario"));
    EXPECT_EQ(f.messages.last().title, u8("Datos incompletos"));
    EXPECT_EQ(f.messages.last().icon, MessageIcon::Exclamation);
    EXPECT_FALSE(w.menuItem(1000)->isEnabled()) << "print stays as it was";
    EXPECT_FALSE(w.menuItem(2000)->isEnabled());

    w.combo(u"cboGrupo")->setText(QStringLiteral("A"));
    w.tabs()->setCurrentIndex(1);
    EXPECT_EQ(w.tabs()->currentIndex(), 1);
    EXPECT_EQ(f.messages.messages().size(), 1u);
    EXPECT_TRUE(w.menuItem(1000)->isEnabled());
    EXPECT_TRUE(w.menuItem(2000)->isEnabled());
    EXPECT_FALSE(w.menuItem(2500)->isVisible()) << "no code ever shows it";
}

TEST(FormWindow, ListsAreBoundToTheirCataloguesAndTheBodyListHidesGroupX) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    DataCombo* bodies = w.combo(u"cboCuerpo");
    EXPECT_EQ(bodies->rowCount(), 2);
    bodies->setText(QStringLiteral("X0001"));
    EXPECT_FALSE(bodies->holdsValidEntry());
    bodies->setText(QStringLiteral("00202"));
    EXPECT_TRUE(bodies->holdsValidEntry());
    EXPECT_EQ(bodies->column(1), u8("Técnico en cuidados de enfermería"));
    EXPECT_EQ(bodies->column(2), u8("C"));
    ASSERT_GE(bodies->columns().size(), 2);
    EXPECT_EQ(bodies->columns().at(0).widthTwips, 900);
    EXPECT_EQ(bodies->columns().at(1).widthTwips, 5700);

    // The vacancy area list and the preference area list share one table.
    f.catalogues.rsAreas->setFilter(QStringLiteral("CodProvincia='10' "));
    EXPECT_EQ(w.combo(u"cboPrefArea")->rowCount(), 1);
    EXPECT_EQ(w.combo(u"cboAreasVacantes")->rowCount(), 1);
    EXPECT_EQ(w.combo(u"cboAreasResultas")->rowCount(), 3) << "the Resultas side filters its own copy";
}

TEST(FormWindow, GridsShowTheWorkingTablesWithTheirCaptions) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    DataGrid* vacancies = w.grid(u"grdVacantes");
    DataGrid* resultas = w.grid(u"grdResultas");
    EXPECT_EQ(vacancies->table(), f.working.vacantes);
    EXPECT_EQ(w.grid(u"grdCursos")->table(), f.working.cursos);
    EXPECT_EQ(w.grid(u"grdDocumentos")->table(), f.working.documentos);
    EXPECT_EQ(vacancies->columnCaption(4), u8("Localidad/Z.B.S."));
    EXPECT_EQ(resultas->columnCaption(4), u8("Localidad o Z.B.S. (Provincia)"));
    EXPECT_EQ(w.grid(u"grdDocumentos")->columnCaption(0), u8("Nº Documento"));
}

TEST(FormWindow, TextFieldsFeedingATableColumnCarryItsLength) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    const struct {
        const char* name;
        int length;
    } fields[] = {{"txtCurso", 100},    {"txtCentro", 100},  {"txtDoc", 100},
                  {"txtNumHoras", 6},   {"txtFechaFin", 10}, {"txtCentroFormacion", 100},
                  {"txtCodVacante", 5}, {"txtCodResulta", 5}};
    for (const auto& field : fields)
        EXPECT_EQ(w.lineEdit(QString::fromLatin1(field.name))->maxLength(), field.length) << field.name;
}

TEST(FormWindow, PrintTimerBlocksClosingAndBringsTheCommandsBack) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    EXPECT_EQ(w.printTimer()->interval(), 10000);
    EXPECT_FALSE(w.printTimer()->isActive());
    w.startPrintTimer();
    EXPECT_FALSE(w.menuItem(1000)->isEnabled());
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(f.messages.empty()) << "a running print refuses closing silently";
    w.printTimer()->setInterval(1);
    w.printTimer()->start();
    for (int i = 0; i < 200 && w.printTimer()->isActive(); ++i)
        QTest::qWait(5);
    EXPECT_FALSE(w.printTimer()->isActive());
    EXPECT_TRUE(w.menuItem(1000)->isEnabled());
    EXPECT_TRUE(w.menuItem(2000)->isEnabled());
}

TEST(FormWindow, ClosingAsksToSaveAndCancelKeepsTheWindowOpen) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.messages.enqueue(MessageAnswer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(f.messages.last().text, u8("La aplicación se cerrará, ¿desea guardar los cambios?"));
    EXPECT_EQ(f.messages.last().title, u8("Solicitud"));

    // Yes with nothing identifying the application: the save check refuses, the window stays.
    f.messages.enqueue(MessageAnswer::Yes);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(f.messages.last().title, u8("Datos no válidos"));
    EXPECT_TRUE(w.isVisible());
}

TEST(FormWindow, ActivationEnablesTheSearchListsOnlyWithBodyAndGroup) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    FormView& view = w.view();
    w.setSearchListsEnabled(false);
    EXPECT_FALSE(view.isEnabled(u"cboProvinciaResultas"));
    EXPECT_TRUE(view.isEnabled(u"cboProvinciaVacantes")) << "the province rule wins on the vacancy side";
    EXPECT_FALSE(view.isEnabled(u"cboAreasVacantes"));

    w.combo(u"cboProvinciaVacantes")->setText(QStringLiteral("06"));
    w.setSearchListsEnabled(true);
    EXPECT_TRUE(view.isEnabled(u"cboProvinciaResultas"));
    EXPECT_FALSE(view.isEnabled(u"cboProvinciaVacantes"));
    EXPECT_TRUE(view.isEnabled(u"cboAreasVacantes"));
    EXPECT_TRUE(view.isEnabled(u"cboLocalidadVacantes"));
}

TEST(FormWindow, ChosenCurrentPostZoneReachesTheApplicationValues) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    w.view().setChecked(u"OptSi", true);
    w.combo(u"cboZBSVrk")->chooseRow(1);
    ASSERT_EQ(w.combo(u"cboZBSVrk")->text(), u8("02"));
    SolicitudDatos values;
    values.readFrom(w.view());
    EXPECT_EQ(values.valueByTag(u"ZBSVrk"), u8("02")) << "the unbound zone list must not overwrite it";
    EXPECT_EQ(values.text(u"cboZBSVrk"), u8("02"));
}

TEST(FormWindow, EndingAfterTheExistingApplicationWarningAsksNothing) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    w.endWithoutSaving();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(f.messages.empty());
}

// The check for an existing application, set on the window, is the one the body and group
// lists run: an existing document stops the choice of the position tables.
TEST(FormWindow, ChoosingTheBodyRunsTheExistingApplicationCheckFirst) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    int calls = 0;
    bool exists = true;
    w.setExistingApplicationCheck([&] {
        ++calls;
        return exists;
    });
    w.lineEdit(u"txtDNI")->setText(QStringLiteral("12345678Z"));
    DataCombo* bodies = w.combo(u"cboCuerpo");
    const int row = bodies->table()->findEqual(bodies->table()->requireField(u"CodCuerpo"), u8("00101"));
    ASSERT_GE(row, 0);
    bodies->chooseRow(row);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(w.searchTables().rsPlazasVacantes, nullptr);
    EXPECT_EQ(w.combo(u"cboPuestoVacante")->rowCount(), 0);

    exists = false;
    bodies->chooseRow(row);
    EXPECT_EQ(calls, 2);
    ASSERT_NE(w.searchTables().rsPlazasVacantes, nullptr);
    EXPECT_EQ(w.combo(u"cboPuestoVacante")->rowCount(), 4);
    EXPECT_EQ(w.combo(u"cboPuestoResultas")->rowCount(), 3);
    EXPECT_EQ(w.view().text(u"lblCat"), u8("Médico de familia"));
    EXPECT_EQ(w.view().text(u"cboGrupo"), u8("A"));
    EXPECT_TRUE(f.messages.empty());
}
