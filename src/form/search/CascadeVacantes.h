#pragma once

#include <QString>

#include "catalogues/ListBindings.h"

namespace velantor {
class FormView;
}

namespace velantor::catalogues {

// Narrows the vacancy tab's search lists after one of them changed, by filtering the
// tables they show: a province narrows the localities, areas, zones and institutions, an
// area the zones and institutions, an institution the zones (to its own area) and the
// localities it serves; a chosen locality and a chosen zone exclude each other. origen is
// "LOCALIDAD" after a change of the locality list, "ZONABASICA" after one of the zone
// list (the list that changed keeps its rows), and empty otherwise.
void CascadaVacantes(FormView& view, SearchTables& tables, QStringView origen);

} // namespace velantor::catalogues
