#include <gtest/gtest.h>

#include "support/SearchTestForm.h"
#include "catalogues/CatalogueTables.h"
#include "form/HeadlessForm.h"

using namespace velantor;
using velantor::test::SearchTestForm;

TEST(HeadlessFormTest, ControlsStartEmptyVisibleEnabledAndUnselected) {
    HeadlessForm form;
    EXPECT_EQ(form.text(u"txtNombre"), u"");
    EXPECT_TRUE(form.isVisible(u"txtNombre"));
    EXPECT_TRUE(form.isEnabled(u"txtNombre"));
    EXPECT_FALSE(form.isChecked(u"optDiscSi"));
    form.setVisible(u"txtNombre", false);
    form.setEnabled(u"txtNombre", false);
    EXPECT_FALSE(form.isVisible(u"txtNombre"));
    EXPECT_FALSE(form.isEnabled(u"txtNombre"));
    EXPECT_FALSE(form.holdsValidEntry(u"cboNoBound"));
    EXPECT_EQ(form.comboColumn(u"cboNoBound", 0), u"");
}

// A misspelt name is not a control that silently holds a value: it is ignored and named.
TEST(HeadlessFormTest, AnUnknownControlNameIsAnError) {
    HeadlessForm form;
    form.setText(u"txtNombre", QStringLiteral("Ana"));
    EXPECT_TRUE(form.unknownControls().has_value());
    form.setText(u"txtNombres", QStringLiteral("Ana"));
    EXPECT_EQ(form.text(u"txtNombres"), u"");
    EXPECT_FALSE(form.isVisible(u"fraNada"));
    const Result<void> unknown = form.unknownControls();
    ASSERT_FALSE(unknown.has_value());
    EXPECT_EQ(unknown.error().number, errors::kUnknownControl);
    EXPECT_TRUE(unknown.error().description.contains(u"txtNombres"));
}

TEST(HeadlessFormTest, SelectingAnOptionClearsItsPartnerAndRunsThePairsRule) {
    HeadlessForm form;
    form.setChecked(u"optDiscSi", true);
    form.setText(u"txtTipoDisc", QStringLiteral("Motora"));
    EXPECT_TRUE(form.isVisible(u"txtTipoDisc"));
    form.setChecked(u"optDiscNo", true);
    EXPECT_FALSE(form.isChecked(u"optDiscSi"));
    EXPECT_TRUE(form.isChecked(u"optDiscNo"));
    EXPECT_FALSE(form.isVisible(u"txtTipoDisc"));
    EXPECT_EQ(form.text(u"txtTipoDisc"), u"");
}

TEST(HeadlessFormTest, ValidEntryFollowsTheRowsTheTableShowsNow) {
    SearchTestForm t;
    HeadlessForm& form = t.form;
    form.setText(u"cboAreasVacantes", QStringLiteral("03"));
    EXPECT_TRUE(form.holdsValidEntry(u"cboAreasVacantes"));
    EXPECT_EQ(form.comboColumn(u"cboAreasVacantes", 1), u"Área de Palencia");
    EXPECT_EQ(form.comboColumn(u"cboAreasVacantes", 2), u"34");
    EXPECT_EQ(form.comboColumn(u"cboAreasVacantes", 3), u"");
    t.tables.rsAreas->setFilter(QStringLiteral("CodProvincia='24'"));
    EXPECT_FALSE(form.holdsValidEntry(u"cboAreasVacantes"));
    EXPECT_EQ(form.comboColumn(u"cboAreasVacantes", 1), u"");
    // The preference list shares the table and sees the same narrowing.
    form.setText(u"cboPrefArea", QStringLiteral("03"));
    EXPECT_FALSE(form.holdsValidEntry(u"cboPrefArea"));
    // An empty text is never an entry.
    form.setText(u"cboGrupo", QString());
    EXPECT_FALSE(form.holdsValidEntry(u"cboGrupo"));
}

TEST(HeadlessFormTest, PositionListColumnsFollowTheListNotTheTable) {
    SearchTestForm t;
    t.chooseBody(QStringLiteral("00101"));
    t.form.setText(u"cboPuestoVacante", QStringLiteral("10004"));
    const QStringList expected = {QStringLiteral("10004"),
                                  QStringLiteral("Facultativo/a de pediatría"),
                                  QStringLiteral("Institución 05"),
                                  QStringLiteral("Localidad 2420200"),
                                  QStringLiteral("2420200"),
                                  QStringLiteral("05"),
                                  QStringLiteral("24"),
                                  QStringLiteral("02000000"),
                                  QString(),
                                  QString()};
    for (int column = 0; column < expected.size(); ++column)
        EXPECT_EQ(t.form.comboColumn(u"cboPuestoVacante", column), expected[column]) << column;
}

TEST(HeadlessFormTest, ListFollowsATableThatIsReplaced) {
    HeadlessForm form;
    TablePtr current;
    form.bindList(QStringLiteral("cboGrupo"), [&] { return current; }, {QStringLiteral("Grupo")});
    form.setText(u"cboGrupo", QStringLiteral("B"));
    EXPECT_FALSE(form.holdsValidEntry(u"cboGrupo"));
    current = catalogues::createGroupTable(QStringLiteral("rsGrupos"));
    current->addRow();
    current->setText(0, QStringLiteral("B"));
    EXPECT_TRUE(form.holdsValidEntry(u"cboGrupo"));
    EXPECT_EQ(form.listTable(u"cboGrupo"), current);
}
