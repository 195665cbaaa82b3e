#include "form/RequestedPositionListOrders.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace velantor::requested {
namespace {

const QString kSortByOrder = QStringLiteral("Orden ASC");

// Runs `edit` over every row in the order the rows were added (an order the edits cannot
// disturb), then sorts the list by Orden again.
void editAllRows(Table& list, const std::function<void(int orden)>& edit) {
    list.clearFilter();
    list.sort(QString());
    edit(list.requireField(u"Orden"));
    list.sort(kSortByOrder);
}

} // namespace

void shiftOrders(Table& list, qint64 first, qint64 delta) {
    editAllRows(list, [&](int orden) {
        for (int row = 0; row < list.rowCount(); ++row)
            if (const qint64 value = list.numberAt(row, orden); value >= first)
                list.setNumberAt(row, orden, value + delta);
    });
}

void moveOrder(Table& list, qint64 id, qint64 from, qint64 to) {
    editAllRows(list, [&](int orden) {
        const int idSolicitud = list.requireField(u"IdSolicitud");
        for (int row = 0; row < list.rowCount(); ++row) {
            const qint64 value = list.numberAt(row, orden);
            if (list.numberAt(row, idSolicitud) == id)
                list.setNumberAt(row, orden, to);
            else if (from < to && value >= from + 1 && value <= to)
                list.setNumberAt(row, orden, value - 1);
            else if (to < from && value >= to && value < from)
                list.setNumberAt(row, orden, value + 1);
        }
    });
    renumberOrders(list);
}

void renumberOrders(Table& list) {
    editAllRows(list, [&](int orden) {
        std::vector<std::pair<qint64, int>> rows;
        rows.reserve(list.rowCount());
        for (int row = 0; row < list.rowCount(); ++row)
            rows.emplace_back(list.numberAt(row, orden), row);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t rank = 0; rank < rows.size(); ++rank)
            if (rows[rank].first != qint64(rank) + 1)
                list.setNumberAt(rows[rank].second, orden, qint64(rank) + 1);
    });
}

QString lookUpName(const Table& lookup, QStringView codeField, const QString& code, QStringView nameField) {
    if (code.isEmpty())
        return {};
    const int row = lookup.findEqual(lookup.requireField(codeField), code);
    return row < 0 ? QString() : lookup.textAt(row, lookup.requireField(nameField));
}

} // namespace velantor::requested
