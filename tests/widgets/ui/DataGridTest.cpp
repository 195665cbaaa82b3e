#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "tables/Table.h"
#include "widgets/DataGrid.h"

using namespace velantor;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

TablePtr courses(int rows) {
    TablePtr table =
        Table::create(u8("Cursos"), {FieldDef::text(u8("Curso"), 100), FieldDef::integer(u8("NHoras")),
                                     FieldDef::integer(u8("Ano")), FieldDef::text(u8("Centro"), 100),
                                     FieldDef::integer(u8("IdCurso"))});
    for (int row = 0; row < rows; ++row) {
        table->addRow();
        table->setText(0, u8("Curso %1").arg(row));
        table->setNumber(1, 10 + row);
        table->setNumber(2, 2000 + row);
        table->setText(3, u8("Centro"));
        table->setNumber(4, row);
    }
    table->moveFirst();
    return table;
}

DataGridColumns courseColumns() {
    return {DataGridColumn::shown(u8("Curso"), u8("Curso"), 3000),
            DataGridColumn::shown(u8("NHoras"), u8("Horas")), DataGridColumn::shown(u8("Ano"), u8("Año")),
            DataGridColumn::shown(u8("Centro"), u8("Centro")), DataGridColumn::hiddenField(u8("IdCurso"))};
}

struct ShownGrid {
    explicit ShownGrid(TablePtr table) : rows(std::move(table)) {
        grid.bind(rows, courseColumns());
        grid.resize(600, 300);
        grid.show();
        QApplication::setActiveWindow(&grid);
        (void)QTest::qWaitForWindowActive(&grid);
    }
    void click(int row, Qt::KeyboardModifiers modifiers = {}) {
        const QModelIndex index = grid.model()->index(row, grid.horizontalHeader()->logicalIndex(0));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, grid.visualRect(index).center());
    }
    TablePtr rows;
    DataGrid grid;
};

} // namespace

TEST(DataGrid, ShowsTheBoundColumnsWithTheirCaptions) {
    DataGrid grid;
    grid.bind(courses(2), courseColumns());
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(grid.columnCaption(0), u8("Curso"));
    EXPECT_EQ(grid.columnCaption(2), u8("Año"));
    EXPECT_TRUE(grid.isColumnHidden(4)) << "the identifier is bound but not drawn";
    EXPECT_FALSE(grid.isColumnHidden(1));
    EXPECT_EQ(grid.columnWidth(0), 200);
    EXPECT_EQ(grid.model()->data(grid.model()->index(1, 2)).toString(), u8("2001"));
}

TEST(DataGrid, SelectionCountsRowsAndTheCurrentRowFollowsTheClick) {
    ShownGrid s(courses(4));
    EXPECT_EQ(s.grid.selectedRowCount(), 0);
    EXPECT_FALSE(s.grid.exactlyOneRowSelected());
    s.click(2);
    EXPECT_TRUE(s.grid.exactlyOneRowSelected());
    EXPECT_EQ(s.grid.selectedRow(), 2);
    EXPECT_EQ(s.rows->position(), 2) << "the clicked row becomes the table's current row";
    s.click(0, Qt::ControlModifier);
    EXPECT_EQ(s.grid.selectedRowCount(), 2);
    EXPECT_EQ(s.grid.selectedRowIndexes(), (QList<int>{0, 2}));
    EXPECT_EQ(s.grid.selectedRow(), -1);
    s.click(3, Qt::ShiftModifier);
    EXPECT_EQ(s.grid.selectedRowCount(), 4);
    s.grid.clearSelection();
    EXPECT_EQ(s.grid.selectedRowCount(), 0);
}

TEST(DataGrid, MovingTheTableMovesTheCursorButNotTheSelection) {
    ShownGrid s(courses(3));
    s.click(0);
    s.rows->moveLast();
    EXPECT_EQ(s.grid.currentIndex().row(), 2);
    EXPECT_EQ(s.grid.selectedRowIndexes(), (QList<int>{0}));
    s.rows->moveFirst();
    EXPECT_EQ(s.grid.currentIndex().row(), 0);
}

TEST(DataGrid, RowsAddedDeletedAndFilteredShowAtOnce) {
    ShownGrid s(courses(3));
    s.rows->addRow();
    s.rows->setText(0, u8("Nuevo"));
    EXPECT_EQ(s.grid.model()->rowCount(), 4);
    EXPECT_EQ(s.grid.model()->data(s.grid.model()->index(3, 0)).toString(), u8("Nuevo"));
    s.rows->setPosition(1);
    s.rows->deleteCurrent();
    EXPECT_EQ(s.grid.model()->rowCount(), 3);
    s.rows->setFilter(u8("NHoras > 10"));
    EXPECT_EQ(s.grid.model()->rowCount(), 1);
    EXPECT_FALSE(s.grid.isColumnHidden(0)) << "a reset keeps the column layout";
    EXPECT_TRUE(s.grid.isColumnHidden(4));
    s.rows->clearFilter();
    EXPECT_EQ(s.grid.model()->rowCount(), 3);
}

TEST(DataGrid, HeadersAreExposedToAssistiveTechnology) {
    ShownGrid s(courses(2));
    s.grid.setAccessibleName(u8("Cursos realizados"));
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&s.grid);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(QAccessible::Name), u8("Cursos realizados"));
    QAccessibleTableInterface* table = node->tableInterface();
    ASSERT_NE(table, nullptr);
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->columnDescription(column);
    EXPECT_TRUE(headers.contains(u8("Horas")));
    EXPECT_TRUE(headers.contains(u8("Año")));
    EXPECT_EQ(table->rowCount(), 2);
}
