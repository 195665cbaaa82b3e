#pragma once

#include "widgets/DataGridColumn.h"

namespace velantor::catalogues {
struct ListBinding;
}

namespace velantor {

// The columns a selection list of the form shows, from its binding: the binding's
// fields, headings and widths. The two position lists, whose tables run to thousands of
// rows, get fixed widths so that a new filter does not measure every column again.
DataGridColumns listColumns(const catalogues::ListBinding& binding);

// The grids' columns, by working table.
DataGridColumns cursosColumns();
DataGridColumns documentosColumns();
DataGridColumns positionGridColumns(bool vacantes);

} // namespace velantor
