#pragma once

#include <functional>

#include <QString>

#include "catalogues/ListBindings.h"
#include "form/Refusal.h"
#include "form/search/PositionSearchFilter.h"

namespace velantor {
class FormView;
class RequestedPositionList;
} // namespace velantor

namespace velantor::catalogues {

// How a search list reports a change: a row picked in its drop-down, or the focus
// leaving it (after the user typed or did nothing).
enum class ListEvent { Chosen, Left };

// Why a body or group choice chose no position tables.
enum class BodyRefusal {
    // The group list holds no valid group yet: nothing is chosen and nothing is said.
    NoGroup,
    // The body has no position tables ("Cuerpo no válido"): the loaded catalogues do not
    // match; the current tables stay.
    BodyWithoutPositions,
    // The existing-application check rejected the group ("Grupo Erróneo").
    GroupRejected,
};
using BodyResult = RuleResult<BodyRefusal>;

// The rules behind the professional data's body and group lists and the two position
// tabs' search lists: which position tables the body and group choose, which rows each
// search list offers after a change elsewhere, and the position filter that the search
// lists feed. The window calls one handler per event; the handlers read and change the
// controls through the view and narrow the lists by filtering the shared tables, which
// the window's lists follow. A handler that refuses a choice returns the refusal with the
// box the caller shows; the search itself shows nothing.
class PositionSearch {
public:
    PositionSearch(FormView& view, SearchTables& tables);

    FormView& view() { return m_view; }
    SearchTables& tables() { return m_tables; }

    // The check for an already saved application with the typed identity, body and group:
    // true when one exists (it has told the user and acted on the answer). Without one set,
    // no application exists.
    void setExistingApplicationCheck(std::function<bool()> check) {
        m_existingApplication = std::move(check);
    }
    // Moves the focus on to the next control, as the Tab key does.
    void setFocusMover(std::function<void()> move) { m_focusNext = std::move(move); }
    // Told whenever rsPlazasVacantes or rsPlazasResultas becomes another table (or none).
    void setPositionTablesObserver(std::function<void()> observer) {
        m_positionTablesChanged = std::move(observer);
    }

    // ---- Body and group ----------------------------------------------------------------

    // Chooses the position tables of the body in cboCuerpo once the group is valid. A body
    // without tables keeps the current ones and is refused with "Cuerpo no válido".
    BodyResult SeleccionaPlazasRS();
    // The body chosen: the group follows it, then the position tables; the refusal of
    // SeleccionaPlazasRS when it refused.
    BodyResult onBodyChosen();
    // The group chosen: refused with "Grupo Erróneo" when the existing-application check
    // rejects it (the tables are emptied and the focus goes back to the group list).
    BodyResult onGroupChosen();
    // Leaving the body or the group list: runs the existing-application check. Returns
    // true when the identity number, body and group are all filled in afterwards.
    bool onIdentifyingListLeft();
    // Empties both current position tables.
    void clearPositionTables();
    // The activation rule: the search lists are enabled exactly when body and group are
    // both filled in.
    void applyActivationRule();
    // Sets the six province, institution and locality lists of both tabs, then applies the
    // vacancy tab's province rule: until a province is chosen only the province list is
    // enabled there, and once one is chosen the province list is locked and the
    // institution, locality, area and zone lists are open.
    void setSearchListsEnabled(bool enabled);
    // The vacancy tab's own rules on its lists: the province rule above, then the locality
    // and the zone excluding each other.
    void applyVacancyListRules();

    // ---- Position filter ---------------------------------------------------------------

    QString filter(SearchTab tab) const;
    // Applies the tab's filter to its current position table (and on the vacancy tab
    // shows the count in lblPlazas).
    void applyFilter(SearchTab tab);
    // The tab's current position table (nullptr while no body and group are chosen).
    TablePtr positions(SearchTab tab) const;
    // Leaving txtCodVacante / txtCodResulta.
    void onCodeLeft(SearchTab tab);
    // A row chosen in cboPuestoVacante / cboPuestoResultas.
    void onPositionChosen(SearchTab tab);

    // ---- Vacancy tab -------------------------------------------------------------------

    void onVacancyProvince(ListEvent event);
    void onVacancyInstitution(ListEvent event);
    void onVacancyArea(ListEvent event);
    // Change notifications of the locality and zone lists (text typed or row chosen).
    void onVacancyLocalityChanged();
    void onVacancyZoneChanged();

    // ---- "Resultas" tab ----------------------------------------------------------------

    void onResultasProvince(ListEvent event);
    void onResultasLocality(ListEvent event);
    void onResultasInstitution(ListEvent event);
    void onResultasArea(ListEvent event);
    void onResultasZone(ListEvent event);

    // ---- Current post and preference ---------------------------------------------------

    void onCurrentPostProvinceChosen();
    void onCurrentPostAreaChosen();
    void onPreferenceAreaChosen();

    // ---- Commands ----------------------------------------------------------------------

    // The search part of a tab's "Cancelar": empties every search list of the tab and its
    // code, clears the filters of the tables behind them, leaves the lists enabled as at
    // the start of a search and applies the (now empty) filter again.
    void resetSearch(SearchTab tab);
    // "Insertar Todas": hands the tab's filtered positions to its requested list; on the
    // "Resultas" tab the button is then disabled while that list holds rows.
    void insertAll(SearchTab tab, RequestedPositionList& requested);

private:
    void refreshVacancies(ListEvent event);
    void refreshResultas(ListEvent event);
    void narrowResultasByProvince();
    void narrowResultasByArea();
    void focusNext();
    void positionTablesChanged();
    void enableForNewSearch(SearchTab tab);

    FormView& m_view;
    SearchTables& m_tables;
    std::function<bool()> m_existingApplication;
    std::function<void()> m_focusNext;
    std::function<void()> m_positionTablesChanged;
};

} // namespace velantor::catalogues
