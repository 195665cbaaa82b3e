#pragma once

#include <QString>

#include "tables/Table.h"

namespace velantor {

// The identifier for a new row: one more than the largest value of the integer field
// over all rows of the table (whatever its filter), 0 when it has none. Leaves the
// table's current row, filter and sort as they are.
qint64 nextValue(const Table& table, const QString& field);

} // namespace velantor
