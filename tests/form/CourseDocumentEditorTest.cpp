#include <tuple>

#include <gtest/gtest.h>

#include "catalogues/ApplicationTables.h"
#include "form/CourseDocumentEditor.h"
#include "form/NextValue.h"
#include "form/Refusal.h"
#include "platform/MessageService.h"
#include "support/FakeFormView.h"

using namespace velantor;
using velantor::test::FakeFormView;

namespace {

const QDate kToday(2024, 5, 15);

class Courses : public ::testing::Test {
protected:
    void type(const QString& curso, const QString& horas, const QString& ano, const QString& centro) {
        view.setText(u"txtCurso", curso);
        view.setText(u"txtHoras", horas);
        view.setText(u"txtAno", ano);
        view.setText(u"txtCentro", centro);
    }
    void addCourse(const QString& name) {
        editor.add();
        type(name, QStringLiteral("20"), QStringLiteral("2010"), QStringLiteral("Escuela"));
        ASSERT_TRUE(editor.accept(kToday));
    }
    // The visible row holding a course identifier.
    int rowOf(qint64 id) { return table->findEqual(table->requireField(u"IdCurso"), QString::number(id)); }
    QList<qint64> ids() {
        QList<qint64> all;
        for (int row = 0; row < table->rowCount(); ++row)
            all.append(table->numberAt(row, table->requireField(u"IdCurso")));
        return all;
    }

    FakeFormView view;
    RecordingMessageService messages;
    TablePtr table = createCursosTable();
    CourseDocumentEditor editor{CourseDocumentEditor::Kind::Cursos, view, table};
    // Records the deletion question and answers it (Yes unless told otherwise).
    Confirm confirm = confirmThrough(messages);
};

} // namespace

TEST(NextValue, OneAboveTheLargestWhateverTheFilterOrPosition) {
    const TablePtr table = createCursosTable();
    EXPECT_EQ(nextValue(*table, QStringLiteral("IdCurso")), 0);
    for (qint64 id : {4, 9, 2}) {
        table->addRow();
        table->setNumber(u"IdCurso", id);
    }
    table->setFilter(QStringLiteral("IdCurso < 5"));
    table->moveLast();
    const int position = table->position();
    EXPECT_EQ(nextValue(*table, QStringLiteral("IdCurso")), 10);
    EXPECT_EQ(table->position(), position);
    EXPECT_EQ(table->filter(), u"IdCurso < 5");
    EXPECT_EQ(table->rowCount(), 2);
}

TEST_F(Courses, IdentifiersStartAtZeroAndLeaveGapsWhenRowsGo) {
    addCourse(QStringLiteral("A"));
    addCourse(QStringLiteral("B"));
    addCourse(QStringLiteral("C"));
    EXPECT_EQ(ids(), (QList<qint64>{0, 1, 2}));
    ASSERT_TRUE(editor.remove({rowOf(1)}, confirm));
    addCourse(QStringLiteral("D"));
    EXPECT_EQ(ids(), (QList<qint64>{0, 2, 3}));
}

TEST_F(Courses, DeletingTheLargestIdentifierLetsItBeTakenAgain) {
    addCourse(QStringLiteral("A"));
    addCourse(QStringLiteral("B"));
    addCourse(QStringLiteral("C"));
    ASSERT_TRUE(editor.remove({rowOf(2)}, confirm));
    addCourse(QStringLiteral("D"));
    EXPECT_EQ(ids(), (QList<qint64>{0, 1, 2}));
    EXPECT_EQ(table->textAt(rowOf(2), table->requireField(u"Curso")), u"D");
}

TEST_F(Courses, AcceptStoresHoursAndYearAsIntegers) {
    editor.add();
    type(QStringLiteral("Soporte vital"), QStringLiteral("12,5"), QStringLiteral("2010"),
         QStringLiteral("SES"));
    ASSERT_TRUE(editor.accept(kToday));
    type(QStringLiteral("Triaje"), QStringLiteral("13,5"), QStringLiteral("2011"), QStringLiteral("SES"));
    ASSERT_TRUE(editor.accept(kToday));
    EXPECT_EQ(table->numberAt(0, table->requireField(u"NHoras")), 12);
    EXPECT_EQ(table->numberAt(1, table->requireField(u"NHoras")), 14);
    EXPECT_EQ(table->numberAt(1, table->requireField(u"Ano")), 2011);
    EXPECT_EQ(table->position(), 1); // the new row is current
    // After accepting, the editor is empty and adding again.
    EXPECT_TRUE(view.text(u"txtCurso").isEmpty());
    EXPECT_TRUE(view.text(u"txtIdCurso").isEmpty());
    EXPECT_EQ(editor.mode(), CourseDocumentEditor::Adding);
    EXPECT_EQ(view.focused(), u"txtCurso");
}

