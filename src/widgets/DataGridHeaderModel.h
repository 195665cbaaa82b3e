#pragma once

#include <QIdentityProxyModel>
#include <QList>

#include "widgets/DataGridColumn.h"

class QTableView;

namespace velantor {

class Table;

// Puts the captions of the bound columns on top of a table model, and lays out a view
// over it: the bound columns in their order with their widths, every other field of
// the table hidden. Shared by the data-bound list and the data grid.
class DataGridHeaderModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit DataGridHeaderModel(QObject* parent = nullptr);

    // Source columns are the table's fields; unknown field names are left out.
    void setColumns(const Table& table, const DataGridColumns& columns);
    void clearColumns();
    const DataGridColumns& columns() const { return m_columns; }
    // The source column of the i-th bound column, -1 when out of range.
    int sourceColumn(int boundColumn) const;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Hides the fields that are not bound, orders the bound ones and sets their widths.
    void layoutView(QTableView& view) const;

private:
    DataGridColumns m_columns;
    QList<int> m_sourceColumns; // parallel to m_columns
};

} // namespace velantor
