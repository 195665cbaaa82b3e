// The run of the program from the login to the end, with the real windows: which window
// follows which, what the form shows for the logged-in user, the password step of the
// first save and the way back to the saved applications.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "catalogues/ui/frmProgreso.h"
#include "form/FormView.h"
#include "form/ui/frmSolicitudes.h"
#include "platform/MessageService.h"
#include "startup/UserRegistry.h"
#include "app/ProgramSession.h"
#include "startup/ui/frmCreaPwd.h"
#include "startup/ui/frmSeleccion.h"
#include "startup/ui/frmUsuario.h"
#include "support/SampleFolder.h"
#include "support/SessionDriver.h"
#include "widgets/DataCombo.h"
#include "widgets/MessageBoxService.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

const QString kDni = QStringLiteral("12345678Z");

void logIn(const QString& typed, const QString& password = {}) {
    whenModal<frmUsuario>([typed, password](frmUsuario& login) {
        QTest::keyClicks(login.txtDNI(), typed);
        login.cmdAceptarDNI()->click();
        if (!password.isEmpty() && login.pasoContrasena()) {
            QTest::keyClicks(login.txtPwd(), password);
            login.cmdAceptarPwd()->click();
        }
    });
}

void continueAfterLoading() {
    const auto continuar = [](catalogues::frmProgreso& progress) {
        return progress.findChild<QPushButton*>(QStringLiteral("cmdContinuar"));
    };
    whenModal<catalogues::frmProgreso>(
        [continuar](catalogues::frmProgreso& progress) { continuar(progress)->click(); },
        [continuar](catalogues::frmProgreso& progress) { return continuar(progress)->isEnabled(); });
}

void createPassword(const QString& password) {
    whenModal<frmCreaPwd>([password](frmCreaPwd& window) {
        QTest::keyClicks(window.txtPwd(0), password);
        QTest::keyClicks(window.txtPwd(1), password);
        window.cmdAceptar()->click();
    });
}

class ProgramSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(copySampleProgram(dir.path()));
        setMessageService(&messages);
    }
    void TearDown() override { setMessageService(nullptr); }

    Folders folders() const { return Folders::fromProgramFolder(dir.path()); }
    void putDocument(const QString& name) {
        QFile file(folders().applicationsFolder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("documento");
    }
    // A fake document layer that records what the form asked of it.
    DocumentServices recordingDocuments() {
        DocumentServices services;
        services.save = [this](frmSolicitudes&, bool print, bool draft) {
            saves << QStringLiteral("%1%2").arg(print ? 'P' : 'G').arg(draft ? 'B' : '-');
            return true;
        };
        return services;
    }

    QTemporaryDir dir;
    RecordingMessageService messages;
    QStringList saves;
};

} // namespace

TEST_F(ProgramSessionTest, ANewUserGoesFromTheLoginToAnEmptyFormWithTheIdentityLocked) {
    ProgramSession session(folders(), messages);
    logIn(QStringLiteral("12345678z"));
    continueAfterLoading();
    ASSERT_TRUE(session.start());

    EXPECT_EQ(session.run().DNIUsuario, kDni);
    EXPECT_EQ(session.selection(), nullptr);
    ASSERT_NE(session.form(), nullptr);
    EXPECT_TRUE(session.form()->isVisible());
    EXPECT_EQ(session.form()->lineEdit(u"txtDNI")->text(), kDni);
    EXPECT_FALSE(session.form()->lineEdit(u"txtDNI")->isEnabled());
    // No password yet: nothing to change.
    EXPECT_FALSE(session.form()->menuItem(frmSolicitudes::CambiarPwd)->isVisible());
}

TEST_F(ProgramSessionTest, LeavingTheLoginEndsTheRunWithNoOtherWindow) {
    ProgramSession session(folders(), messages);
    whenModal<frmUsuario>([](frmUsuario& login) { login.cmdSalir()->click(); });
    EXPECT_FALSE(session.start());
    EXPECT_EQ(session.form(), nullptr);
    EXPECT_EQ(session.selection(), nullptr);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProgramSessionTest, SavedApplicationsAreOfferedFirstWithTheirBodyDescription) {
    putDocument(QStringLiteral("12345678Z_002010B.doc"));
    putDocument(QStringLiteral("87654321X_002010B.doc")); // someone else's
    ProgramSession session(folders(), messages);
    logIn(kDni);
    ASSERT_TRUE(session.start());

    ASSERT_NE(session.selection(), nullptr);
    EXPECT_EQ(session.form(), nullptr);
    const TablePtr& listed = session.selection()->solicitudes();
    ASSERT_EQ(listed->rowCount(), 1);
    listed->moveFirst();
    EXPECT_EQ(listed->text(u"DescCuerpo"), QStringLiteral("Enfermero/a"));

    // "Solicitud Nueva": the loading window, then an empty form.
    continueAfterLoading();
    session.selection()->cmdNueva()->click();
    ASSERT_TRUE(waitUntil([&] { return session.form() != nullptr && session.selection() == nullptr; }));
    EXPECT_EQ(session.form()->lineEdit(u"txtDNI")->text(), kDni);
}

