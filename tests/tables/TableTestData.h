#pragma once

#include <initializer_list>

#include <QList>
#include <QString>
#include <QStringList>

#include "tables/Table.h"

namespace velantor::testing {

// A small table with the fields of a position table plus an integer order.
inline TablePtr makePositionTable() {
    return Table::create(QStringLiteral("rsPlazas"), {FieldDef::text(QStringLiteral("CodConvocatoria"), 5),
                                                      FieldDef::text(QStringLiteral("Localidad"), 53),
                                                      FieldDef::text(QStringLiteral("CodLocalidad"), 7),
                                                      FieldDef::text(QStringLiteral("CodProvincia"), 2),
                                                      FieldDef::text(QStringLiteral("CodArea"), 8),
                                                      FieldDef::integer(QStringLiteral("Orden"))});
}

struct PositionRow {
    const char16_t* code;
    const char16_t* locality;
    const char16_t* localityCode;
    const char16_t* province;
    const char16_t* area;
    qint64 order;
};

inline void addPositions(Table& table, std::initializer_list<PositionRow> rows) {
    for (const PositionRow& row : rows) {
        table.addRow();
        table.setText(u"CodConvocatoria", QString::fromUtf16(row.code));
        table.setText(u"Localidad", QString::fromUtf16(row.locality));
        table.setText(u"CodLocalidad", QString::fromUtf16(row.localityCode));
        table.setText(u"CodProvincia", QString::fromUtf16(row.province));
        table.setText(u"CodArea", QString::fromUtf16(row.area));
        table.setNumber(u"Orden", row.order);
    }
}

// The values of one field over the visible rows, in order.
inline QStringList column(const Table& table, QStringView field) {
    QStringList values;
    const int index = table.requireField(field);
    for (int row = 0; row < table.rowCount(); ++row)
        values.append(table.textAt(row, index));
    return values;
}

inline QStringList codes(const Table& table) {
    return column(table, u"CodConvocatoria");
}

// Five positions in three provinces, used by most tests.
inline TablePtr makeSamplePositions() {
    TablePtr table = makePositionTable();
    addPositions(*table, {
                             {u"10001", u"Ávila", u"0501001", u"05", u"01000000", 3},
                             {u"10002", u"Burgos", u"0912301", u"09", u"02000000", 1},
                             {u"10003", u"Arenas de San Pedro", u"0500123", u"05", u"01000000", 5},
                             {u"10004", u"Zamora", u"4912399", u"49", u"03000000", 2},
                             {u"10005", u"burgos", u"0900002", u"09", u"02000000", 4},
                         });
    table->moveFirst();
    return table;
}

} // namespace velantor::testing
