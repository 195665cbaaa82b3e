#pragma once

#include <QString>

#include "tables/Table.h"

namespace velantor::catalogues {

// Creators of the catalogue tables, one per table shape. Each returns a new, empty,
// open table with the fields in the order the rest of the program addresses them.

// CodProvincia [2], Provincia [20]
TablePtr createProvinceTable(const QString& name);
// CodProvincia [2], CodLocalidad [7], Localidad [60]
TablePtr createLocalityTable(const QString& name);
// Grupo [1], CodCuerpo [6], DescCuerpo [100]
TablePtr createBodyTable(const QString& name);
// Grupo [1]
TablePtr createGroupTable(const QString& name);
// CodConsejeria [2], Consejeria [50], CodArea [8], CodProvincia [2]
TablePtr createInstitutionTable(const QString& name);
// CodPlaza [5], CodGrupo [1]
TablePtr createGroupMapTable(const QString& name);
// CodPlaza [5], CodCuerpo [6]
TablePtr createBodyMapTable(const QString& name);
// CodConvocatoria [5], NomConvocatoria [50], Consejeria [50], Localidad [53], CodConsejeria [2],
// CodLocalidad [7], CodProvincia [2], CodArea [8], CodZona [8], Area [50]
TablePtr createPositionTable(const QString& name);
// As a position table, but Localidad holds at most 50 characters.
TablePtr createCodeListTable(const QString& name);
// CodZona [8], Zona [50], CodArea [8], CodProvincia [2], CodInstitucion [2]
TablePtr createZoneTable(const QString& name);
// CodArea [8], Area [50], CodProvincia [2]
TablePtr createAreaTable(const QString& name);
// CodSituacion [2], esOtras [1], Situacion [60]
TablePtr createSituationTable(const QString& name);
// CodInstitucion [2], CodLocalidad [7]
TablePtr createInstitutionLocalityTable(const QString& name);

// The ten fields every position table and position list shares, in table order.
inline constexpr int kPositionFieldCount = 10;
const QString& positionFieldName(int index);

} // namespace velantor::catalogues