TEST_F(Courses, MissingFieldsAreReportedInOrder) {
    editor.add();
    type(QStringLiteral("Curso"), QStringLiteral("10"), {}, {});
    const auto noYear = editor.accept(kToday);
    ASSERT_FALSE(noYear);
    EXPECT_EQ(noYear.error().reason, CourseDocumentEditor::Refused::MissingYear);
    EXPECT_EQ(noYear.error().message.text, u"Es obligatorio rellenar el año de realización del curso ");
    EXPECT_EQ(noYear.error().message.icon, MessageIcon::None);
    EXPECT_TRUE(noYear.error().message.title.isEmpty());
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(view.text(u"txtCurso"), u"Curso");

    using Refused = CourseDocumentEditor::Refused;
    const std::tuple<QStringView, Refused, const char16_t*> cases[] = {
        {u"txtCurso", Refused::MissingName, u"Es obligatorio rellenar el nombre del curso "},
        {u"txtHoras", Refused::MissingHours, u"Es obligatorio rellenar el nº de horas del curso "},
        {u"txtCentro", Refused::MissingCentre, u"Es obligatorio rellenar el centro que impartió el curso "},
    };
    for (const auto& [field, reason, message] : cases) {
        type(QStringLiteral("Curso"), QStringLiteral("10"), QStringLiteral("2010"), QStringLiteral("SES"));
        view.setText(field, QString());
        const auto refused = editor.accept(kToday);
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().reason, reason);
        EXPECT_EQ(refused.error().message.text, message);
    }
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(Courses, HoursOrYearThatAreNoNumberAreNotStored) {
    editor.add();
    type(QStringLiteral("Curso"), QStringLiteral("1-0"), QStringLiteral("2010"), QStringLiteral("SES"));
    const auto hours = editor.accept(kToday);
    ASSERT_FALSE(hours);
    EXPECT_EQ(hours.error().reason, CourseDocumentEditor::Refused::InvalidHours);
    EXPECT_EQ(hours.error().message.text, u"El número de horas debe ser mayor de 0");
    EXPECT_EQ(hours.error().message.title, u"Datos Erróneos");
    EXPECT_EQ(hours.error().message.icon, MessageIcon::Exclamation);
    type(QStringLiteral("Curso"), QStringLiteral("10"), QStringLiteral("2025"), QStringLiteral("SES"));
    const auto year = editor.accept(kToday);
    ASSERT_FALSE(year);
    EXPECT_EQ(year.error().reason, CourseDocumentEditor::Refused::InvalidYear);
    EXPECT_EQ(year.error().message.text, u"El año introducido es erróneo");
    EXPECT_EQ(year.error().message.title, u"Datos erróneos");
    EXPECT_EQ(view.focused(), u"txtAno");
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(Courses, ModifyLoadsAndUpdatesTheSelectedRow) {
    addCourse(QStringLiteral("A"));
    addCourse(QStringLiteral("B"));
    editor.modify({1});
    EXPECT_EQ(editor.mode(), CourseDocumentEditor::Modifying);
    EXPECT_EQ(view.text(u"txtCurso"), u"B");
    EXPECT_EQ(view.text(u"txtHoras"), u"20");
    EXPECT_EQ(view.text(u"txtAno"), u"2010");
    EXPECT_EQ(view.text(u"txtIdCurso"), u"1");

    view.setText(u"txtCurso", QStringLiteral("B bis"));
    view.setText(u"txtHoras", QStringLiteral("30"));
    ASSERT_TRUE(editor.accept(kToday));
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->textAt(1, table->requireField(u"Curso")), u"B bis");
    EXPECT_EQ(table->numberAt(1, table->requireField(u"NHoras")), 30);
    EXPECT_EQ(ids(), (QList<qint64>{0, 1}));
    EXPECT_EQ(editor.mode(), CourseDocumentEditor::Adding);
}

TEST_F(Courses, FailedAcceptKeepsModifyingMode) {
    addCourse(QStringLiteral("A"));
    editor.modify({0});
    view.setText(u"txtCentro", QString());
    EXPECT_FALSE(editor.accept(kToday));
    EXPECT_EQ(editor.mode(), CourseDocumentEditor::Modifying);
}

