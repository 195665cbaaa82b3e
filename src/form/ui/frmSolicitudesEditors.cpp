// The courses and documents editors under their grids.
#include "form/ui/frmSolicitudes.h"

#include <QPushButton>

#include "form/CourseDocumentEditor.h"
#include "form/Refusal.h"
#include "form/ui/FormWidgetView.h"
#include "widgets/DataGrid.h"

namespace velantor {

void frmSolicitudes::wireEditors() {
    struct Wiring {
        std::unique_ptr<CourseDocumentEditor>& editor;
        CourseDocumentEditor::Kind kind;
        TablePtr table;
        const char* grid;
        const char* add;
        const char* modify;
        const char* remove;
        const char* accept;
        const char* cancel;
    };
    const Wiring wirings[] = {
        {m_cursosEditor, CourseDocumentEditor::Kind::Cursos, m_working.cursos, "grdCursos", "cmdAdd",
         "cmdUpdate", "cmdDel", "cmdAceptar", "cmdCancelar"},
        {m_documentosEditor, CourseDocumentEditor::Kind::Documentos, m_working.documentos, "grdDocumentos",
         "cmdAddDoc", "cmdModDoc", "cmdDelDoc", "cmdAceptarDoc", "cmdCancelarDoc"},
    };
    for (const Wiring& w : wirings) {
        w.editor = std::make_unique<CourseDocumentEditor>(w.kind, *m_view, w.table);
        CourseDocumentEditor* editor = w.editor.get();
        DataGrid* rows = grid(QString::fromLatin1(w.grid));
        editor->setSelectionClearer([rows] { rows->clearSelection(); });
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
    }
}

} // namespace velantor
