#include <functional>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "SampleProgram.h"
#include "catalogues/ListBindings.h"
#include "form/search/PositionSearch.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "form/FormView.h"
#include "catalogues/ApplicationTables.h"
#include "form/ui/frmSolicitudes.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "support/PictureSize.h"

// A whole search-and-add round on the form over the shipped sample program, driven through
// the real widgets: body and group, the search lists of both position tabs narrowing the
// positions offered, then adding, moving, deleting and inserting all. With
// VELANTOR_SCREENSHOT_DIR set (under Xvfb, QT_QPA_PLATFORM=xcb) it also writes pictures of
// both tabs with a search under way: form-vacantes-search.png and form-resultas-search.png.

using namespace velantor;
using velantor::testing::SampleProgram;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// The codes of the visible rows of a table that satisfy a condition, in table order.
QStringList codesWhere(const Table& table, const std::function<bool(const Table&, int)>& keep) {
    QStringList codes;
    const int code = table.requireField(u"CodConvocatoria");
    for (int row = 0; row < table.rowCount(); ++row)
        if (keep(table, row))
            codes << table.textAt(row, code);
    return codes;
}

QString field(const Table& table, int row, const char* name) {
    return table.textAt(row, table.requireField(QString::fromLatin1(name)));
}

// The orders and codes of a requested list, as the grid shows them.
QStringList orderedCodes(const Table& list) {
    QStringList rows;
    for (int row = 0; row < list.rowCount(); ++row)
        rows << QStringLiteral("%1:%2")
                    .arg(list.numberAt(row, list.requireField(u"Orden")))
                    .arg(field(list, row, "CodConvocatoria"));
    return rows;
}

class FormSearchRound : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sample.ok);
        Result<ConfiguracionSolicitud> conf = leerConfiguracion(sample.folder.path());
        ASSERT_TRUE(conf.has_value());
        window = std::make_unique<frmSolicitudes>(catalogues::SearchTables::fromCatalogues(sample.loaded),
                                                  workingTablesOf(sample.loaded), *conf, sample.messages,
                                                  sample.folder.path());
        velantor::testing::giveCheckingSize(*window);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowActive(window.get());
        settle();
    }
    void TearDown() override {
        if (!window)
            return;
        sample.messages.enqueue(MessageAnswer::No);
        window->close();
    }

    frmSolicitudes& w() { return *window; }
    DataCombo* list(const char* name) { return w().combo(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return w().controlAs<QPushButton>(QString::fromLatin1(name)); }
    QString text(const char* name) { return w().view().text(QString::fromLatin1(name)); }
    bool enabled(const char* name) { return w().view().isEnabled(QString::fromLatin1(name)); }

    // Types the code into the list, opens its drop-down with F4 and takes the row the
    // text designates with Enter, as a user does.
    void pick(const char* name, const QString& code) {
        DataCombo* combo = list(name);
        ASSERT_TRUE(combo->isEnabled()) << name;
        combo->lineEdit()->setFocus(Qt::TabFocusReason);
        settle();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), code);
        QTest::keyClick(combo->lineEdit(), Qt::Key_F4);
        ASSERT_TRUE(combo->isPopupVisible()) << name;
        QTest::keyClick(combo->popupView(), Qt::Key_Return);
        settle();
        ASSERT_EQ(combo->text(), code) << name;
    }
    void click(const char* name) {
        QPushButton* target = button(name);
        ASSERT_TRUE(target->isEnabled()) << name;
        QTest::mouseClick(target, Qt::LeftButton);
        settle();
    }
    void typeOrder(const char* name, const QString& order) {
        QLineEdit* edit = w().lineEdit(QString::fromLatin1(name));
        edit->setText(order);
    }
    // Picks the first position the list offers and accepts it at the typed order.
    QString addFirstOffered(const char* positionList, const char* orderField, const char* accept,
                            const QString& order = {}) {
        DataCombo* positions = list(positionList);
        EXPECT_GT(positions->rowCount(), 0);
        if (positions->rowCount() == 0)
            return {};
        const QString code =
            positions->table()->textAt(0, positions->table()->requireField(u"CodConvocatoria"));
        pick(positionList, code);
        typeOrder(orderField, order);
        click(accept);
        return code;
    }
    void savePicture(const char* name) {
        const QString folder = qEnvironmentVariable("VELANTOR_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        ASSERT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(w().grab().save(QDir(folder).filePath(QString::fromLatin1(name)), "PNG"));
    }

    SampleProgram sample;
    std::unique_ptr<frmSolicitudes> window;
};

} // namespace