TEST_F(Courses, AddWhileModifyingAppendsTheLoadedTexts) {
    addCourse(QStringLiteral("A"));
    editor.modify({0});
    editor.add();
    EXPECT_EQ(editor.mode(), CourseDocumentEditor::Adding);
    EXPECT_EQ(view.text(u"txtCurso"), u"A");
    ASSERT_TRUE(editor.accept(kToday));
    EXPECT_EQ(ids(), (QList<qint64>{0, 1}));
    EXPECT_EQ(table->textAt(1, table->requireField(u"Curso")), u"A");
}

TEST_F(Courses, ModifyOrRemoveNeedsExactlyOneSelectedRow) {
    addCourse(QStringLiteral("A"));
    addCourse(QStringLiteral("B"));
    editor.modify({0, 1});
    EXPECT_EQ(editor.mode(), CourseDocumentEditor::Adding);
    EXPECT_TRUE(view.text(u"txtCurso").isEmpty());
    editor.modify({});
    EXPECT_EQ(editor.mode(), CourseDocumentEditor::Adding);

    int cleared = 0;
    editor.setSelectionClearer([&] { ++cleared; });
    editor.modify({1});
    EXPECT_FALSE(editor.remove({0, 1}, confirm));
    EXPECT_TRUE(messages.empty()); // nothing asked
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(editor.mode(), CourseDocumentEditor::Adding); // but the editor is reset
    EXPECT_TRUE(view.text(u"txtCurso").isEmpty());
    EXPECT_EQ(cleared, 1);
}

TEST_F(Courses, RemoveAsksFirst) {
    addCourse(QStringLiteral("A"));
    addCourse(QStringLiteral("B"));
    messages.enqueue(MessageAnswer::No);
    EXPECT_FALSE(editor.remove({0}, confirm));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, u"¿Desea borrar la fila seleccionada?");
    EXPECT_EQ(messages.last().title, u"Solicitudes");
    EXPECT_EQ(messages.last().icon, MessageIcon::Warning);
    EXPECT_EQ(messages.last().buttons, MessageButtons::YesNo);
    EXPECT_EQ(table->rowCount(), 2);

    messages.enqueue(MessageAnswer::Yes);
    EXPECT_TRUE(editor.remove({0}, confirm));
    EXPECT_EQ(ids(), (QList<qint64>{1}));
}

TEST(Documents, OnlyTheNameIsRequired) {
    FakeFormView view;
    RecordingMessageService messages;
    const TablePtr table = createDocumentosTable();
    CourseDocumentEditor editor(CourseDocumentEditor::Kind::Documentos, view, table);

    view.setText(u"txtNumHoras", QStringLiteral("20"));
    const auto noName = editor.accept();
    ASSERT_FALSE(noName);
    EXPECT_EQ(noName.error().reason, CourseDocumentEditor::Refused::MissingName);
    EXPECT_EQ(noName.error().message.text, u"Es obligatorio rellenar el nombre del documento");
    EXPECT_EQ(noName.error().message.icon, MessageIcon::None);
    EXPECT_EQ(view.focused(), u"txtDoc");

    view.setText(u"txtDoc", QStringLiteral("Título de Enfermería"));
    view.setText(u"txtNumHoras", QString());
    EXPECT_TRUE(editor.accept());
    view.setText(u"txtDoc", QStringLiteral("Certificado"));
    view.setText(u"txtNumHoras", QStringLiteral("12,5"));
    view.setText(u"txtFechaFin", QStringLiteral("junio 2019"));
    EXPECT_TRUE(editor.accept());
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->numberAt(1, table->requireField(u"IdDocumento")), 1);
    EXPECT_EQ(table->textAt(1, table->requireField(u"Horas")), u"12,5"); // stored as typed
    EXPECT_EQ(table->textAt(1, table->requireField(u"Fecha")), u"junio 2019");

    view.setText(u"txtDoc", QStringLiteral("Otro"));
    view.setText(u"txtNumHoras", QStringLiteral("1234567"));
    const auto tooLong = editor.accept();
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.error().reason, CourseDocumentEditor::Refused::TooLong);
    EXPECT_EQ(tooLong.error().message.text, u"El campo Nº Horas admite como máximo 6 caracteres");

    editor.modify({0});
    EXPECT_EQ(view.text(u"txtIdDoc"), u"0");
    EXPECT_TRUE(editor.remove({0}, confirmThrough(messages)));
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->position(), 0); // back on the first row
    EXPECT_TRUE(view.text(u"txtIdDoc").isEmpty());
}
