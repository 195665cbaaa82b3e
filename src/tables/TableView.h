#pragma once

#include <optional>
#include <vector>

#include <QHash>
#include <QString>

#include "tables/FilterExpression.h"
#include "tables/Table.h"
#include "tables/TableData.h"

namespace velantor {

// What one table object sees of the shared rows: its filter, sort, the visible rows in
// order (as row indices into the shared data) and its current position, plus caches
// that are rebuilt when the rows or the view change.
struct Table::View {
    bool open = true;
    std::optional<FilterExpression> filter;
    QString filterText;
    QString sortSpec;
    int sortField = -1;
    bool sortDescending = false;

    std::vector<int> visible;
    int position = 0;
    quint64 version = 0; // bumped whenever `visible` changes

    // Recomputes `visible` from the filter and sort over all rows.
    void rebuild(const TableData& data);
    // Visible position of a shared row, -1 when it is not visible.
    int positionOfRow(const TableData& data, int row) const;
    // First visible position >= from whose field's text equals the key, -1 if none.
    int findEqual(const TableData& data, int field, const QString& key, int from) const;
    // Whether an equality search on the field should go through the index: yes once it
    // is built, or from the second search on the same field while nothing changed.
    bool preferIndex(const TableData& data, int field) const;

    // The last criterion find() parsed, reused while the same text comes again.
    QString lastCriterion;
    std::optional<FilterExpression> lastCriterionExpression;

private:
    void ensureSorted(const TableData& data);

    struct SortCache {
        std::vector<int> rows;
        int field = -1;
        bool descending = false;
        quint64 structureVersion = ~0ull;
        quint64 fieldVersion = ~0ull;
    };
    SortCache m_sorted;

    struct PositionMap {
        std::vector<int> positions;
        quint64 viewVersion = ~0ull;
        quint64 structureVersion = ~0ull;
    };
    mutable PositionMap m_positionMap;

    // The visible positions grouped by value: group g holds positions[groupStart[g] ..
    // groupStart[g + 1]) in ascending order. Text keys view the stored strings, which
    // stay put while the versions below hold.
    struct EqualIndex {
        QHash<QStringView, int> textGroups;
        QHash<qint64, int> numberGroups;
        std::vector<int> groupStart;
        std::vector<int> positions;
        quint64 viewVersion = ~0ull;
        quint64 structureVersion = ~0ull;
        quint64 fieldVersion = ~0ull;
        bool built = false;
        // Equality searches made without the index since the rows or view last changed.
        int unindexedSearches = 0;
        quint64 searchMark[3] = {~0ull, ~0ull, ~0ull};
    };
    mutable std::vector<EqualIndex> m_indexes;

    bool indexCurrent(const EqualIndex& index, const TableData& data, int field) const;
    void buildIndex(EqualIndex& index, const TableData& data, int field) const;
};

} // namespace velantor
