#include "catalogues/PositionIndex.h"

namespace velantor::catalogues {

QString matchKey(const QString& value) {
    return value.toCaseFolded();
}

PositionIndex::PositionIndex(Table& positions) {
    positions.clearFilter();
    std::array<int, kPositionFieldCount> fields{};
    for (int f = 0; f < kPositionFieldCount; ++f)
        fields[static_cast<std::size_t>(f)] = positions.requireField(positionFieldName(f));
    const int count = positions.rowCount();
    m_rows.resize(static_cast<std::size_t>(count));
    m_firstRow.reserve(count);
    for (int r = 0; r < count; ++r) {
        Row& row = m_rows[static_cast<std::size_t>(r)];
        for (std::size_t f = 0; f < row.size(); ++f)
            row[f] = positions.textAt(r, fields[f]);
        const QString key = matchKey(row[0]);
        if (!m_firstRow.contains(key))
            m_firstRow.insert(key, r);
    }
}

const PositionIndex::Row* PositionIndex::find(const QString& code) const {
    const auto it = m_firstRow.constFind(matchKey(code));
    return it == m_firstRow.constEnd() ? nullptr : &m_rows[static_cast<std::size_t>(*it)];
}

void PositionIndex::appendRow(Table& target, const Row& row, int fieldCount) {
    target.addRow();
    for (int f = 0; f < fieldCount; ++f)
        target.setText(f, row[static_cast<std::size_t>(f)]);
}

} // namespace velantor::catalogues
