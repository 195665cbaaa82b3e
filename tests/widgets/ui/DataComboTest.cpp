#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "tables/Table.h"
#include "widgets/DataCombo.h"

using namespace velantor;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// Areas with their province: code, name, province.
TablePtr areas() {
    TablePtr table =
        Table::create(u8("rsAreas"), {FieldDef::text(u8("CodArea"), 8), FieldDef::text(u8("Area"), 50),
                                      FieldDef::text(u8("CodProvincia"), 2)});
    const char* rows[][3] = {{"01", "Badajoz", "06"}, {"02", "Mérida", "06"}, {"03", "Cáceres", "10"}};
    for (const auto& row : rows) {
        table->addRow();
        for (int field = 0; field < 3; ++field)
            table->setText(field, u8(row[field]));
    }
    table->moveFirst();
    return table;
}

DataGridColumns areaColumns() {
    return {DataGridColumn::shown(u8("CodArea"), u8("Código"), 900),
            DataGridColumn::shown(u8("Area"), u8("Área"), 3000),
            DataGridColumn::shown(u8("CodProvincia"), u8("Provincia"), 1200)};
}

// A window with the list under test and a plain field to move the focus to.
struct ComboWindow {
    ComboWindow() {
        auto* layout = new QVBoxLayout(&window);
        combo = new DataCombo;
        other = new QLineEdit;
        layout->addWidget(combo);
        layout->addWidget(other);
        window.resize(400, 120);
        window.show();
        QApplication::setActiveWindow(&window);
        (void)QTest::qWaitForWindowActive(&window);
    }
    QWidget window;
    DataCombo* combo;
    QLineEdit* other;
};

} // namespace

TEST(DataCombo, TextDesignatesAVisibleRowAndItsColumns) {
    DataCombo combo;
    TablePtr table = areas();
    combo.bind(table, areaColumns());
    EXPECT_EQ(combo.rowCount(), 3);
    EXPECT_FALSE(combo.holdsValidEntry()) << "an empty text designates no row";
    combo.setText(u8("02"));
    EXPECT_TRUE(combo.holdsValidEntry());
    EXPECT_EQ(combo.matchingRow(), 1);
    EXPECT_EQ(combo.column(0), u8("02"));
    EXPECT_EQ(combo.column(1), u8("Mérida"));
    EXPECT_EQ(combo.value(u"codprovincia"), u8("06")) << "field names match without regard to case";
    EXPECT_EQ(combo.column(7), QString());
    combo.setText(u8("2"));
    EXPECT_FALSE(combo.holdsValidEntry()) << "the whole code must match";
    EXPECT_EQ(combo.column(1), QString());
}

TEST(DataCombo, FilterOnASharedTableNarrowsEveryListAndKeepsTheText) {
    DataCombo search;
    DataCombo preference;
    TablePtr table = areas();
    search.bind(table, areaColumns());
    preference.bind(table, areaColumns());
    search.setText(u8("01"));
    preference.setText(u8("03"));
    QSignalSpy edited(&search, &DataCombo::textEdited);

    table->setFilter(u8("CodProvincia='10' "));
    EXPECT_EQ(search.rowCount(), 1);
    EXPECT_EQ(preference.rowCount(), 1);
    EXPECT_EQ(search.popupView()->model()->rowCount(), 1);
    EXPECT_EQ(search.text(), u8("01")) << "a filter never changes what the user chose";
    EXPECT_FALSE(search.holdsValidEntry());
    EXPECT_TRUE(preference.holdsValidEntry());
    table->clearFilter();
    EXPECT_TRUE(search.holdsValidEntry());
    EXPECT_EQ(edited.count(), 0);
}

TEST(DataCombo, PopupShowsTheBoundColumnsWithCaptionsAndWidths) {
    DataCombo combo;
    combo.bind(areas(), {DataGridColumn::shown(u8("Area"), u8("Área"), 3000),
                         DataGridColumn::shown(u8("CodArea"), u8("Código"), 900)});
    QTableView* view = combo.popupView();
    QHeaderView* header = view->horizontalHeader();
    // The first bound column (here the name) comes first and is what a choice puts in the text.
    EXPECT_EQ(view->model()->headerData(header->logicalIndex(0), Qt::Horizontal).toString(), u8("Área"));
    EXPECT_EQ(view->model()->headerData(header->logicalIndex(1), Qt::Horizontal).toString(), u8("Código"));
    EXPECT_EQ(view->columnWidth(header->logicalIndex(0)), 200);
    EXPECT_EQ(view->columnWidth(header->logicalIndex(1)), 60);
    EXPECT_TRUE(view->isColumnHidden(2)) << "CodProvincia is not bound";
    QSignalSpy chosen(&combo, &DataCombo::rowChosen);
    combo.chooseRow(2);
    EXPECT_EQ(combo.text(), u8("Cáceres"));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 2);
}

