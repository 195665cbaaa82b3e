#pragma once

#include <QString>

#include "tables/Table.h"

namespace velantor {
class FormView;
}

namespace velantor::catalogues {

// The two position tabs of the form: vacancies ("V") and "Resultas" ("R").
enum class SearchTab { Vacantes, Resultas };

// "V" or "R".
QString searchKind(SearchTab tab);

// The position filter of a tab from its search controls: "0" for no condition, otherwise
// the conditions joined by AND, starting with a blank. kind is "V" or "R" in either case;
// any other kind gives "0". On the vacancy tab a province alone (nothing else chosen)
// stands for the areas rsAreas shows, one condition per area joined by OR; a province
// whose areas rsAreas does not show gives an empty group, which selects no position. On both
// tabs a chosen locality matches the positions' 7-character locality codes that start with
// its province and its own code, and an area is padded to 8 characters.
QString FiltroPlazas(const FormView& view, QStringView kind, const Table& rsAreas);

// Puts a filter text of FiltroPlazas on a position table: "0" clears the filter. A text
// the table cannot read (a quote typed into a search list) can match no position code,
// so the table then shows no row.
void aplicarFiltroPlazas(Table& positions, const QString& filter);

// The text of lblPlazas for a number of positions found.
QString textoPlazasLocalizadas(int count);

} // namespace velantor::catalogues
