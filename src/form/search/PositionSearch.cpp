#include "form/search/PositionSearch.h"

#include <array>

#include "form/FormView.h"
#include "form/RequestedPositionList.h"
#include "platform/MessageService.h"
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

PositionSearch::PositionSearch(FormView& view, SearchTables& tables, MessageService& messages)
    : m_view(view), m_tables(tables), m_messages(messages) {}

void PositionSearch::focusNext() {
    if (m_focusNext)
        m_focusNext();
}

void PositionSearch::positionTablesChanged() {
    if (m_positionTablesChanged)
        m_positionTablesChanged();
}

// ---- Body and group ------------------------------------------------------------------

bool PositionSearch::SeleccionaPlazasRS() {
    if (!m_view.holdsValidEntry(ctl::cboGrupo) || m_view.text(ctl::cboGrupo).isEmpty())
        return false;
    const QString body = m_view.text(ctl::cboCuerpo);
    const PlazasPorCuerpoEntry* chosen = nullptr;
    for (const PlazasPorCuerpoEntry& entry : m_tables.PlazasPorCuerpo) {
        if (entry.TodasLasPlazas && entry.CodCuerpo == body && !entry.empty()) {
            chosen = &entry;
            break;
        }
    }
    if (!chosen) {
        m_messages.show(
            {QStringLiteral("Error en la carga de datos. Debe cerrar el programa y volver a arrancarlo. "
                            "Guarde la información si desea conservar los cambios."),
             QStringLiteral("Cuerpo no válido"), MessageIcon::Warning, MessageButtons::Ok});
        return false;
    }
    m_tables.rsPlazasVacantes = chosen->Vacantes;
    m_tables.rsPlazasVacantes->sort(QStringLiteral("CodConvocatoria"));
    m_tables.rsPlazasResultas = chosen->Resultas;
    positionTablesChanged();
    // A per-body table keeps the filter it had when the user last left that body: put the
    // search the lists show now on both tables, so that what is offered matches them.
    applyFilter(SearchTab::Vacantes);
    applyFilter(SearchTab::Resultas);
    return true;
}

void PositionSearch::clearPositionTables() {
    if (!m_tables.rsPlazasVacantes && !m_tables.rsPlazasResultas)
        return;
    m_tables.rsPlazasVacantes = nullptr;
    m_tables.rsPlazasResultas = nullptr;
    positionTablesChanged();
}

void PositionSearch::onBodyChosen() {
    const QString body = m_view.text(ctl::cboCuerpo);
    const bool valid = m_view.holdsValidEntry(ctl::cboCuerpo);
    m_view.setText(ctl::lblCat, valid ? m_view.comboColumn(ctl::cboCuerpo, 1) : QString());
    if (valid && !body.startsWith(u'X')) {
        m_view.setText(ctl::cboGrupo, m_view.comboColumn(ctl::cboCuerpo, 2).trimmed());
        m_view.setEnabled(ctl::cboGrupo, false);
        if (m_existingApplication && m_existingApplication())
            clearPositionTables();
        else
            SeleccionaPlazasRS();
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
}

void PositionSearch::onGroupChosen() {
    if (m_existingApplication && m_existingApplication()) {
        m_messages.show({QStringLiteral("El grupo seleccionado no es válido"),
                         QStringLiteral("Grupo Erróneo"), MessageIcon::Warning, MessageButtons::Ok});
        clearPositionTables();
        applyActivationRule();
        m_view.setFocus(ctl::cboGrupo);
        return;
    }
    if (!SeleccionaPlazasRS())
        clearPositionTables();
    applyActivationRule();
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
    const std::array<QStringView, 3> emptied =
        vacancies
            ? std::array<QStringView, 3>{ctl::cboProvinciaVacantes, ctl::cboAreasVacantes, ctl::txtCodVacante}
            : std::array<QStringView, 3>{ctl::cboProvinciaResultas, ctl::cboAreasResultas, ctl::txtCodResulta};
    for (QStringView control : emptied)
        m_view.setText(control, QString());
    const QStringView zones = vacancies ? ctl::cboZonasVacantes : ctl::cboZonasResultas;
    m_view.setEnabled(zones, true);
    m_view.setText(zones, QString());
    // The vacancy province list was locked when its province was chosen: emptied here, it
    // opens again so that the user can start the search from another province.
    if (vacancies && !m_view.text(ctl::cboCuerpo).isEmpty() && !m_view.text(ctl::cboGrupo).isEmpty())
        m_view.setEnabled(ctl::cboProvinciaVacantes, true);
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
    applyFilter(tab);
}

void PositionSearch::insertAll(SearchTab tab, RequestedPositionList& requested) {
    if (const TablePtr candidates = positions(tab))
        requested.insertAll(*candidates);
    if (tab == SearchTab::Resultas)
        m_view.setEnabled(ctl::cmdInsertaTodasResultas, false);
}

} // namespace velantor::catalogues
