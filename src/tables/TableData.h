#pragma once

#include <vector>

#include <QList>
#include <QString>

#include "tables/Table.h"
#include "tables/TableColumn.h"

namespace velantor {

// The rows shared by a table and its clones, and the list of those tables, so that a
// row added or deleted through one of them reaches the views of all.
struct TableData {
    QString name;
    QList<FieldDef> fields;
    std::vector<TableColumn> columns;
    int rowCount = 0;
    std::vector<Table*> tables;

    // Bumped when rows are added or removed, and per field when a value changes, so that
    // caches (sort order, look-up indexes) know when they are stale.
    quint64 structureVersion = 0;
    std::vector<quint64> fieldVersions;

    TableData(const QString& tableName, const QList<FieldDef>& fieldList);

    int fieldIndex(QStringView fieldName) const;
    QString text(int row, int field) const;
    qint64 number(int row, int field) const;
    // Both return false when the stored value is already the one given.
    bool setText(int row, int field, const QString& value);
    bool setNumber(int row, int field, qint64 value);

    void appendRow();
    void removeRow(int row);
    void removeAll();

    // Changes that every table sharing the rows must see, with their signals.
    void addRowThrough(Table& origin);
    void deleteRow(int row);
    void deleteAllRows();
    void notifyChanged(Table& origin, int originPosition, int row, int field);
};

} // namespace velantor
