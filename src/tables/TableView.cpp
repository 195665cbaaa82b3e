#include <algorithm>
#include <numeric>

#include "tables/TableView.h"

namespace velantor {

namespace {

// The key a text sorts by: case-folded letters without accents, so that "Ávila" sorts
// among the A's whatever the case, with "ñ" kept after every "n…" as Spanish orders it.
// Keys compare by code unit, which is far cheaper than folding during each comparison.
// Lower-case ASCII text is its own key and is not copied; other keys go to `storage`.
QStringView sortKey(QStringView text, QString& storage) {
    bool ascii = true;
    bool upper = false;
    for (QChar c : text) {
        ascii = ascii && c.unicode() < 128;
        upper = upper || (c >= u'A' && c <= u'Z');
    }
    if (ascii && !upper)
        return text;
    QString& key = storage;
    if (ascii) {
        key = text.toString().toLower();
        return key;
    }
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    key.reserve(decomposed.size() + 2);
    for (QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) {
            if (c.unicode() == 0x0303 && !key.isEmpty() && key.back() == u'n')
                key += QChar(0xFFFF);
            continue;
        }
        key += QChar(static_cast<char16_t>(QChar::toCaseFolded(static_cast<char32_t>(c.unicode()))));
    }
    return key;
}

int compareText(QStringView keyA, QStringView a, QStringView keyB, QStringView b) {
    const int folded = keyA.compare(keyB, Qt::CaseSensitive);
    if (folded != 0)
        return folded;
    return a.compare(b, Qt::CaseSensitive);
}

} // namespace

void Table::View::ensureSorted(const TableData& data) {
    SortCache& cache = m_sorted;
    if (cache.field == sortField && cache.descending == sortDescending &&
        cache.structureVersion == data.structureVersion &&
        cache.fieldVersion == data.fieldVersions[sortField])
        return;
    cache.rows.resize(data.rowCount);
    std::iota(cache.rows.begin(), cache.rows.end(), 0);
    const TableColumn& column = data.columns[sortField];
    const bool descending = sortDescending;
    if (column.isInteger()) {
        std::stable_sort(cache.rows.begin(), cache.rows.end(), [&](int a, int b) {
            return descending ? column.number(b) < column.number(a) : column.number(a) < column.number(b);
        });
    } else {
        const std::size_t count = column.size();
        std::vector<QStringView> values(count);
        std::vector<QStringView> keys(count);
        std::vector<QString> storage(count);
        for (std::size_t i = 0; i < count; ++i) {
            values[i] = column.view(i);
            keys[i] = sortKey(values[i], storage[i]);
        }
        std::stable_sort(cache.rows.begin(), cache.rows.end(), [&](int a, int b) {
            const int order = compareText(keys[a], values[a], keys[b], values[b]);
            return descending ? order > 0 : order < 0;
        });
    }
    cache.field = sortField;
    cache.descending = sortDescending;
    cache.structureVersion = data.structureVersion;
    cache.fieldVersion = data.fieldVersions[sortField];
}

void Table::View::rebuild(const TableData& data) {
    const std::vector<int>* order = nullptr;
    if (sortField >= 0) {
        ensureSorted(data);
        order = &m_sorted.rows;
    }
    visible.clear();
    if (!filter) {
        if (order) {
            visible = *order;
        } else {
            visible.resize(data.rowCount);
            std::iota(visible.begin(), visible.end(), 0);
        }
    } else {
        visible.reserve(data.rowCount);
        const FilterExpression& expression = *filter;
        const std::vector<TableColumn>& columns = data.columns;
        if (order) {
            for (int row : *order) {
                if (expression.matches(columns, row))
                    visible.push_back(row);
            }
        } else {
            for (int row = 0; row < data.rowCount; ++row) {
                if (expression.matches(columns, row))
                    visible.push_back(row);
            }
        }
    }
    ++version;
}

int Table::View::positionOfRow(const TableData& data, int row) const {
    PositionMap& map = m_positionMap;
    if (map.viewVersion != version || map.structureVersion != data.structureVersion) {
        map.positions.assign(data.rowCount, -1);
        for (std::size_t i = 0; i < visible.size(); ++i)
            map.positions[visible[i]] = static_cast<int>(i);
        map.viewVersion = version;
        map.structureVersion = data.structureVersion;
    }
    return row >= 0 && row < static_cast<int>(map.positions.size()) ? map.positions[row] : -1;
}

bool Table::View::indexCurrent(const EqualIndex& index, const TableData& data, int field) const {
    return index.built && index.viewVersion == version && index.structureVersion == data.structureVersion &&
           index.fieldVersion == data.fieldVersions[field];
}

bool Table::View::preferIndex(const TableData& data, int field) const {
    if (m_indexes.size() != data.columns.size())
        m_indexes.resize(data.columns.size());
    EqualIndex& index = m_indexes[field];
    if (indexCurrent(index, data, field))
        return true;
    const quint64 mark[3] = {version, data.structureVersion, data.fieldVersions[field]};
    if (!std::equal(std::begin(mark), std::end(mark), std::begin(index.searchMark))) {
        std::copy(std::begin(mark), std::end(mark), std::begin(index.searchMark));
        index.unindexedSearches = 0;
    }
    // One search scans at least as fast as building the index; a second on the same
    // unchanged rows suggests a run of look-ups, which the index answers in constant time.
    return ++index.unindexedSearches >= 2;
}

void Table::View::buildIndex(EqualIndex& index, const TableData& data, int field) const {
    const TableColumn& column = data.columns[field];
    const std::size_t count = visible.size();
    index.textGroups.clear();
    index.numberGroups.clear();
    std::vector<int> groupOf(count);
    std::vector<int> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        // Group numbers are stored plus one, so that a fresh slot (0) tells a new value.
        int& group = column.isInteger() ? index.numberGroups[column.number(visible[i])]
                                        : index.textGroups[column.view(visible[i])];
        if (group == 0) {
            sizes.push_back(0);
            group = static_cast<int>(sizes.size());
        }
        groupOf[i] = group - 1;
        ++sizes[group - 1];
    }
    index.groupStart.assign(sizes.size() + 1, 0);
    for (std::size_t g = 0; g < sizes.size(); ++g)
        index.groupStart[g + 1] = index.groupStart[g] + sizes[g];
    index.positions.resize(count);
    std::vector<int> next(index.groupStart.begin(), index.groupStart.end() - 1);
    for (std::size_t i = 0; i < count; ++i)
        index.positions[next[groupOf[i]]++] = static_cast<int>(i);
    index.built = true;
    index.viewVersion = version;
    index.structureVersion = data.structureVersion;
    index.fieldVersion = data.fieldVersions[field];
}

int Table::View::findEqual(const TableData& data, int field, const QString& key, int from) const {
    if (m_indexes.size() != data.columns.size())
        m_indexes.resize(data.columns.size());
    EqualIndex& index = m_indexes[field];
    if (!indexCurrent(index, data, field))
        buildIndex(index, data, field);
    int group = 0;
    if (data.columns[field].isInteger()) {
        // An integer matches only the text it shows: "7", not "07" or " 7".
        bool ok = false;
        const qint64 number = key.toLongLong(&ok);
        if (ok && QString::number(number) == key)
            group = index.numberGroups.value(number, 0);
    } else {
        group = index.textGroups.value(QStringView(key), 0);
    }
    if (group == 0)
        return -1;
    const auto begin = index.positions.begin() + index.groupStart[group - 1];
    const auto end = index.positions.begin() + index.groupStart[group];
    const auto at = std::lower_bound(begin, end, std::max(from, 0));
    return at == end ? -1 : *at;
}

} // namespace velantor
