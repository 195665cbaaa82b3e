#include <QLineEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "form/CourseDocumentEditor.h"
#include "widgets/DataGrid.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

void press(frmSolicitudes& w, const char* button) {
    auto* push = w.controlAs<QPushButton>(QString::fromLatin1(button));
    ASSERT_NE(push, nullptr) << button;
    QTest::mouseClick(push, Qt::LeftButton);
}

void type(frmSolicitudes& w, const char* field, const QString& text) {
    QLineEdit* edit = w.lineEdit(QString::fromLatin1(field));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void clickRow(DataGrid* grid, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QModelIndex index = grid->model()->index(row, grid->horizontalHeader()->logicalIndex(0));
    const QRect cell = grid->visualRect(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
}

struct CoursesTab : FormFixture {
    CoursesTab() {
        fillIdentity();
        form().tabs()->setCurrentIndex(1);
        settle();
    }
    void addCourse(const QString& name, const QString& hours, const QString& year, const QString& centre) {
        press(form(), "cmdAdd");
        type(form(), "txtCurso", name);
        type(form(), "txtHoras", hours);
        type(form(), "txtAno", year);
        type(form(), "txtCentro", centre);
        press(form(), "cmdAceptar");
        settle();
    }
};

} // namespace

TEST(FormEditors, CourseAddModifyDeleteRoundWithTheRealWidgets) {
    CoursesTab f;
    frmSolicitudes& w = f.form();
    DataGrid* grid = w.grid(u"grdCursos");
    const TablePtr& courses = f.working.cursos;

    f.addCourse(u8("Soporte vital basico"), u8("20"), u8("2019"), u8("Escuela de Salud"));
    f.addCourse(u8("Urgencias"), u8("12"), u8("2021"), u8("Hospital de Merida"));
    ASSERT_EQ(courses->rowCount(), 2);
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(courses->textAt(0, courses->fieldIndex(u"Curso")), u8("Soporte vital basico"));
    EXPECT_EQ(courses->numberAt(1, courses->fieldIndex(u"IdCurso")), 1);
    EXPECT_EQ(courses->numberAt(1, courses->fieldIndex(u"NHoras")), 12);
    EXPECT_EQ(w.lineEdit(u"txtCurso")->text(), QString()) << "the editor is reset after Aceptar";

    // Modify the second course.
    clickRow(grid, 1);
    ASSERT_TRUE(grid->exactlyOneRowSelected());
    press(w, "cmdUpdate");
    EXPECT_EQ(w.cursosEditor().mode(), CourseDocumentEditor::Modifying);
    EXPECT_EQ(w.lineEdit(u"txtCurso")->text(), u8("Urgencias"));
    EXPECT_EQ(w.lineEdit(u"txtIdCurso")->text(), u8("1"));
    type(w, "txtCurso", u8("Urgencias y emergencias"));
    press(w, "cmdAceptar");
    f.settle();
    EXPECT_EQ(courses->rowCount(), 2);
    EXPECT_EQ(courses->textAt(1, courses->fieldIndex(u"Curso")), u8("Urgencias y emergencias"));
    EXPECT_EQ(w.cursosEditor().mode(), CourseDocumentEditor::Adding);

    // Delete needs exactly one selected row; two selected does nothing.
    clickRow(grid, 0);
    clickRow(grid, 1, Qt::ControlModifier);
    EXPECT_EQ(grid->selectedRowCount(), 2);
    press(w, "cmdDel");
    EXPECT_EQ(courses->rowCount(), 2);
    EXPECT_TRUE(f.messages.empty());

    clickRow(grid, 0);
    f.messages.enqueue(MessageAnswer::Yes);
    press(w, "cmdDel");
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("¿Desea borrar la fila seleccionada?"));
    EXPECT_EQ(f.messages.last().title, u8("Solicitudes"));
    EXPECT_EQ(courses->rowCount(), 1);
    EXPECT_EQ(courses->textAt(0, courses->fieldIndex(u"Curso")), u8("Urgencias y emergencias"));
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->selectedRowCount(), 0) << "the reset clears the selection";
}

TEST(FormEditors, MissingCourseFieldShowsItsMessageAndKeepsTheEntry) {
    CoursesTab f;
    frmSolicitudes& w = f.form();
    press(w, "cmdAdd");
    type(w, "txtCurso", u8("Ecografia"));
    type(w, "txtHoras", u8("10"));
    press(w, "cmdAceptar");
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("Es obligatorio rellenar el año de realización del curso "));
    EXPECT_EQ(f.working.cursos->rowCount(), 0);
    EXPECT_EQ(w.lineEdit(u"txtCurso")->text(), u8("Ecografia"));
}

TEST(FormEditors, DocumentWithOnlyANameIsAcceptedAndNumbered) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    w.tabs()->setCurrentIndex(4);
    f.settle();
    press(w, "cmdAceptarDoc");
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("Es obligatorio rellenar el nombre del documento"));
    f.settle();
    EXPECT_TRUE(w.lineEdit(u"txtDoc")->hasFocus());

    type(w, "txtDoc", u8("Titulo de especialista"));
    press(w, "cmdAceptarDoc");
    const TablePtr& documents = f.working.documentos;
    ASSERT_EQ(documents->rowCount(), 1);
    EXPECT_EQ(documents->numberAt(0, documents->fieldIndex(u"IdDocumento")), 0);
    EXPECT_EQ(w.grid(u"grdDocumentos")->model()->rowCount(), 1);
}

TEST(FormEditors, MenuCommandResetsTheCoursesEditor) {
    CoursesTab f;
    frmSolicitudes& w = f.form();
    f.addCourse(u8("Urgencias"), u8("12"), u8("2021"), u8("Hospital"));
    clickRow(w.grid(u"grdCursos"), 0);
    press(w, "cmdUpdate");
    ASSERT_EQ(w.cursosEditor().mode(), CourseDocumentEditor::Modifying);
    w.runMenuCommand(frmSolicitudes::Guardar);
    EXPECT_EQ(w.cursosEditor().mode(), CourseDocumentEditor::Adding);
    EXPECT_EQ(w.lineEdit(u"txtCurso")->text(), QString());
    // Without a document generator nothing is written, and the user is told so.
    EXPECT_EQ(f.messages.last().title, u8("Guardar solicitud"));
}
