#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include "tables/Table.h"

namespace velantor {

// A table's visible rows, in the table's order, as a Qt model for grids and drop-down
// lists. Each model column shows one field under a caption. The model follows the
// table's signals: a new filter or sort resets it, added and deleted rows insert and
// remove model rows, and a changed value updates the cells that show it.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field; // matched without regard to case
        QString caption;
    };

    enum Role {
        FieldNameRole = Qt::UserRole, // data() and headerData(): the field's name
        ValueRole,                    // data(): QString for text fields, qint64 for integers
    };

    explicit TableModel(QObject* parent = nullptr);
    // Every field of the table, each under its own name.
    explicit TableModel(TablePtr table, QObject* parent = nullptr);
    TableModel(TablePtr table, const QList<Column>& columns, QObject* parent = nullptr);
    ~TableModel() override;

    const TablePtr& table() const { return m_table; }
    // Binds another table (or none: an empty model), keeping the columns. With no columns
    // set yet the table's fields are shown. Throws std::out_of_range when a column names
    // a field the table does not have; the model is then left unbound.
    void setTable(TablePtr table);
    const QList<Column>& columns() const { return m_columns; }
    void setColumns(const QList<Column>& columns);
    // Field index behind a model column.
    int fieldOfColumn(int column) const { return m_fields.value(column, -1); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void connectTable();
    void resolveFields();
    void tableRowChanged(int row, int field);

    TablePtr m_table;
    QList<Column> m_columns;
    QList<int> m_fields; // field index of each column in m_table
};

} // namespace velantor