TEST(DataCombo, ChoosingWithTheMouseAndTheKeyboard) {
    ComboWindow w;
    w.combo->bind(areas(), areaColumns());
    QSignalSpy chosen(w.combo, &DataCombo::rowChosen);
    QSignalSpy lost(w.combo, &DataCombo::focusLost);
    QSignalSpy gained(w.combo, &DataCombo::focusGained);

    w.other->setFocus(Qt::TabFocusReason);
    w.combo->lineEdit()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(gained.count(), 1);
    lost.clear();
    QTest::keyClick(w.combo->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(w.combo->isPopupVisible());
    EXPECT_EQ(lost.count(), 0) << "opening the drop-down does not leave the list";
    QTableView* view = w.combo->popupView();
    QTest::keyClick(view, Qt::Key_Down); // the first row is current when nothing is chosen
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_FALSE(w.combo->isPopupVisible());
    EXPECT_EQ(w.combo->text(), u8("02"));
    ASSERT_EQ(chosen.count(), 1);
    // The offscreen platform leaves the hidden popup as the active window; a desktop
    // gives the activation back to the form.
    QApplication::processEvents();
    QApplication::setActiveWindow(&w.window);
    EXPECT_EQ(QApplication::focusWidget(), w.combo->lineEdit());
    EXPECT_EQ(gained.count(), 1) << "closing the drop-down does not count as coming back";

    w.combo->showPopup();
    EXPECT_EQ(view->currentIndex().row(), 1) << "the drop-down opens on the chosen row";
    const QModelIndex third = view->model()->index(2, 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(third).center());
    EXPECT_EQ(w.combo->text(), u8("03"));
    EXPECT_EQ(chosen.count(), 2);
    QApplication::processEvents();
    QApplication::setActiveWindow(&w.window);

    w.other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(lost.count(), 1);
}

TEST(DataCombo, TypingEmitsTextEditedButSettingTheTextDoesNot) {
    ComboWindow w;
    w.combo->bind(areas(), areaColumns());
    QSignalSpy edited(w.combo, &DataCombo::textEdited);
    QSignalSpy changed(w.combo, &DataCombo::textChanged);
    w.combo->lineEdit()->setFocus();
    QTest::keyClicks(w.combo->lineEdit(), u8("03"));
    EXPECT_EQ(edited.count(), 2);
    EXPECT_TRUE(w.combo->holdsValidEntry());
    w.combo->setText(u8("01"));
    EXPECT_EQ(edited.count(), 2);
    EXPECT_EQ(changed.count(), 3);
    w.combo->setEnabled(false);
    w.combo->showPopup();
    EXPECT_FALSE(w.combo->isPopupVisible()) << "a disabled list does not open";
}

TEST(DataCombo, RebindingFollowsTheNewTableAndKeepsTheText) {
    DataCombo combo;
    TablePtr first = areas();
    combo.bind(first, areaColumns());
    combo.setText(u8("01"));
    TablePtr second = Table::create(u8("rsAreasResultas"),
                                    {FieldDef::text(u8("CodArea"), 8), FieldDef::text(u8("Area"), 50)});
    second->addRow();
    second->setText(0, u8("07"));
    second->setText(1, u8("Plasencia"));
    combo.bind(second, {DataGridColumn::shown(u8("CodArea"), u8("Código")),
                        DataGridColumn::shown(u8("Area"), u8("Área"))});
    EXPECT_EQ(combo.text(), u8("01"));
    EXPECT_EQ(combo.rowCount(), 1);
    EXPECT_FALSE(combo.holdsValidEntry());
    first->setFilter(u8("CodArea='03' "));
    EXPECT_EQ(combo.popupView()->model()->rowCount(), 1) << "the old table no longer drives the list";
    second->addRow();
    second->setText(0, u8("08"));
    EXPECT_EQ(combo.popupView()->model()->rowCount(), 2);
    combo.unbind();
    EXPECT_EQ(combo.rowCount(), 0);
    EXPECT_FALSE(combo.holdsValidEntry());
}

TEST(DataCombo, ScreenReaderHearsTheLabelAndThatItIsADropDownList) {
    DataCombo combo;
    combo.bind(areas(), areaColumns());
    combo.setAccessibleLabel(u8("Área de preferencia"));
    combo.setText(u8("02"));
    QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(combo.lineEdit());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(QAccessible::Name), u8("Área de preferencia"));
    EXPECT_EQ(edit->text(QAccessible::Value), u8("02"));
    EXPECT_TRUE(edit->text(QAccessible::Description).startsWith(u8("Lista desplegable")));
    QAccessibleInterface* outer = QAccessible::queryAccessibleInterface(&combo);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->text(QAccessible::Name), u8("Área de preferencia"));
}
