#pragma once

#include <vector>

#include <QList>
#include <QString>

#include "catalogues/Catalogues.h"
#include "catalogues/PlazasPorCuerpoEntry.h"
#include "tables/Table.h"

namespace velantor::catalogues {

// One column a selection list shows: the table field, the heading over it (the field's
// own name where the list has no heading of its own) and, where the list sets one, its
// width in twips.
struct ListColumn {
    QString field;
    QString caption;
    int widthTwips = 0;
};

// What a selection list of the application form is bound to. The list's text is the
// first column's field of the chosen row (its code). Several lists name the same table:
// they share that one table object, so a filter set for one narrows the others too.
struct ListBinding {
    QString list;  // control name
    QString table; // rs name; rsPlazasVacantes / rsPlazasResultas follow the chosen body
    QList<ListColumn> columns;
    QString filter; // set on the table when the form binds the list, "" for none
};

// Every data-bound selection list of the form, in the form's layout order.
const std::vector<ListBinding>& listBindings();
// nullptr when the control is not a data-bound list.
const ListBinding* findListBinding(QStringView list);

// The tables behind the form's selection lists, with the two clones the form makes when
// it loads (the "Resultas" search filters its own copies of the areas and zones) and the
// current position tables of the two position tabs.
struct SearchTables {
    TablePtr rsCuerpos; // a view of the bodies catalogue filtered to the bodies the list offers
    TablePtr rsGrupos;
    TablePtr rsProvincias;
    TablePtr rsSituaciones;
    TablePtr rsProvinciasVrk;
    TablePtr rsAreas;
    TablePtr rsAreasResultas;
    TablePtr rsZonas;
    TablePtr rsZonasResultas;
    TablePtr rsLocalidades;
    TablePtr rsLocalidadesVacantes;
    TablePtr rsLocalidadesResultas;
    TablePtr rsConsejeriasVacantes;
    TablePtr rsConsejeriasResultas;
    TablePtr rsInstitucionLocalidad;
    TablePtr rsAreasVrk;
    TablePtr rsZonasVrk;
    TablePtr rsLocalidadesVrk;

    // Unfiltered views of the area and zone catalogues for the name look-ups of the
    // requested lists; nothing ever filters them, so their look-up indexes stay built.
    TablePtr areaLookup;
    TablePtr zoneLookup;

    // The per-body position tables, and the entries' tables chosen for the body and group
    // (empty while none is chosen).
    std::vector<PlazasPorCuerpoEntry> PlazasPorCuerpo;
    TablePtr rsPlazasVacantes;
    TablePtr rsPlazasResultas;

    // The table a binding names (nullptr for an unknown name or a position table not chosen).
    TablePtr table(QStringView name) const;

    // Takes the loaded catalogues' tables, makes the clones and sets the body list's filter.
    static SearchTables fromCatalogues(const Catalogues& catalogues);
};

} // namespace velantor::catalogues
