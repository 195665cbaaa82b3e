#pragma once

#include <array>
#include <vector>

#include <QHash>
#include <QString>

#include "catalogues/CatalogueTables.h"
#include "tables/Table.h"

namespace velantor::catalogues {

// A read-only copy of a position table (or position list) with its rows in table order
// and, for every position code, the first row that carries it: what a search from the
// first row for "CodConvocatoria = code" finds, in constant time. Codes match as the
// table's filters match text: letters without regard to case.
// The form of a value under which two values a filter equality takes for equal are the same.
QString matchKey(const QString& value);

class PositionIndex {
public:
    using Row = std::array<QString, kPositionFieldCount>;

    // Clears the table's filter (as a search over the whole table would) and copies its rows.
    explicit PositionIndex(Table& positions);

    // The first row with this code, or nullptr when none has it.
    const Row* find(const QString& code) const;
    std::size_t size() const { return m_rows.size(); }

    // Appends one row to `target`, whose first ten fields are the position fields in
    // their usual order; the first `fieldCount` of them are copied, the others stay empty.
    static void appendRow(Table& target, const Row& row, int fieldCount = kPositionFieldCount);

private:
    std::vector<Row> m_rows;
    QHash<QString, int> m_firstRow;
};

} // namespace velantor::catalogues
