#include "form/search/PositionSearch.h"
#include "form/FormView.h"
#include "form/ControlNames.h"

// The "Resultas" tab's search lists. The province narrows its own localities and zones
// and the shared area table rsAreas (so the vacancy tab's and the preference's area lists
// follow it); the area narrows the zones and institutions; a chosen locality closes the
// zone list.

namespace velantor::catalogues {
namespace {

constexpr QStringView kProvince = ctl::cboProvinciaResultas;
constexpr QStringView kLocality = ctl::cboLocalidadResultas;
constexpr QStringView kInstitution = ctl::cboConsejeriaResultas;
constexpr QStringView kArea = ctl::cboAreasResultas;
constexpr QStringView kZone = ctl::cboZonasResultas;

void refilter(Table& table, const QString& condition) {
    table.clearFilter();
    table.setFilter(condition);
}

} // namespace

void PositionSearch::refreshResultas(ListEvent event) {
    m_view.setText(ctl::txtCodResulta, QString());
    applyFilter(SearchTab::Resultas);
    if (event == ListEvent::Chosen)
        focusNext();
}

void PositionSearch::narrowResultasByProvince() {
    const QString condition =
        QStringLiteral("CodProvincia='") + m_view.text(kProvince) + QStringLiteral("' ");
    refilter(*m_tables.rsLocalidadesResultas, condition);
    refilter(*m_tables.rsAreas, condition);
    refilter(*m_tables.rsZonasResultas, condition);
}

void PositionSearch::narrowResultasByArea() {
    const QString condition = QStringLiteral("CodArea='") + m_view.text(kArea) + QStringLiteral("' ");
    refilter(*m_tables.rsZonasResultas, condition);
    refilter(*m_tables.rsConsejeriasResultas, condition);
}

void PositionSearch::onResultasProvince(ListEvent event) {
    const bool valid = m_view.holdsValidEntry(kProvince);
    if (event == ListEvent::Chosen && valid) {
        m_view.setText(kLocality, QString());
        // With the locality gone the zone list is open again.
        m_view.setEnabled(kZone, true);
        narrowResultasByProvince();
        m_view.setText(kInstitution, QString());
        m_tables.rsConsejeriasResultas->clearFilter();
    } else if (event == ListEvent::Left && valid) {
        narrowResultasByProvince();
    } else if (event == ListEvent::Left) {
        for (QStringView list : {kProvince, kArea, kZone, kInstitution})
            m_view.setText(list, QString());
        m_tables.rsConsejeriasResultas->clearFilter();
    }
    refreshResultas(event);
}

void PositionSearch::onResultasLocality(ListEvent event) {
    if (m_view.holdsValidEntry(kLocality)) {
        m_view.setText(kZone, QString());
        m_view.setEnabled(kZone, false);
    } else if (event == ListEvent::Left || m_view.text(kLocality).isEmpty()) {
        m_view.setText(kLocality, QString());
        m_view.setEnabled(kZone, true);
    }
    refreshResultas(event);
}

void PositionSearch::onResultasInstitution(ListEvent event) {
    if (event == ListEvent::Left && !m_view.holdsValidEntry(kInstitution))
        m_view.setText(kInstitution, QString());
    refreshResultas(event);
}

void PositionSearch::onResultasArea(ListEvent event) {
    if (m_view.holdsValidEntry(kArea)) {
        if (event == ListEvent::Chosen)
            m_view.setText(kZone, QString());
        narrowResultasByArea();
    } else if (event == ListEvent::Left) {
        m_view.setText(kArea, QString());
        m_tables.rsZonasResultas->clearFilter();
        m_tables.rsConsejeriasResultas->clearFilter();
    }
    refreshResultas(event);
}

void PositionSearch::onResultasZone(ListEvent event) {
    // The zone narrows no other list; leaving it changes nothing.
    if (event == ListEvent::Chosen)
        refreshResultas(event);
}

} // namespace velantor::catalogues
