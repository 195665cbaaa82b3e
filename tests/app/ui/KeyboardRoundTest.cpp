// The whole program by keyboard alone, with the real windows, message boxes and document
// layer: every key goes to the widget with the focus (or the active modal window), as a
// person's keys do. Login, loading, the personal and professional data, a vacancy found
// through the search lists, the first save with its password, then the print, which
// without a printer leaves the PDF beside the document.
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/ProgramSession.h"
#include "catalogues/ApplicationTables.h"
#include "catalogues/ui/frmProgreso.h"
#include "document/OfficeTools.h"
#include "document/PrintJob.h"
#include "form/ControlNames.h"
#include "form/FormView.h"
#include "form/ui/frmSolicitudes.h"
#include "startup/ui/frmCreaPwd.h"
#include "startup/ui/frmUsuario.h"
#include "support/FormKeys.h"
#include "support/SampleFolder.h"
#include "support/SessionDriver.h"
#include "widgets/DataCombo.h"
#include "widgets/MessageBoxService.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

const QString kSurname = QStringLiteral("QUINTANILLA");

// The modal window of type T, once it is up with the focus in it, gets `keys`.
template <class T> void whenFocused(std::function<void()> keys, std::function<bool(T&)> ready = {}) {
    whenModal<T>(
        [keys = std::move(keys)](T&) { keys(); },
        [ready = std::move(ready)](T& window) { return holdsFocus(window) && (!ready || ready(window)); });
}

// The code of the row the open drop-down of `list` has as current, "" when none.
QString currentCode(const DataCombo& list) {
    const QModelIndex at = list.popupView()->currentIndex();
    const Table& rows = *list.table();
    return at.isValid() ? rows.textAt(at.row(), rows.requireField(list.columns().first().field)) : QString();
}

// Tab to `list`, open it with `opener`, walk the rows with Down until `code` (or, with no
// code, the first row) is current, and choose it with Enter.
void chooseFromList(frmSolicitudes& w, QStringView name, Qt::Key opener, Qt::KeyboardModifiers modifiers,
                    const QString& code = {}) {
    ASSERT_TRUE(tabTo(w, name)) << name.toString().toStdString();
    DataCombo* list = w.combo(name);
    press(opener, modifiers);
    ASSERT_TRUE(list->isPopupVisible()) << name.toString().toStdString();
    const auto atWanted = [&] {
        const QString at = currentCode(*list);
        return !at.isEmpty() && (code.isEmpty() || at == code);
    };
    for (int i = 0; i < 400 && !atWanted(); ++i)
        press(Qt::Key_Down);
    ASSERT_TRUE(atWanted()) << name.toString().toStdString() << " never reached " << code.toStdString();
    const QString chosen = currentCode(*list);
    press(Qt::Key_Return);
    EXPECT_FALSE(list->isPopupVisible());
    ASSERT_EQ(list->text(), chosen) << name.toString().toStdString();
}

// Tab to `field` and type `text` into it.
void typeInto(frmSolicitudes& w, QStringView field, const QString& text) {
    ASSERT_TRUE(tabTo(w, field)) << field.toString().toStdString();
    type(text);
}

} // namespace

