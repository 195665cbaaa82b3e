#pragma once

#include <QString>

#include "catalogues/CatalogueReader.h"
#include "catalogues/Catalogues.h"
#include "platform/Error.h"
#include "tables/Table.h"

namespace velantor::catalogues {

// Creates a position list in `table` and fills it from the code list chosen by `letra`
// (compared in upper case): "R" reads "F0012.enc" with the details of
// rsConvocatoriasResultas, "V" reads "F0011.enc" with those of rsConvocatoriasVacantes.
// Any other letter leaves the new table empty.
Result<void> CargaListaPlazas(const QString& letra, TablePtr& table, CatalogueReader& reader,
                              Catalogues& catalogues);

} // namespace velantor::catalogues
