#pragma once

#include <QString>

#include "catalogues/Catalogues.h"
#include "platform/Error.h"

namespace velantor::catalogues {

// Writes every table of `catalogues` into `folder` (created when missing) as UTF-8 text,
// one file per table:
// - "<table name>.tsv": the field names, then one line per row with the table's filter
//   cleared (the filter is put back afterwards), in the table's order;
// - "PlazasPorCuerpo_<slot>_<R|V>.tsv" and "PlazasPorGrupo_<slot>_<R|V>.tsv" for each filled
//   slot (R its "Resultas" table, V its vacancy table);
// - "PlazasPorCuerpo.tsv" (CodCuerpo, TodasLasPlazas as True/False) and "PlazasPorGrupo.tsv"
//   (Grupo): a header line, then one line per slot, an empty slot as an empty line.
// Fields are separated by a tab; a backslash, tab, CR or LF in a value is written as
// \\, \t, \r or \n.
Result<void> dumpCatalogues(const Catalogues& catalogues, const QString& folder);

// One value as it stands in a dump line.
QString escapeTsvValue(const QString& value);

// The dump text of one table.
QString tableTsv(Table& table);

} // namespace velantor::catalogues
