#pragma once

#include "form/ui/FormCatalogueTables.h"
#include "widgets/DataGridColumn.h"

namespace velantor {

class FormWidgetFactory;

// The filter that keeps the bodies of group "X" out of the body list.
QString bodyListFilter();

// Binds every catalogue list of the form to its table with its columns and captions.
// The body list's table gets bodyListFilter(). Lists that share a table share its
// filter. The position lists are bound later, when a body is chosen.
void bindCatalogueLists(const FormWidgetFactory& controls, const FormCatalogueTables& tables);

// The columns of the position lists (code, name, institution, locality, then the codes
// addressed by position: locality, institution, province, area, zone, and on the
// vacancy side the area name).
DataGridColumns positionListColumns(bool vacantes);

// The grids' columns, by working table.
DataGridColumns cursosColumns();
DataGridColumns documentosColumns();
DataGridColumns positionGridColumns(bool vacantes);

} // namespace velantor
