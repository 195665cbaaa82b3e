#include <algorithm>
#include <numeric>

#include "platform/TableView.h"

namespace velantor {

namespace {

// The key text is sorted by: letters without accents, so that "Ávila" sorts among the
// A's, with "ñ" kept after every "n…" as Spanish orders it. Plain ASCII text is its own
// key and is not copied.
QString sortKey(const QString& text) {
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
    if (ascii)
        return text;
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size() + 2);
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        const QChar c = decomposed[i];
        if (c.category() == QChar::Mark_NonSpacing) {
            if (c.unicode() == 0x0303 && !key.isEmpty() && key.back().toLower() == u'n')
                key += QChar(0xFFFF);
            continue;
        }
        key += c;
    }
    return key;
}

int compareText(const QString& keyA, const QString& a, const QString& keyB, const QString& b) {
    const int folded = QString::compare(keyA, keyB, Qt::CaseInsensitive);
    if (folded != 0)
        return folded;
    return QString::compare(a, b, Qt::CaseSensitive);
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
    if (column.integer) {
        const std::vector<qint64>& numbers = column.numbers;
        std::stable_sort(cache.rows.begin(), cache.rows.end(), [&](int a, int b) {
            return descending ? numbers[b] < numbers[a] : numbers[a] < numbers[b];
        });
    } else {
        const std::vector<QString>& texts = column.texts;
        std::vector<QString> keys;
        keys.reserve(texts.size());
        for (const QString& text : texts)
            keys.push_back(sortKey(text));
        std::stable_sort(cache.rows.begin(), cache.rows.end(), [&](int a, int b) {
            const int order = compareText(keys[a], texts[a], keys[b], texts[b]);
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

int Table::View::findEqual(const TableData& data, int field, const QString& key, int from) const {
    if (m_indexes.size() != data.columns.size())
        m_indexes.resize(data.columns.size());
    EqualIndex& index = m_indexes[field];
    if (!indexCurrent(index, data, field)) {
        index.positions.clear();
        const TableColumn& column = data.columns[field];
        for (std::size_t i = 0; i < visible.size(); ++i)
            index.positions[column.textAt(visible[i])].push_back(static_cast<int>(i));
        index.built = true;
        index.viewVersion = version;
        index.structureVersion = data.structureVersion;
        index.fieldVersion = data.fieldVersions[field];
    }
    const auto found = index.positions.constFind(key);
    if (found == index.positions.cend())
        return -1;
    const std::vector<int>& positions = found.value();
    const auto at = std::lower_bound(positions.begin(), positions.end(), std::max(from, 0));
    return at == positions.end() ? -1 : *at;
}

} // namespace velantor
