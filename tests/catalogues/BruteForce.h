#pragma once

#include <QList>
#include <QStringList>

#include "catalogues/CatalogueTables.h"
#include "catalogues/DerivedPositionTables.h"
#include "tables/Table.h"

// A plain reading of the copy rule for the derived position tables, used as the oracle of
// the tests: for every map row of the key, in map order, the first source row with the code,
// searched from the first row. Letters match without regard to case, as in a table filter.
namespace velantor::catalogues::testing {

inline QList<QStringList> tableRows(const Table& table) {
    const TablePtr all = allRowsInTableOrder(table);
    QList<QStringList> rows;
    for (int r = 0; r < all->rowCount(); ++r) {
        QStringList row;
        for (int f = 0; f < all->fieldCount(); ++f)
            row << all->textAt(r, f);
        rows << row;
    }
    return rows;
}

inline QList<QStringList> bruteForceCopy(const Table& map, QStringView keyField, const QString& key,
                                         const Table& source, bool withArea) {
    const QList<QStringList> mapRows = tableRows(map);
    const QList<QStringList> sourceRows = tableRows(source);
    const int keyIndex = map.requireField(keyField);
    const int plazaIndex = map.requireField(u"CodPlaza");
    QList<QStringList> result;
    for (const QStringList& m : mapRows) {
        if (m[keyIndex].compare(key, Qt::CaseInsensitive) != 0)
            continue;
        for (const QStringList& row : sourceRows) {
            if (row[0].compare(m[plazaIndex], Qt::CaseInsensitive) == 0) {
                QStringList copied = row.mid(0, kPositionFieldCount);
                if (!withArea)
                    copied[kPositionFieldCount - 1].clear();
                result << copied;
                break;
            }
        }
    }
    return result;
}

} // namespace velantor::catalogues::testing
