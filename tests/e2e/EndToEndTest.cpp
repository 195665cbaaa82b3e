// The whole program as a user meets it, with the real windows and the real document
// layer: first login, a complete application typed, saved (creating the password) and
// printed, then a second run that needs the password, finds the application, opens it
// with everything as saved, and deletes it. Questions are answered by a scripted message
// service. With VELANTOR_SCREENSHOT_DIR set (under Xvfb, QT_QPA_PLATFORM=xcb) the
// windows are also written there as pictures (run-*.png).
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "catalogues/ListBindings.h"
#include "catalogues/ui/frmProgreso.h"
#include "form/FormView.h"
#include "catalogues/ApplicationTables.h"
#include "form/ui/frmSolicitudes.h"
#include "platform/MessageService.h"
#include "tables/Table.h"
#include "app/ProgramSession.h"
#include "startup/ui/frmCreaPwd.h"
#include "startup/ui/frmSeleccion.h"
#include "startup/ui/frmUsuario.h"
#include "support/CliRun.h"
#include "support/SampleFolder.h"
#include "support/SessionDriver.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "widgets/MessageBoxService.h"
#include "support/PictureSize.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

const QString kDni = QStringLiteral("12345678Z");
const QString kDocument = QStringLiteral("12345678Z_002010B.doc");

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void snap(QWidget& window, const char* name) {
    const QString folder = qEnvironmentVariable("VELANTOR_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window.grab().save(QDir(folder).filePath(QString::fromLatin1(name)), "PNG");
}

QPushButton* continuarOf(catalogues::frmProgreso& progress) {
    return progress.findChild<QPushButton*>(QStringLiteral("cmdContinuar"));
}

void continueAfterLoading(const char* picture = nullptr) {
    whenModal<catalogues::frmProgreso>(
        [picture](catalogues::frmProgreso& progress) {
            if (picture)
                snap(progress, picture);
            QTest::mouseClick(continuarOf(progress), Qt::LeftButton);
        },
        [](catalogues::frmProgreso& progress) { return continuarOf(progress)->isEnabled(); });
}

// Types text key by key; letters outside ASCII (García, Título) go as key events that
// carry their text, as a keyboard with those letters sends them.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClicks(widget, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// A user at the form: types, picks from lists, presses buttons.
struct User {
    frmSolicitudes& w;

    QString text(const char* name) const { return w.view().text(QString::fromLatin1(name)); }
    bool enabled(const char* name) const { return w.view().isEnabled(QString::fromLatin1(name)); }
    void type(const char* field, const QString& value) {
        QLineEdit* edit = w.lineEdit(QString::fromLatin1(field));
        ASSERT_NE(edit, nullptr) << field;
        edit->setFocus(Qt::TabFocusReason);
        settle();
        edit->selectAll();
        typeText(edit, value);
        QTest::keyClick(edit, Qt::Key_Tab);
        settle();
    }
    void choose(const char* option) {
        auto* button = w.controlAs<QRadioButton>(QString::fromLatin1(option));
        ASSERT_NE(button, nullptr) << option;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        settle();
    }
    void pick(const char* list, const QString& code) {
        DataCombo* combo = w.combo(QString::fromLatin1(list));
        ASSERT_TRUE(combo->isEnabled()) << list;
        combo->lineEdit()->setFocus(Qt::TabFocusReason);
        settle();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), code);
        QTest::keyClick(combo->lineEdit(), Qt::Key_F4);
        ASSERT_TRUE(combo->isPopupVisible()) << list;
        QTest::keyClick(combo->popupView(), Qt::Key_Return);
        settle();
        ASSERT_EQ(combo->text(), code) << list;
    }
    void press(const char* name) {
        auto* button = w.controlAs<QPushButton>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
    void tab(int index) {
        w.tabs()->setCurrentIndex(index);
        settle();
    }
    void menu(int index) {
        w.menuItem(index)->trigger();
        settle();
    }
    QString firstOffered(const char* list) const {
        const TablePtr& table = w.combo(QString::fromLatin1(list))->table();
        return table->rowCount() > 0 ? table->textAt(0, table->requireField(u"CodConvocatoria")) : QString();
    }
};