TEST_F(FormSearchRound, SearchAndAddOnBothPositionTabs) {
    const catalogues::SearchTables& tables = w().searchTables();
    w().view().setText(u"txtDNI", u8("12345678Z"));
    w().view().setText(u"txtApellido1", u8("García"));
    w().view().setText(u"txtNombre", u8("Lucía"));

    // Body and group: the body "Enfermero/a" takes its group and locks it, shows its name
    // over the vacancies and chooses its position tables.
    pick("cboCuerpo", u8("00201"));
    EXPECT_EQ(text("cboGrupo"), u8("B"));
    EXPECT_FALSE(enabled("cboGrupo"));
    EXPECT_EQ(text("lblCat"), u8("Enfermero/a"));
    ASSERT_TRUE(tables.rsPlazasVacantes && tables.rsPlazasResultas);
    const int allVacancies = tables.rsPlazasVacantes->totalRowCount();
    ASSERT_GT(allVacancies, 20);
    EXPECT_EQ(list("cboPuestoVacante")->rowCount(), allVacancies);
    EXPECT_EQ(list("cboPuestoResultas")->rowCount(), tables.rsPlazasResultas->totalRowCount());
    EXPECT_EQ(text("lblPlazas"), u8("Códigos Localizados: %1").arg(allVacancies));
    EXPECT_TRUE(sample.messages.empty());

    // ---- "Plazas Vacantes" ----------------------------------------------------------
    w().tabs()->setCurrentIndex(2);
    ASSERT_EQ(w().tabs()->currentIndex(), 2);
    EXPECT_TRUE(enabled("cboProvinciaVacantes"));
    EXPECT_FALSE(enabled("cboLocalidadVacantes")) << "the vacancy search starts from a province";

    pick("cboProvinciaVacantes", u8("24"));
    EXPECT_FALSE(enabled("cboProvinciaVacantes"));
    EXPECT_TRUE(enabled("cboLocalidadVacantes"));
    EXPECT_EQ(list("cboAreasVacantes")->rowCount(), 2) << "León has the areas 01 and 02";
    const Table& vacancies = *tables.rsPlazasVacantes;
    const QStringList inLeon = codesWhere(vacancies, [](const Table& t, int row) {
        return field(t, row, "CodArea") == u"01000000" || field(t, row, "CodArea") == u"02000000";
    });
    EXPECT_EQ(list("cboPuestoVacante")->rowCount(), inLeon.size());
    EXPECT_LT(inLeon.size(), allVacancies);
    EXPECT_EQ(text("lblPlazas"), u8("Códigos Localizados: %1").arg(inLeon.size()));

    // The town of León: the zone list closes, the positions narrow to the town's.
    pick("cboLocalidadVacantes", u8("089"));
    EXPECT_FALSE(enabled("cboZonasVacantes"));
    EXPECT_EQ(text("cboZonasVacantes"), QString());
    tables.rsPlazasVacantes->clearFilter();
    const QStringList inTown = codesWhere(
        vacancies, [](const Table& t, int row) { return field(t, row, "CodLocalidad").startsWith(u"24089"); });
    w().positionSearch().applyFilter(catalogues::SearchTab::Vacantes);
    ASSERT_GE(inTown.size(), 3);
    EXPECT_EQ(list("cboPuestoVacante")->rowCount(), inTown.size());
    EXPECT_EQ(text("lblPlazas"), u8("Códigos Localizados: %1").arg(inTown.size()));
    EXPECT_EQ(codesWhere(vacancies, [](const Table&, int) { return true; }), inTown);

    // Add the first offered position, then another one before it.
    const Table& requested = *w().workingTables().vacantes;
    const QString first = addFirstOffered("cboPuestoVacante", "txtOrdenVacante", "cmdAceptarVacante");
    EXPECT_EQ(orderedCodes(requested), QStringList{u8("1:") + first});
    EXPECT_FALSE(enabled("cboCuerpo")) << "a requested position fixes the body";
    EXPECT_EQ(text("cboPuestoVacante"), QString()) << "the entry panel is ready for the next one";
    const QString second = inTown.at(1);
    pick("cboPuestoVacante", second);
    EXPECT_EQ(text("txtCodVacante"), second) << "reaching Aceptar copies the chosen code";
    typeOrder("txtOrdenVacante", u8("1"));
    click("cmdAceptarVacante");
    EXPECT_EQ(orderedCodes(requested), (QStringList{u8("1:") + second, u8("2:") + first}));

    // The same position again is refused with its warning.
    pick("cboPuestoVacante", first);
    click("cmdAceptarVacante");
    ASSERT_EQ(sample.messages.messages().size(), 1u);
    EXPECT_EQ(sample.messages.last().text, u8("Este puesto ya ha sido agregado a la solicitud"));
    EXPECT_EQ(sample.messages.last().title, u8("Solicitud Vacantes"));
    sample.messages.clear();
    EXPECT_EQ(requested.rowCount(), 2);

    savePicture("form-vacantes-search.png");

    // Move the second row to the first place.
    DataGrid* grid = w().grid(u"grdVacantes");
    grid->selectRow(1);
    click("cmdUpdateVacante");
    EXPECT_EQ(text("txtOrdenVacante"), u8("2"));
    EXPECT_FALSE(enabled("cboPuestoVacante")) << "moving locks the entry";
    typeOrder("txtOrdenVacante", u8("1"));
    click("cmdAceptarVacante");
    EXPECT_EQ(orderedCodes(requested), (QStringList{u8("1:") + first, u8("2:") + second}));
    EXPECT_TRUE(enabled("cboPuestoVacante"));

    // Delete the first row after the question.
    grid->selectRow(0);
    sample.messages.enqueue(MessageAnswer::Yes);
    click("cmdDelVacante");
    EXPECT_EQ(sample.messages.last().text, u8("¿Desea borrar la fila seleccionada?"));
    sample.messages.clear();
    EXPECT_EQ(orderedCodes(requested), QStringList{u8("1:") + second});

    // "Modificar" began with the search emptied, as "Cancelar" does: search the town again.
    EXPECT_EQ(text("cboLocalidadVacantes"), QString());
    pick("cboProvinciaVacantes", u8("24"));
    pick("cboLocalidadVacantes", u8("089"));
    EXPECT_EQ(list("cboPuestoVacante")->rowCount(), inTown.size());

    // Every position the search shows, the one already requested only once.
    click("cmdTodasVacantes");
    ASSERT_EQ(requested.rowCount(), inTown.size());
    QStringList expected{u8("1:") + second};
    int order = 2;
    for (const QString& code : inTown)
        if (code != second)
            expected << QStringLiteral("%1:%2").arg(order++).arg(code);
    EXPECT_EQ(orderedCodes(requested), expected);
    EXPECT_EQ(grid->model()->rowCount(), inTown.size());

    // "Cancelar" empties every list of the tab, widens them and lets the user start again
    // from another province: the lists it narrows stay closed until one is chosen.
    click("cmdCancelarVacante");
    for (const char* emptied : {"cboProvinciaVacantes", "cboLocalidadVacantes", "cboConsejeriaVacantes"})
        EXPECT_EQ(text(emptied), QString()) << emptied;
    EXPECT_TRUE(enabled("cboProvinciaVacantes"));
    EXPECT_FALSE(enabled("cboZonasVacantes"));
    EXPECT_EQ(list("cboAreasVacantes")->rowCount(), 5);
    EXPECT_EQ(text("lblPlazas"), u8("Códigos Localizados: %1").arg(list("cboPuestoVacante")->rowCount()));

    // ---- "Plazas Resultas" ----------------------------------------------------------
    w().tabs()->setCurrentIndex(3);
    ASSERT_EQ(w().tabs()->currentIndex(), 3);
    const Table& resultas = *tables.rsPlazasResultas;
    pick("cboProvinciaResultas", u8("24"));
    EXPECT_LT(list("cboLocalidadResultas")->rowCount(), tables.rsLocalidadesResultas->totalRowCount());
    EXPECT_EQ(list("cboAreasVacantes")->rowCount(), 2) << "the province narrows the shared area table";
    pick("cboAreasResultas", u8("01"));
    const QStringList inArea = [&] {
        tables.rsPlazasResultas->clearFilter();
        const QStringList codes = codesWhere(resultas, [](const Table& t, int row) {
            return field(t, row, "CodProvincia") == u"24" && field(t, row, "CodArea") == u"01000000";
        });
        w().positionSearch().applyFilter(catalogues::SearchTab::Resultas);
        return codes;
    }();
    ASSERT_GE(inArea.size(), 3) << "the area finds the positions of its 8-character code";
    EXPECT_EQ(list("cboPuestoResultas")->rowCount(), inArea.size());

    pick("cboLocalidadResultas", u8("089"));
    EXPECT_FALSE(enabled("cboZonasResultas"));
    const int inTownResultas = list("cboPuestoResultas")->rowCount();
    EXPECT_GT(inTownResultas, 0) << "the town's positions are found";
    EXPECT_LE(inTownResultas, inArea.size());
    for (int row = 0; row < resultas.rowCount(); ++row)
        EXPECT_TRUE(field(resultas, row, "CodLocalidad").startsWith(u"24089")) << row;

    const Table& requestedResultas = *w().workingTables().resultas;
    const QString chosen = addFirstOffered("cboPuestoResultas", "txtOrdenResultas", "cmdAceptarResultas");
    EXPECT_EQ(orderedCodes(requestedResultas), QStringList{u8("1:") + chosen});

    click("cmdInsertaTodasResultas");
    EXPECT_EQ(requestedResultas.rowCount(), inTownResultas);
    savePicture("form-resultas-search.png");
    EXPECT_FALSE(enabled("cmdInsertaTodasResultas"));
    ASSERT_GE(requestedResultas.rowCount(), 1);

    w().grid(u"grdResultas")->selectRow(0);
    sample.messages.enqueue(MessageAnswer::Yes);
    click("cmdDelResultas");
    sample.messages.clear();
    EXPECT_EQ(requestedResultas.rowCount(), inTownResultas - 1);
    for (int row = 0; row < requestedResultas.rowCount(); ++row)
        EXPECT_EQ(requestedResultas.numberAt(row, requestedResultas.requireField(u"Orden")), row + 1);
    EXPECT_FALSE(enabled("cboCuerpo")) << "the vacancies still hold a position";

    click("cmdCancelarResultas");
    EXPECT_EQ(text("cboProvinciaResultas"), QString());
    EXPECT_EQ(text("cboAreasResultas"), QString());
    EXPECT_TRUE(enabled("cboZonasResultas"));
    EXPECT_TRUE(sample.messages.empty());
}

// The body list typed rather than picked: leaving it chooses the body all the same.
TEST_F(FormSearchRound, TypedBodyCountsAsChosenWhenTheUserMovesOn) {
    w().view().setText(u"txtDNI", u8("12345678Z"));
    DataCombo* body = list("cboCuerpo");
    body->lineEdit()->setFocus(Qt::TabFocusReason);
    settle();
    QTest::keyClicks(body->lineEdit(), u8("00401"));
    QTest::keyClick(body->lineEdit(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(text("cboGrupo"), u8("D"));
    EXPECT_FALSE(enabled("cboGrupo"));
    ASSERT_TRUE(w().searchTables().rsPlazasVacantes);
    EXPECT_GT(list("cboPuestoVacante")->rowCount(), 0);
    EXPECT_TRUE(w().menuItem(frmSolicitudes::Guardar)->isEnabled()) << "identity, body and group are filled";
}
