#pragma once

#include <QList>
#include <QTableView>

#include "tables/Table.h"
#include "widgets/DataGridColumn.h"

namespace velantor {

class DataGridHeaderModel;
class TableModel;

// A read-only grid bound to an in-memory table: the bound columns with their captions,
// whole-row selection of one or several rows, and a current row kept in step with the
// table's current row both ways (clicking a row makes it the table's current row; moving
// the table moves the grid's cursor without touching the selection). Rows added,
// removed, filtered or sorted in the table show at once.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void bind(TablePtr table, const DataGridColumns& columns);
    const TablePtr& table() const { return m_table; }
    const DataGridColumns& columns() const;

    QList<int> selectedRowIndexes() const; // ascending
    int selectedRowCount() const;
    bool exactlyOneRowSelected() const { return selectedRowCount() == 1; }
    // The one selected row, -1 unless exactly one row is selected.
    int selectedRow() const;
    void selectRow(int row); // selects only that row and makes it current
    // The caption of the i-th bound column.
    QString columnCaption(int boundColumn) const;

private:
    void followTable(int row);
    void followView(const QModelIndex& current);

    TablePtr m_table;
    TableModel* m_model = nullptr;
    DataGridHeaderModel* m_header = nullptr;
    bool m_syncing = false;
};

} // namespace velantor