// The rows of a table as text, every field, in table order.
QStringList rowsOf(const Table& table) {
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int f = 0; f < table.fieldCount(); ++f)
            cells << table.textAt(row, f);
        rows << cells.join(u'|');
    }
    return rows;
}

const char* const kTypedFields[] = {"txtApellido1", "txtApellido2", "txtNombre", "txtFecNacimiento",
                                    "txtTelefono",  "txtDomicilio", "txtLocalidad", "txtCP",
                                    "txtNRP",       "txtFechaIngreso"};

} // namespace

TEST(EndToEnd, FromTheFirstLoginToAPrintedReopenedAndDeletedApplication) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(copySampleProgram(dir.path()));
    const Folders folders = Folders::fromProgramFolder(dir.path());
    const QString registryFile = folders.programFile(QStringLiteral("usuarios.xml"));
    ASSERT_FALSE(QFile::exists(registryFile));
    RecordingMessageService messages;
    setMessageService(&messages);

    QHash<QString, QString> typed;
    QStringList savedVacancies, savedResultas, savedCourses, savedDocuments;

    // ---- First run: no registry, no application ------------------------------------------
    {
        ProgramSession session(folders, messages);
        bool finished = false;
        QObject::connect(&session, &ProgramSession::finished, [&] { finished = true; });
        whenModal<frmUsuario>([](frmUsuario& login) {
            QTest::keyClicks(login.txtDNI(), QStringLiteral("12345678z"));
            snap(login, "run-1-login.png");
            QTest::mouseClick(login.cmdAceptarDNI(), Qt::LeftButton);
        });
        continueAfterLoading("run-2-loading.png");
        ASSERT_TRUE(session.start());
        ASSERT_NE(session.form(), nullptr);
        EXPECT_EQ(session.selection(), nullptr) << "nothing saved yet: straight to the form";
        frmSolicitudes& form = *session.form();
        giveCheckingSize(form);
        User user{form};
        EXPECT_EQ(user.text("txtDNI"), kDni) << "the number typed in lower case, normalised";
        EXPECT_FALSE(user.enabled("txtDNI"));

        // Personal and professional data.
        const QStringList values{u8("García"), u8("López"), u8("Lucía"), u8("01/02/1980"), u8("987654321"),
                                 u8("Calle Mayor 1"), u8("León"), u8("24001"), u8("123456789012"),
                                 u8("01/09/2005")};
        for (int i = 0; i < values.size(); ++i) {
            user.type(kTypedFields[i], values.at(i));
            typed.insert(QString::fromLatin1(kTypedFields[i]), user.text(kTypedFields[i]));
        }
        user.pick("cboCuerpo", u8("00201"));
        EXPECT_EQ(user.text("cboGrupo"), u8("B"));
        EXPECT_EQ(user.text("lblCat"), u8("Enfermero/a"));
        user.choose("optVoluntario");
        user.choose("optPetConyugeNo");
        EXPECT_TRUE(messages.empty()) << messages.last().text.toStdString();
        snap(form, "run-3-form.png");

        // Vacancies: a search in the town of León, one position by hand, then all of them.
        user.tab(2);
        user.pick("cboProvinciaVacantes", u8("24"));
        user.pick("cboLocalidadVacantes", u8("089"));
        const QString first = user.firstOffered("cboPuestoVacante");
        ASSERT_FALSE(first.isEmpty());
        user.pick("cboPuestoVacante", first);
        user.press("cmdAceptarVacante");
        user.press("cmdTodasVacantes");
        const Table& vacantes = *form.workingTables().vacantes;
        ASSERT_GE(vacantes.rowCount(), 3);
        EXPECT_EQ(vacantes.textAt(0, vacantes.requireField(u"CodConvocatoria")), first);
        snap(form, "run-4-vacantes.png");

        // "Resultas": province and area, one position.
        user.tab(3);
        user.pick("cboProvinciaResultas", u8("24"));
        user.pick("cboAreasResultas", u8("01"));
        const QString resulta = user.firstOffered("cboPuestoResultas");
        ASSERT_FALSE(resulta.isEmpty());
        user.pick("cboPuestoResultas", resulta);
        user.press("cmdAceptarResultas");
        ASSERT_EQ(form.workingTables().resultas->rowCount(), 1);

        // A course and a document.
        user.tab(1);
        user.press("cmdAdd");
        user.type("txtCurso", u8("Cuidados intensivos"));
        user.type("txtHoras", u8("40"));
        user.type("txtAno", u8("2019"));
        user.type("txtCentro", u8("Escuela de Salud"));
        user.press("cmdAceptar");
        ASSERT_EQ(form.workingTables().cursos->rowCount(), 1);
        user.tab(4);
        user.press("cmdAddDoc");
        user.type("txtDoc", u8("Título de especialista"));
        user.press("cmdAceptarDoc");
        ASSERT_EQ(form.workingTables().documentos->rowCount(), 1);
        EXPECT_TRUE(messages.empty()) << messages.last().text.toStdString();

        savedVacancies = rowsOf(vacantes);
        savedResultas = rowsOf(*form.workingTables().resultas);
        savedCourses = rowsOf(*form.workingTables().cursos);
        savedDocuments = rowsOf(*form.workingTables().documentos);

        // "Guardar": the first save asks for a password, then writes document and XML.
        whenModal<frmCreaPwd>([](frmCreaPwd& window) {
            QTest::keyClicks(window.txtPwd(0), u8("Secreta1"));
            QTest::keyClicks(window.txtPwd(1), u8("Secreta1"));
            QTest::mouseClick(window.cmdAceptar(), Qt::LeftButton);
        });
        user.menu(frmSolicitudes::Guardar);
        const QString document = folders.applicationsFolder() + kDocument;
        EXPECT_TRUE(QFile::exists(document));
        EXPECT_TRUE(QFile::exists(document.left(document.size() - 3) + u8("xml")));
        EXPECT_TRUE(QFile::exists(registryFile));
        EXPECT_TRUE(form.menuItem(frmSolicitudes::CambiarPwd)->isVisible());
        EXPECT_FALSE(user.enabled("cboCuerpo"));
        EXPECT_FALSE(user.enabled("cboGrupo"));

        // "Imprimir": complete, so printed with its barcodes; no printer here, so the PDF is
        // kept beside the document and the user is told where.
        messages.clear();
        const QString pdf = document.left(document.size() - 3) + u8("pdf");
        user.menu(frmSolicitudes::Imprimir);
        EXPECT_FALSE(form.menuItem(frmSolicitudes::Guardar)->isEnabled()) << "commands wait for the print";
        ASSERT_TRUE(waitUntil([&] { return form.menuItem(frmSolicitudes::Guardar)->isEnabled(); }, 180000));
        ASSERT_TRUE(QFile::exists(pdf));
        const QStringList told = [&] {
            QStringList texts;
            for (const Message& m : messages.messages())
                texts << m.text;
            return texts;
        }();
        EXPECT_TRUE(told.join(u'\n').contains(QFileInfo(pdf).fileName())) << told.join(u'\n').toStdString();

        // Every barcode of the printed pages reads back: the first page's carries the
        // applicant, the position pages carry every requested position.
        const test::CliRun decoded = test::runCli({QStringLiteral("decode"), pdf});
        ASSERT_EQ(decoded.exitCode, 0) << decoded.err.toStdString();
        const QStringList payloads = decoded.out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GE(payloads.size(), 2);
        EXPECT_TRUE(payloads.first().contains(kDni));
        const QString positions = payloads.mid(1).join(u'\n');
        for (int row = 0; row < vacantes.rowCount(); ++row)
            EXPECT_TRUE(positions.contains(vacantes.textAt(row, vacantes.requireField(u"CodConvocatoria"))));

        // Close: no more saving; the run ends.
        messages.enqueue(MessageAnswer::No);
        form.close();
        ASSERT_TRUE(waitUntil([&] { return finished; }));
    }

    // ---- Second run: the password is now needed; the application is there ---------------
    {
        ProgramSession session(folders, messages);
        messages.clear();
        whenModal<frmUsuario>([](frmUsuario& login) {
            QTest::keyClicks(login.txtDNI(), kDni);
            QTest::mouseClick(login.cmdAceptarDNI(), Qt::LeftButton);
            ASSERT_TRUE(login.pasoContrasena());
            snap(login, "run-5-login-password.png");
            QTest::keyClicks(login.txtPwd(), u8("otra"));
            QTest::mouseClick(login.cmdAceptarPwd(), Qt::LeftButton);
            ASSERT_TRUE(login.isVisible()) << "a wrong password does not let the user in";
            login.txtPwd()->clear();
            QTest::keyClicks(login.txtPwd(), u8("secreta1")); // case does not matter
            QTest::mouseClick(login.cmdAceptarPwd(), Qt::LeftButton);
        });
        ASSERT_TRUE(session.start());
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.last().text, u8("Usuario no válido"));
        messages.clear();

        frmSeleccion* selection = session.selection();
        ASSERT_NE(selection, nullptr);
        ASSERT_EQ(selection->solicitudes()->rowCount(), 1);
        selection->solicitudes()->moveFirst();
        EXPECT_EQ(selection->solicitudes()->text(u"Fichero"), kDocument);
        EXPECT_EQ(selection->solicitudes()->text(u"DescCuerpo"), u8("Enfermero/a"));
        snap(*selection, "run-6-selection.png");

        // Open it: every field and list as saved.
        selection->cboSolicitudes()->chooseRow(0);
        continueAfterLoading();
        QTest::mouseClick(selection->cmdCargar(), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return session.form() != nullptr && session.selection() == nullptr; }));
        frmSolicitudes& form = *session.form();
        User user{form};
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            EXPECT_EQ(form.view().text(it.key()), it.value()) << it.key().toStdString();
        EXPECT_EQ(user.text("cboCuerpo"), u8("00201"));
        EXPECT_EQ(user.text("cboGrupo"), u8("B"));
        EXPECT_TRUE(form.view().isChecked(u"optVoluntario"));
        EXPECT_FALSE(user.enabled("cboCuerpo"));
        EXPECT_EQ(rowsOf(*form.workingTables().vacantes), savedVacancies);
        EXPECT_EQ(rowsOf(*form.workingTables().resultas), savedResultas);
        EXPECT_EQ(rowsOf(*form.workingTables().cursos), savedCourses);
        EXPECT_EQ(rowsOf(*form.workingTables().documentos), savedDocuments);
        EXPECT_TRUE(form.menuItem(frmSolicitudes::CambiarPwd)->isVisible());

        // Back to the list, and delete it there.
        messages.enqueue(MessageAnswer::No); // "¿Guardar la solicitud actual?"
        user.menu(frmSolicitudes::CargarOtra);
        ASSERT_TRUE(waitUntil([&] { return session.form() == nullptr && session.selection() != nullptr; }));
        selection = session.selection();
        EXPECT_FALSE(selection->cmdNueva()->isVisible());
        selection->cboSolicitudes()->chooseRow(0);
        messages.enqueue(MessageAnswer::Yes); // "¿Desea borrar esta solicitud?"
        QTest::mouseClick(selection->cmdBorrar(), Qt::LeftButton);
        EXPECT_EQ(selection->solicitudes()->rowCount(), 0);
        EXPECT_FALSE(selection->cmdCargar()->isEnabled());
        EXPECT_FALSE(selection->cmdBorrar()->isEnabled());
        EXPECT_TRUE(QDir(folders.applicationsFolder()).entryList(QDir::Files).isEmpty())
            << "document, positions XML and printed PDF are gone";
        selection->close();
    }
    setMessageService(nullptr);
}
