#include "form/search/CascadeVacantes.h"

#include "form/FormView.h"
#include "form/ControlNames.h"

namespace velantor::catalogues {
namespace {

constexpr QStringView kProvince = ctl::cboProvinciaVacantes;
constexpr QStringView kLocality = ctl::cboLocalidadVacantes;
constexpr QStringView kInstitution = ctl::cboConsejeriaVacantes;
constexpr QStringView kArea = ctl::cboAreasVacantes;
constexpr QStringView kZone = ctl::cboZonasVacantes;

// Adds a condition to whatever filter the table has, or makes it the filter.
void narrow(Table& table, const QString& joiner, const QString& condition) {
    table.setFilter(table.hasFilter() ? table.filter() + joiner + condition : condition);
}

// The localities an institution serves, as an OR-group over their codes; "" when the
// institution serves none. The institution-locality table carries 7-character locality
// codes (province, locality, "00") and the locality lists 3-character codes with their
// province, so each served locality is named by its province and its 3-character code.
QString servedLocalities(Table& institutionLocalities, const QString& institution) {
    institutionLocalities.setFilter(QStringLiteral("Codinstitucion='") + institution + QStringLiteral("' "));
    const int codLocalidad = institutionLocalities.requireField(u"CodLocalidad");
    QString group;
    for (int row = 0; row < institutionLocalities.rowCount(); ++row) {
        const QString code = institutionLocalities.textAt(row, codLocalidad);
        group += QStringLiteral(" ( CodProvincia='") + code.left(2) + QStringLiteral("' AND CodLocalidad='") +
                 code.mid(2, 3) + QStringLiteral("' ) OR ");
    }
    if (!group.isEmpty())
        group = QStringLiteral(" ( ") + group.left(group.lastIndexOf(u"OR")) + QStringLiteral(" ) ");
    institutionLocalities.clearFilter();
    return group;
}

} // namespace

void CascadaVacantes(FormView& view, SearchTables& tables, QStringView origen) {
    const bool fromLocality = origen == u"LOCALIDAD";
    const bool fromZone = origen == u"ZONABASICA";
    Table& localities = *tables.rsLocalidadesVacantes;
    Table& areas = *tables.rsAreas;
    Table& zones = *tables.rsZonas;
    Table& institutions = *tables.rsConsejeriasVacantes;

    // 1. Start from whole tables, except the list that has just changed.
    if (!fromLocality)
        localities.clearFilter();
    areas.clearFilter();
    if (!fromZone)
        zones.clearFilter();
    institutions.clearFilter();
    tables.rsProvinciasVrk->clearFilter();

    // 2, 3. A chosen locality closes the zone list, and a chosen zone the locality list.
    if (view.isEnabled(kZone) && view.holdsValidEntry(kLocality)) {
        zones.clearFilter();
        view.setEnabled(kZone, false);
        view.setText(kZone, QString());
    }
    if (view.isEnabled(kLocality) && view.holdsValidEntry(kZone)) {
        localities.clearFilter();
        view.setEnabled(kLocality, false);
        if (!view.text(kZone).isEmpty())
            view.setText(kLocality, QString());
    }

    const bool province = view.holdsValidEntry(kProvince);
    const QString provinceCode = view.text(kProvince);

    // 4. The province narrows the localities.
    if (!fromLocality && province)
        localities.setFilter(QStringLiteral("CodProvincia='") + provinceCode + QStringLiteral("' "));

    // 5, 6. The areas: of the province, or else of the chosen locality's province.
    if (province)
        areas.setFilter(QStringLiteral("CodProvincia='") + provinceCode + QStringLiteral("' "));
    if (view.holdsValidEntry(kLocality) && !areas.hasFilter())
        areas.setFilter(QStringLiteral(" CodProvincia='") + view.comboColumn(kLocality, 2) +
                        QStringLiteral("' "));

    // 7. The zones: of the province, and of the area within it.
    if (!fromZone) {
        if (province)
            zones.setFilter(QStringLiteral("CodProvincia='") + provinceCode + QStringLiteral("' "));
        if (view.holdsValidEntry(kArea))
            narrow(zones, QStringLiteral(" AND "),
                   QStringLiteral("CodArea='") + view.text(kArea) + QStringLiteral("' "));
    }

    // 8. The institutions: of the province, and of the area within it.
    if (province)
        institutions.setFilter(QStringLiteral("CodProvincia='") + provinceCode + QStringLiteral("' "));
    if (view.holdsValidEntry(kArea))
        narrow(institutions, QStringLiteral(" and "),
               QStringLiteral("CodArea='") + view.text(kArea) + QStringLiteral("' "));

    if (view.holdsValidEntry(kInstitution)) {
        const QString institution = view.text(kInstitution);
        // 9. Zones carry no institution; an institution stands in one area, so the zones
        // it may serve are those of its area.
        const QString institutionArea = view.comboColumn(kInstitution, 2).left(2);
        narrow(zones, QStringLiteral(" AND "),
               QStringLiteral("CodArea='") + institutionArea + QStringLiteral("' "));

        // 10. The localities the institution serves.
        const QString served = servedLocalities(*tables.rsInstitucionLocalidad, institution);
        if (!served.isEmpty())
            localities.setFilter(served);
    }
}

} // namespace velantor::catalogues
