#include "form/search/PositionSearch.h"
#include "form/FormView.h"
#include "form/ControlNames.h"

// The current post's province, area, zone and locality lists, and the preference's area,
// zone and locality lists. A new choice upstream empties the choices it narrows, so that
// no list keeps a value from another province or area.

namespace velantor::catalogues {
namespace {

void refilter(Table& table, const QString& condition) {
    table.clearFilter();
    table.setFilter(condition);
}

} // namespace

void PositionSearch::onCurrentPostProvinceChosen() {
    const QString condition =
        QStringLiteral("CodProvincia='") + m_view.text(ctl::cboProvinciasVrk) + QStringLiteral("' ");
    refilter(*m_tables.rsAreasVrk, condition);
    refilter(*m_tables.rsLocalidadesVrk, condition);
    m_view.setText(ctl::cboAreaVrk, QString());
    m_view.setText(ctl::cboLocalidadesVrk, QString());
}

void PositionSearch::onCurrentPostAreaChosen() {
    refilter(*m_tables.rsZonasVrk,
             QStringLiteral("CodArea='") + m_view.text(ctl::cboAreaVrk) + QStringLiteral("' "));
    m_view.setText(ctl::cboZBSVrk, QString());
}

void PositionSearch::onPreferenceAreaChosen() {
    refilter(*m_tables.rsLocalidades,
             QStringLiteral("CodProvincia='") + m_view.comboColumn(ctl::cboPrefArea, 2) + QStringLiteral("' "));
    refilter(*m_tables.rsZonas,
             QStringLiteral("CodArea='") + m_view.text(ctl::cboPrefArea) + QStringLiteral("' "));
    m_view.setText(ctl::cboPrefLocalidad, QString());
    m_view.setText(ctl::cboPrefProvincia, QString());
}

} // namespace velantor::catalogues