TEST(KeyboardRound, FromTheLoginToAPrintedPdfByKeyboardAlone) {
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "LibreOffice or poppler-utils missing";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(copySampleProgram(dir.path()));
    const Folders folders = Folders::fromProgramFolder(dir.path());
    // The program's own message boxes, each answered by a key: Escape for the one that
    // asks to wait while printing, Enter for every other.
    MessageBoxService boxes;
    setMessageService(&boxes);
    const struct Restore {
        ~Restore() { setMessageService(nullptr); }
    } restore;
    MessageBoxKeys answers([](const QMessageBox& box) {
        return box.text().startsWith(QStringLiteral("IMPORTANTE")) ? Qt::Key_Escape : Qt::Key_Return;
    });
    ProgramSession session(folders, boxes);

    // The number typed moves the focus on to "Aceptar" once whole; Enter presses it. The
    // loading window's "Continuar" is its default button.
    whenFocused<frmUsuario>([] {
        type(QStringLiteral("12345678z"));
        press(Qt::Key_Return);
    });
    whenFocused<catalogues::frmProgreso>(
        [] { press(Qt::Key_Return); },
        [](catalogues::frmProgreso& progress) {
            return progress.findChild<QPushButton*>(QStringLiteral("cmdContinuar"))->isEnabled();
        });
    ASSERT_TRUE(session.start());
    ASSERT_NE(session.form(), nullptr);
    frmSolicitudes& w = *session.form();
    ASSERT_TRUE(waitUntil([&] { return holdsFocus(w); }));

    // Personal data, then the body from its list (the group follows from it).
    typeInto(w, ctl::txtApellido1, kSurname);
    typeInto(w, ctl::txtNombre, QStringLiteral("LUCIA"));
    typeInto(w, ctl::txtFecNacimiento, QStringLiteral("01/02/1980"));
    typeInto(w, ctl::txtTelefono, QStringLiteral("987654321"));
    chooseFromList(w, ctl::cboProvincia, Qt::Key_F4, Qt::NoModifier, QStringLiteral("24"));
    chooseFromList(w, ctl::cboCuerpo, Qt::Key_Down, Qt::AltModifier, QStringLiteral("00201"));
    press(Qt::Key_Tab);
    EXPECT_EQ(w.combo(ctl::cboGrupo)->text(), QStringLiteral("B"));
    typeInto(w, ctl::txtNRP, QStringLiteral("123456789012"));
    typeInto(w, ctl::txtFechaIngreso, QStringLiteral("01/09/2005"));
    press(Qt::Key_Tab);
    EXPECT_EQ(w.view().text(ctl::txtApellido1), kSurname);
    EXPECT_EQ(w.view().text(ctl::txtFecNacimiento), QStringLiteral("01/02/1980"));
    EXPECT_TRUE(answers.texts().isEmpty()) << answers.texts().join(u'\n').toStdString();

    // "Plazas Vacantes": the province of the search, then the first position it offers,
    // taken into the list with Enter on "Aceptar".
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.tabs()->currentIndex(), 1);
    press(Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(w.tabs()->currentIndex(), 2);
    chooseFromList(w, ctl::cboProvinciaVacantes, Qt::Key_F4, Qt::NoModifier, QStringLiteral("24"));
    chooseFromList(w, ctl::cboPuestoVacante, Qt::Key_Down, Qt::AltModifier);
    const QString position = w.combo(ctl::cboPuestoVacante)->text();
    ASSERT_TRUE(tabTo(w, ctl::cmdAceptarVacante));
    press(Qt::Key_Return);
    const Table& vacantes = *w.workingTables().vacantes;
    ASSERT_EQ(vacantes.rowCount(), 1);
    EXPECT_EQ(vacantes.textAt(0, vacantes.requireField(u"CodConvocatoria")), position);

    // "Guardar" by Alt+G: the first save asks for the password, typed twice.
    whenFocused<frmCreaPwd>([] {
        type(QStringLiteral("Secreta1"));
        press(Qt::Key_Return);
        type(QStringLiteral("Secreta1"));
        press(Qt::Key_Return);
    });
    press(Qt::Key_G, Qt::AltModifier);
    const QString document = folders.applicationsFolder() + QStringLiteral("12345678Z_002010B.doc");
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(document); }));
    EXPECT_TRUE(session.registry().ExisteUsuario(QStringLiteral("12345678Z")));

    // "Imprimir" by Alt+I. No printer here: the PDF is kept beside the document, and the
    // last message box says where.
    const QString pdf = PrintJob::pdfBesideDocument(document);
    const qsizetype before = answers.texts().size();
    press(Qt::Key_I, Qt::AltModifier);
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(pdf) && answers.texts().size() >= before + 2; }, 180000))
        << answers.texts().join(u'\n').toStdString();
    EXPECT_TRUE(answers.texts().last().contains(QFileInfo(pdf).fileName()))
        << answers.texts().join(u'\n').toStdString();
    EXPECT_GE(test::pdfPages(pdf), 1);
    const QString firstPage = test::pdfText(pdf, 1);
    EXPECT_TRUE(firstPage.contains(kSurname)) << firstPage.toStdString();
    EXPECT_FALSE(firstPage.contains(QStringLiteral("BORRADOR"))) << "complete: printed as the final copy";

    // Closing once the commands are back (they wait for the print): Alt+S, and Enter
    // on the question, which saves again.
    bool finished = false;
    QObject::connect(&session, &ProgramSession::finished, [&] { finished = true; });
    ASSERT_TRUE(
        waitUntil([&] { return w.menuItem(frmSolicitudes::Guardar)->isEnabled() && holdsFocus(w); }, 180000));
    press(Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(waitUntil([&] { return finished; }, 60000)) << answers.texts().join(u'\n').toStdString();
    EXPECT_TRUE(answers.texts().last().contains(QStringLiteral("se cerrará")))
        << answers.texts().join(u'\n').toStdString();
}
