#include "form/search/CascadeVacantes.h"
#include "form/search/PositionSearch.h"
#include "form/FormView.h"
#include "form/ControlNames.h"

// The vacancy tab's search lists: each change narrows the other lists and then the
// positions offered.

namespace velantor::catalogues {

void PositionSearch::refreshVacancies(ListEvent event) {
    // The code typed earlier no longer belongs to the search once a list row is picked;
    // it is emptied before the filter is built so that the filter matches what the
    // controls show.
    if (event == ListEvent::Chosen)
        m_view.setText(ctl::txtCodVacante, QString());
    applyFilter(SearchTab::Vacantes);
    if (event == ListEvent::Chosen)
        focusNext();
}

void PositionSearch::onVacancyProvince(ListEvent event) {
    CascadaVacantes(m_view, m_tables, u"");
    // Once a province is chosen its list is locked and the lists it narrows are open; a
    // text that names no province leaves the province list open for another try.
    const bool provinceChosen = m_view.holdsValidEntry(ctl::cboProvinciaVacantes);
    for (QStringView list :
         {ctl::cboConsejeriaVacantes, ctl::cboLocalidadVacantes, ctl::cboAreasVacantes, ctl::cboZonasVacantes})
        m_view.setEnabled(list, provinceChosen);
    // The locality and the zone still exclude each other.
    if (m_view.holdsValidEntry(ctl::cboLocalidadVacantes))
        m_view.setEnabled(ctl::cboZonasVacantes, false);
    else if (m_view.holdsValidEntry(ctl::cboZonasVacantes))
        m_view.setEnabled(ctl::cboLocalidadVacantes, false);
    // Locked only once the focus has moved on to the lists just opened: a list locked
    // while it holds the focus would leave the keyboard nowhere.
    refreshVacancies(event);
    m_view.setEnabled(ctl::cboProvinciaVacantes, !provinceChosen);
}

void PositionSearch::onVacancyInstitution(ListEvent event) {
    CascadaVacantes(m_view, m_tables, u"");
    refreshVacancies(event);
}

void PositionSearch::onVacancyArea(ListEvent event) {
    CascadaVacantes(m_view, m_tables, u"");
    refreshVacancies(event);
}

void PositionSearch::onVacancyLocalityChanged() {
    constexpr QStringView locality = ctl::cboLocalidadVacantes;
    if (!m_view.isEnabled(locality))
        return;
    if (!m_view.text(locality).isEmpty() && !m_view.holdsValidEntry(locality))
        return;
    if (m_view.text(ctl::cboConsejeriaVacantes).isEmpty() && m_view.text(locality).isEmpty())
        m_view.setEnabled(ctl::cboZonasVacantes, true);
    CascadaVacantes(m_view, m_tables, u"LOCALIDAD");
    m_view.setText(ctl::txtCodVacante, QString());
    applyFilter(SearchTab::Vacantes);
}

void PositionSearch::onVacancyZoneChanged() {
    constexpr QStringView zone = ctl::cboZonasVacantes;
    if (!m_view.isEnabled(zone))
        return;
    if (!m_view.text(zone).isEmpty() && !m_view.holdsValidEntry(zone))
        return;
    if (m_view.text(ctl::cboConsejeriaVacantes).isEmpty() && m_view.text(zone).isEmpty())
        m_view.setEnabled(ctl::cboLocalidadVacantes, true);
    CascadaVacantes(m_view, m_tables, u"ZONABASICA");
    m_view.setText(ctl::txtCodVacante, QString());
    applyFilter(SearchTab::Vacantes);
}

} // namespace velantor::catalogues
