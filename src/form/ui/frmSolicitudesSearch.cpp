// The selection lists of the form on their tables, and the body, group and search lists
// wired to the position search: each list event calls one handler of the search core,
// which reads and changes the controls through the form's view.
#include "form/ui/frmSolicitudes.h"

#include <QTimer>

#include "form/Refusal.h"
#include "form/search/PositionSearch.h"
#include "form/ui/FormColumns.h"
#include "form/ui/FormWidgetView.h"
#include "widgets/DataCombo.h"
#include "form/ControlNames.h"

namespace velantor {

using catalogues::ListEvent;
using catalogues::PositionSearch;
using catalogues::SearchTab;

void frmSolicitudes::wireSearch() {
    for (const catalogues::ListBinding& binding : catalogues::listBindings()) {
        if (DataCombo* list = combo(binding.list))
            list->bind(m_tables.table(binding.table), listColumns(binding));
    }
    // The search moves the focus on after a row is picked, as the Tab key would; only
    // from the list the user picked in, never from wherever the focus happens to be.
    m_search->setFocusMover([this] {
        if (m_searchSource && m_searchSource->hasFocus())
            focusNextChild();
    });
    m_search->setPositionTablesObserver([this] { rebindPositionLists(); });

    wireIdentifyingList(ctl::cboCuerpo, true);
    wireIdentifyingList(ctl::cboGrupo, false);

    PositionSearch* s = m_search.get();
    wireSearchList(ctl::cboProvinciaVacantes, [s](ListEvent e) { s->onVacancyProvince(e); });
    wireSearchList(ctl::cboConsejeriaVacantes, [s](ListEvent e) { s->onVacancyInstitution(e); });
    wireSearchList(ctl::cboAreasVacantes, [s](ListEvent e) { s->onVacancyArea(e); });
    wireChangingList(ctl::cboLocalidadVacantes, [s] { s->onVacancyLocalityChanged(); });
    wireChangingList(ctl::cboZonasVacantes, [s] { s->onVacancyZoneChanged(); });

    wireSearchList(ctl::cboProvinciaResultas, [s](ListEvent e) { s->onResultasProvince(e); });
    wireSearchList(ctl::cboLocalidadResultas, [s](ListEvent e) { s->onResultasLocality(e); });
    wireSearchList(ctl::cboConsejeriaResultas, [s](ListEvent e) { s->onResultasInstitution(e); });
    wireSearchList(ctl::cboAreasResultas, [s](ListEvent e) { s->onResultasArea(e); });
    wireSearchList(ctl::cboZonasResultas, [s](ListEvent e) { s->onResultasZone(e); });

    connect(combo(ctl::cboProvinciasVrk), &DataCombo::rowChosen, this,
            [s] { s->onCurrentPostProvinceChosen(); });
    connect(combo(ctl::cboAreaVrk), &DataCombo::rowChosen, this, [s] { s->onCurrentPostAreaChosen(); });
    connect(combo(ctl::cboPrefArea), &DataCombo::rowChosen, this, [s] { s->onPreferenceAreaChosen(); });

    for (const SearchTab tab : {SearchTab::Vacantes, SearchTab::Resultas}) {
        DataCombo* list = combo(tab == SearchTab::Vacantes ? ctl::cboPuestoVacante : ctl::cboPuestoResultas);
        connect(list, &DataCombo::rowChosen, this,
                [this, list, s, tab] { runSearchHandler(list, [s, tab] { s->onPositionChosen(tab); }); });
    }
}

void frmSolicitudes::runSearchHandler(QWidget* source, const std::function<void()>& handler) {
    const QPointer<QWidget> outer = m_searchSource;
    m_searchSource = source;
    handler();
    m_searchSource = outer;
}

void frmSolicitudes::wireSearchList(QStringView name, std::function<void(ListEvent)> handler) {
    DataCombo* list = combo(name);
    connect(list, &DataCombo::rowChosen, this,
            [this, list, handler] { runSearchHandler(list, [&handler] { handler(ListEvent::Chosen); }); });
    connect(list, &DataCombo::focusLost, this, [this, list, handler] {
        // Once the focus has settled, as the text fields' checks do. A list that lost the
        // focus because a rule closed it (the vacancy province once chosen) was not left.
        QTimer::singleShot(0, this, [this, left = QPointer<DataCombo>(list), handler] {
            if (left && left->isEnabled())
                runSearchHandler(left, [&handler] { handler(ListEvent::Left); });
        });
    });
}

void frmSolicitudes::wireChangingList(QStringView name, std::function<void()> handler) {
    // The user's own changes: typing, or picking a row. Texts the rules set do not count.
    DataCombo* list = combo(name);
    connect(list, &DataCombo::textEdited, this, [this, list, handler] { runSearchHandler(list, handler); });
    connect(list, &DataCombo::rowChosen, this, [this, list, handler] { runSearchHandler(list, handler); });
}

void frmSolicitudes::wireIdentifyingList(QStringView name, bool body) {
    DataCombo* list = combo(name);
    const QString key = name.toString();
    connect(list, &DataCombo::textEdited, this, [this, key] { m_editedIdentifyingLists.insert(key); });
    connect(list, &DataCombo::rowChosen, this, [this, list, key, body] {
        m_editedIdentifyingLists.remove(key);
        runSearchHandler(list, [this, body] { chooseIdentifyingList(body); });
    });
    connect(list, &DataCombo::focusLost, this, [this, key, body] {
        QTimer::singleShot(0, this, [this, key, body] { leaveIdentifyingList(key, body); });
    });
}

void frmSolicitudes::leaveIdentifyingList(QStringView name, bool body) {
    if (!combo(name)->isEnabled())
        return;
    if (m_editedIdentifyingLists.remove(name.toString())) {
        // A body or group typed rather than picked counts as chosen once the user moves
        // on: the group, the position tables and the check follow it as after a pick.
        chooseIdentifyingList(body);
    } else {
        m_search->onIdentifyingListLeft();
    }
    if (!m_view->text(ctl::txtDNI).isEmpty() && !m_view->text(ctl::cboCuerpo).isEmpty() &&
        !m_view->text(ctl::cboGrupo).isEmpty())
        setDocumentCommandsEnabled(true);
}

void frmSolicitudes::chooseIdentifyingList(bool body) {
    tell(m_messages, body ? m_search->onBodyChosen() : m_search->onGroupChosen());
}

void frmSolicitudes::rebindPositionLists() {
    for (QStringView name : {ctl::cboPuestoVacante, ctl::cboPuestoResultas}) {
        if (const catalogues::ListBinding* binding = catalogues::findListBinding(name))
            combo(name)->bind(m_tables.table(binding->table), listColumns(*binding));
    }
}

} // namespace velantor
