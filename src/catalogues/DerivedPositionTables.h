#pragma once

#include <functional>
#include <vector>

#include "catalogues/Catalogues.h"
#include "catalogues/PlazasPorCuerpoEntry.h"

namespace velantor::catalogues {

// The ready-made position tables per body and per group, built once so that choosing a
// body or a group on the form only swaps tables.
//
// Every map row (rsPlazasCuerpo, rsPlazasGrupo) of the body or group, in map order, adds the
// first position with its code from the source table, and nothing when there is none; a
// code mapped twice appears twice. The sources are searched through hash indexes, which
// give exactly the rows a search from the first row would.

// Two slots per row of rsCuerpos (2 × rows in all), filled from slot 0 in body order; bodies
// of group "X" get none, so the last slots stay empty. The first slot of a body takes every
// offered position (rsConvocatoriasResultas / rsConvocatoriasVacantes), the second only the
// listed ones (rsListaResultas / rsListaVacantes). `advance` is called before each slot's
// "Resultas" table and again before its vacancy table.
std::vector<PlazasPorCuerpoEntry> CargaPlazasPorCuerpo(Catalogues& catalogues,
                                                       const std::function<void()>& advance);

// One slot per row of rsGrupos, from the listed positions, without the area name.
// `advance` is called once per group, before its tables are built.
std::vector<PlazasPorGrupoEntry> CargaPlazasPorGrupo(Catalogues& catalogues,
                                                     const std::function<void()>& advance);

// A view of `table` in insertion order with every row visible, leaving the table's own
// filter and sort as they are.
TablePtr allRowsInTableOrder(const Table& table);

} // namespace velantor::catalogues
