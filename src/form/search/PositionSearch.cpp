#include "form/search/PositionSearch.h"

#include <array>

#include "form/FormView.h"
#include "form/RequestedPositionList.h"
#include "form/ControlNames.h"

namespace velantor::catalogues {
namespace {

QStringView positionList(SearchTab tab) {
    return tab == SearchTab::Vacantes ? ctl::cboPuestoVacante : ctl::cboPuestoResultas;
}

QStringView codeField(SearchTab tab) {
    return tab == SearchTab::Vacantes ? ctl::txtCodVacante : ctl::txtCodResulta;
}

QStringView acceptButton(SearchTab tab) {
    return tab == SearchTab::Vacantes ? ctl::cmdAceptarVacante : ctl::cmdAceptarResultas;
}

} // namespace

PositionSearch::PositionSearch(FormView& view, SearchTables& tables) : m_view(view), m_tables(tables) {}

void PositionSearch::focusNext() {
    if (m_focusNext)
        m_focusNext();
}

void PositionSearch::positionTablesChanged() {
    if (m_positionTablesChanged)
        m_positionTablesChanged();
}

// ---- Body and group ------------------------------------------------------------------

BodyResult PositionSearch::SeleccionaPlazasRS() {
    if (!m_view.holdsValidEntry(ctl::cboGrupo) || m_view.text(ctl::cboGrupo).isEmpty())
        return refuse(BodyRefusal::NoGroup);
    const QString body = m_view.text(ctl::cboCuerpo);
    const PlazasPorCuerpoEntry* chosen = nullptr;
    for (const PlazasPorCuerpoEntry& entry : m_tables.PlazasPorCuerpo) {
        if (entry.TodasLasPlazas && entry.CodCuerpo == body && !entry.empty()) {
            chosen = &entry;
            break;
        }
    }
    if (!chosen)
        return refuse(BodyRefusal::BodyWithoutPositions,
                      {QStringLiteral("Error en la carga de datos. Debe cerrar el programa y volver a arrancarlo. "
                                      "Guarde la información si desea conservar los cambios."),
                       QStringLiteral("Cuerpo no válido"), MessageIcon::Warning, MessageButtons::Ok});
    m_tables.rsPlazasVacantes = chosen->Vacantes;
    m_tables.rsPlazasVacantes->sort(QStringLiteral("CodConvocatoria"));
    m_tables.rsPlazasResultas = chosen->Resultas;
    positionTablesChanged();
    // A per-body table keeps the filter it had when the user last left that body: put the
    // search the lists show now on both tables, so that what is offered matches them.
    applyFilter(SearchTab::Vacantes);
    applyFilter(SearchTab::Resultas);
    return {};
}

void PositionSearch::clearPositionTables() {
    if (!m_tables.rsPlazasVacantes && !m_tables.rsPlazasResultas)
        return;
    m_tables.rsPlazasVacantes = nullptr;
    m_tables.rsPlazasResultas = nullptr;
    positionTablesChanged();
}

BodyResult PositionSearch::onBodyChosen() {
    BodyResult chosen;
    const QString body = m_view.text(ctl::cboCuerpo);
    const bool valid = m_view.holdsValidEntry(ctl::cboCuerpo);
    m_view.setText(ctl::lblCat, valid ? m_view.comboColumn(ctl::cboCuerpo, 1) : QString());
    if (valid && !body.startsWith(u'X')) {
        m_view.setText(ctl::cboGrupo, m_view.comboColumn(ctl::cboCuerpo, 2).trimmed());
        m_view.setEnabled(ctl::cboGrupo, false);
        if (m_existingApplication && m_existingApplication())
            clearPositionTables();
        else
            chosen = SeleccionaPlazasRS();
    } else {
        // A body of an "X" code leaves the group to the user; until a group is chosen no
        // positions belong to the form. Neither does any for a body that is not in the list.
        if (body.startsWith(u'X')) {
            m_view.setText(ctl::cboGrupo, QString());
            m_view.setEnabled(ctl::cboGrupo, true);
        }
        clearPositionTables();
    }
    applyActivationRule();
    focusNext();
    return chosen;
}

BodyResult PositionSearch::onGroupChosen() {
    if (m_existingApplication && m_existingApplication()) {
        clearPositionTables();
        applyActivationRule();
        m_view.setFocus(ctl::cboGrupo);
        return refuse(BodyRefusal::GroupRejected,
                      {QStringLiteral("El grupo seleccionado no es válido"), QStringLiteral("Grupo Erróneo"),
                       MessageIcon::Warning, MessageButtons::Ok});
    }
    BodyResult chosen = SeleccionaPlazasRS();
    if (!chosen)
        clearPositionTables();
    applyActivationRule();
    return chosen;
}

bool PositionSearch::onIdentifyingListLeft() {
    if (m_existingApplication)
        m_existingApplication();
    return !m_view.text(ctl::txtDNI).isEmpty() && !m_view.text(ctl::cboCuerpo).isEmpty() &&
           !m_view.text(ctl::cboGrupo).isEmpty();
}

void PositionSearch::applyActivationRule() {
    setSearchListsEnabled(!m_view.text(ctl::cboCuerpo).isEmpty() && !m_view.text(ctl::cboGrupo).isEmpty());
}

void PositionSearch::setSearchListsEnabled(bool enabled) {
    for (QStringView list : {ctl::cboProvinciaVacantes, ctl::cboConsejeriaVacantes, ctl::cboLocalidadVacantes,
                             ctl::cboProvinciaResultas, ctl::cboConsejeriaResultas, ctl::cboLocalidadResultas})
        m_view.setEnabled(list, enabled);
    applyVacancyListRules();
}

void PositionSearch::applyVacancyListRules() {
    const bool provinceChosen = !m_view.text(ctl::cboProvinciaVacantes).isEmpty();
    m_view.setEnabled(ctl::cboProvinciaVacantes, !provinceChosen);
    for (QStringView list :
         {ctl::cboConsejeriaVacantes, ctl::cboLocalidadVacantes, ctl::cboAreasVacantes, ctl::cboZonasVacantes})
        m_view.setEnabled(list, provinceChosen);
    // Opening the lists must not undo the cascade: a chosen locality keeps the zone list
    // closed and a chosen zone the locality list (the window applies this rule again
    // whenever it is activated, which a closing drop-down or message box can cause).
    if (!provinceChosen)
        return;
    if (m_view.holdsValidEntry(ctl::cboLocalidadVacantes))
        m_view.setEnabled(ctl::cboZonasVacantes, false);
    else if (m_view.holdsValidEntry(ctl::cboZonasVacantes))
        m_view.setEnabled(ctl::cboLocalidadVacantes, false);
}

// ---- Position filter -------------------------------------------------------------------

QString PositionSearch::filter(SearchTab tab) const {
    return FiltroPlazas(m_view, searchKind(tab), *m_tables.rsAreas);
}

TablePtr PositionSearch::positions(SearchTab tab) const {
    return tab == SearchTab::Vacantes ? m_tables.rsPlazasVacantes : m_tables.rsPlazasResultas;
}

void PositionSearch::applyFilter(SearchTab tab) {
    const TablePtr table = positions(tab);
    if (!table)
        return;
    aplicarFiltroPlazas(*table, filter(tab));
    if (tab == SearchTab::Vacantes)
        m_view.setText(ctl::lblPlazas, textoPlazasLocalizadas(table->rowCount()));
}

void PositionSearch::onCodeLeft(SearchTab tab) {
    applyFilter(tab);
    const QString code = m_view.text(codeField(tab));
    const TablePtr table = positions(tab);
    if (code.isEmpty() || !table || table->rowCount() == 0)
        return;
    m_view.setText(positionList(tab), code);
    m_view.setFocus(acceptButton(tab));
}

void PositionSearch::onPositionChosen(SearchTab tab) {
    m_view.setFocus(acceptButton(tab));
}

// ---- Commands --------------------------------------------------------------------------

void PositionSearch::resetSearch(SearchTab tab) {
    const bool vacancies = tab == SearchTab::Vacantes;
    // Every list of the tab is emptied, so that no text kept from the search before (a
    // locality code, an institution) names something of another province in the next one.
    const std::array<QStringView, 6> emptied =
        vacancies ? std::array<QStringView, 6>{ctl::cboProvinciaVacantes, ctl::cboConsejeriaVacantes,
                                               ctl::cboLocalidadVacantes, ctl::cboAreasVacantes,
                                               ctl::cboZonasVacantes, ctl::txtCodVacante}
                  : std::array<QStringView, 6>{ctl::cboProvinciaResultas, ctl::cboConsejeriaResultas,
                                               ctl::cboLocalidadResultas, ctl::cboAreasResultas,
                                               ctl::cboZonasResultas, ctl::txtCodResulta};
    for (QStringView control : emptied)
        m_view.setText(control, QString());
    if (vacancies) {
        for (const TablePtr& table : {m_tables.rsAreas, m_tables.rsZonas, m_tables.rsLocalidadesVacantes,
                                      m_tables.rsConsejeriasVacantes, m_tables.rsProvinciasVrk})
            table->clearFilter();
    } else {
        // The province table is shared with the vacancy tab and the current post: it keeps its filter.
        for (const TablePtr& table : {m_tables.rsAreasResultas, m_tables.rsZonasResultas,
                                      m_tables.rsLocalidadesResultas, m_tables.rsConsejeriasResultas})
            table->clearFilter();
    }
    enableForNewSearch(tab);
    applyFilter(tab);
}

void PositionSearch::enableForNewSearch(SearchTab tab) {
    // As the activation rule leaves them: on the vacancy tab, with the province emptied,
    // the province list alone is open.
    if (tab == SearchTab::Vacantes) {
        applyVacancyListRules();
        return;
    }
    const bool open = !m_view.text(ctl::cboCuerpo).isEmpty() && !m_view.text(ctl::cboGrupo).isEmpty();
    for (QStringView list : {ctl::cboProvinciaResultas, ctl::cboConsejeriaResultas, ctl::cboLocalidadResultas})
        m_view.setEnabled(list, open);
    for (QStringView list : {ctl::cboAreasResultas, ctl::cboZonasResultas})
        m_view.setEnabled(list, true);
}

void PositionSearch::insertAll(SearchTab tab, RequestedPositionList& requested) {
    if (const TablePtr candidates = positions(tab))
        requested.insertAll(*candidates);
    // The "Resultas" button serves once per list: it comes back when the list is empty again.
    if (tab == SearchTab::Resultas)
        m_view.setEnabled(ctl::cmdInsertaTodasResultas, requested.table()->totalRowCount() == 0);
}

} // namespace velantor::catalogues