TEST_F(ProgramSessionTest, TheFirstSaveCreatesThePasswordThenWritesTheDocumentAndLocksTheIdentifyingData) {
    ProgramSession session(folders(), messages);
    logIn(kDni);
    continueAfterLoading();
    ASSERT_TRUE(session.start());
    frmSolicitudes& form = *session.form();
    form.combo(u"cboCuerpo")->setText(QStringLiteral("00201"));
    form.combo(u"cboGrupo")->setText(QStringLiteral("B"));

    createPassword(QStringLiteral("secreta1"));
    form.runMenuCommand(frmSolicitudes::Guardar);

    const QString document = folders().applicationsFolder() + QStringLiteral("12345678Z_002010B.doc");
    EXPECT_TRUE(QFile::exists(document));
    EXPECT_TRUE(session.registry().ExisteUsuario(kDni));
    EXPECT_TRUE(session.registry().ComprobarUsuario(kDni, QStringLiteral("SECRETA1")));
    EXPECT_TRUE(form.menuItem(frmSolicitudes::CambiarPwd)->isVisible());
    for (const char16_t* name : {u"cboCuerpo", u"cboGrupo", u"txtDNI"})
        EXPECT_FALSE(form.view().isEnabled(QStringView(name))) << QString::fromUtf16(name).toStdString();

    // The second save finds the registry entry: no password window any more.
    QFile::remove(document);
    form.runMenuCommand(frmSolicitudes::Guardar);
    EXPECT_TRUE(QFile::exists(document));
    EXPECT_EQ(session.registry().entryCount(), 1);
}

TEST_F(ProgramSessionTest, LoadingAnotherApplicationBringsTheSelectionBackWithoutNewAndAFreshList) {
    ProgramSession session(folders(), messages, recordingDocuments());
    logIn(kDni);
    continueAfterLoading();
    ASSERT_TRUE(session.start());
    // Saved during this run: the list brought back shows it.
    putDocument(QStringLiteral("12345678Z_002010B.doc"));

    bool finished = false;
    QObject::connect(&session, &ProgramSession::finished, [&] { finished = true; });
    messages.enqueue(MessageAnswer::No); // "¿Guardar la solicitud actual?"
    session.form()->runMenuCommand(frmSolicitudes::CargarOtra);

    ASSERT_TRUE(waitUntil([&] { return session.form() == nullptr; }));
    ASSERT_NE(session.selection(), nullptr);
    EXPECT_FALSE(finished);
    EXPECT_FALSE(session.selection()->cmdNueva()->isVisible());
    EXPECT_EQ(session.selection()->solicitudes()->rowCount(), 1);

    // Closing it without a choice ends the run.
    session.selection()->close();
    EXPECT_TRUE(waitUntil([&] { return finished; }));
}

TEST_F(ProgramSessionTest, ClosingTheFormWithoutSavingEndsTheRun) {
    ProgramSession session(folders(), messages, recordingDocuments());
    logIn(kDni);
    continueAfterLoading();
    ASSERT_TRUE(session.start());
    bool finished = false;
    QObject::connect(&session, &ProgramSession::finished, [&] { finished = true; });

    messages.enqueue(MessageAnswer::No); // "¿desea guardar los cambios?"
    session.form()->runMenuCommand(frmSolicitudes::Salir);
    EXPECT_TRUE(waitUntil([&] { return finished; }));
    EXPECT_EQ(session.form(), nullptr);
    EXPECT_TRUE(saves.isEmpty());
}

TEST_F(ProgramSessionTest, ClosingWithYesOnAnApplicationThatCannotBeSavedKeepsTheFormOpen) {
    ProgramSession session(folders(), messages);
    logIn(kDni);
    continueAfterLoading();
    ASSERT_TRUE(session.start());
    bool finished = false;
    QObject::connect(&session, &ProgramSession::finished, [&] { finished = true; });

    messages.enqueue(MessageAnswer::Yes); // save before closing: but no body is chosen
    session.form()->close();
    QTest::qWait(50);
    EXPECT_FALSE(finished);
    ASSERT_NE(session.form(), nullptr);
    EXPECT_TRUE(session.form()->isVisible());
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.last().title, QStringLiteral("Datos no válidos"));
    EXPECT_TRUE(QDir(folders().applicationsFolder()).entryList(QDir::Files).isEmpty());
}
