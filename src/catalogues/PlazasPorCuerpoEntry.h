#pragma once

#include <QString>

#include "tables/Table.h"

namespace velantor::catalogues {

// One slot of the per-body position tables. Every body (except those of group "X") has
// two: one with every offered position open to it (TodasLasPlazas true) and one with only
// the listed positions. An empty slot has no code and no tables.
struct PlazasPorCuerpoEntry {
    QString CodCuerpo;
    bool TodasLasPlazas = false;
    TablePtr Resultas;
    TablePtr Vacantes;

    bool empty() const { return !Resultas && !Vacantes; }
};

// One slot of the per-group position tables, built from the listed positions.
struct PlazasPorGrupoEntry {
    QString Grupo;
    TablePtr Resultas;
    TablePtr Vacantes;
};

} // namespace velantor::catalogues
