#include "form/NextValue.h"

#include <algorithm>

namespace velantor {

qint64 nextValue(const Table& table, const QString& field) {
    const int index = table.requireField(field);
    // A clone shares the rows but has its own filter and position: reading through it
    // sees every row and leaves the caller's view of the table untouched.
    const TablePtr all = table.clone();
    all->clearFilter();
    if (all->rowCount() == 0)
        return 0;
    qint64 largest = all->numberAt(0, index);
    for (int row = 1; row < all->rowCount(); ++row)
        largest = std::max(largest, all->numberAt(row, index));
    return largest + 1;
}

} // namespace velantor
