// The requested vacancies and "Resultas" under their grids: the list editors of the form
// core behind the buttons of the two position tabs.
#include "form/ui/frmSolicitudes.h"

#include <QApplication>
#include <QPushButton>

#include "form/search/PositionSearch.h"
#include "form/Refusal.h"
#include "form/RequestedPositionList.h"
#include "form/ui/FormWidgetView.h"
#include "widgets/DataGrid.h"
#include "form/ControlNames.h"

namespace velantor {

using catalogues::SearchTab;

void frmSolicitudes::wireRequestedLists() {
    struct Wiring {
        std::unique_ptr<RequestedPositionList>& editor;
        SearchTab tab;
        TablePtr table;
        TablePtr otherList;
        const char* grid;
        const char* add;
        const char* modify;
        const char* remove;
        const char* insertAll;
        const char* accept;
        const char* cancel;
    };
    const Wiring wirings[] = {
        {m_vacantesEditor, SearchTab::Vacantes, m_working.vacantes, m_working.resultas, "grdVacantes",
         "cmdAddVacante", "cmdUpdateVacante", "cmdDelVacante", "cmdTodasVacantes", "cmdAceptarVacante",
         "cmdCancelarVacante"},
        {m_resultasEditor, SearchTab::Resultas, m_working.resultas, m_working.vacantes, "grdResultas",
         "cmdAddResultas", "cmdUpdateResultas", "cmdDelResultas", "cmdInsertaTodasResultas",
         "cmdAceptarResultas", "cmdCancelarResultas"},
    };
    for (const Wiring& w : wirings) {
        w.editor = std::make_unique<RequestedPositionList>(w.tab, *m_view, *m_search, w.table, w.otherList);
        RequestedPositionList* editor = w.editor.get();
        DataGrid* rows = grid(QString::fromLatin1(w.grid));
        // A long "Insertar Todas" shows its progress in the grid as it goes.
        editor->setRepaint([rows] { rows->viewport()->repaint(); });
        auto button = [this](const char* name) { return controlAs<QPushButton>(QString::fromLatin1(name)); };
        connect(button(w.add), &QPushButton::clicked, this, [editor] { editor->add(); });
        connect(button(w.modify), &QPushButton::clicked, this,
                [editor, rows] { editor->modify(rows->selectedRowIndexes()); });
        connect(button(w.remove), &QPushButton::clicked, this, [this, editor, rows] {
            editor->remove(rows->selectedRowIndexes(), confirmThrough(m_messages));
        });
        connect(button(w.accept), &QPushButton::clicked, this,
                [this, editor] { tell(m_messages, editor->accept()); });
        connect(button(w.cancel), &QPushButton::clicked, this, [editor] { editor->cancel(); });
        connect(button(w.insertAll), &QPushButton::clicked, this,
                [this, editor] { m_search->insertAll(editor->tab(), *editor); });
    }
    // Reaching "Aceptar" (by the Tab key, a click or a rule) copies the chosen position's
    // code into the code field.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now)
            return;
        if (now == control(ctl::cmdAceptarVacante))
            m_vacantesEditor->onAcceptFocused();
        else if (now == control(ctl::cmdAceptarResultas))
            m_resultasEditor->onAcceptFocused();
    });
}

} // namespace velantor
