#pragma once

#include <QString>

#include "tables/Table.h"

namespace velantor::requested {

// Order bookkeeping of a requested-position list (fields IdSolicitud and Orden). Each
// operation works on every row whatever the table shows, and leaves the table without a
// filter and sorted by Orden ascending.

// Every row whose Orden is at least `first` gets `delta` added.
void shiftOrders(Table& list, qint64 first, qint64 delta);

// Moves the row with identifier `id` from order `from` to order `to`: the rows between
// close up behind it or make room in front of it, and the whole list is renumbered 1..n.
void moveOrder(Table& list, qint64 id, qint64 from, qint64 to);

// Gives the rows the orders 1, 2, 3 … in their order by Orden (rows of equal Orden keep
// the order they were added in).
void renumberOrders(Table& list);

// The name a code has in a look-up table: the `nameField` of the first row whose
// `codeField` equals `code`; "" when `code` is empty or no row has it.
QString lookUpName(const Table& lookup, QStringView codeField, const QString& code, QStringView nameField);

} // namespace velantor::requested
