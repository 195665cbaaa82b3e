#include <functional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "catalogues/CatalogueTestFolder.h"
#include "catalogues/LoadingSequence.h"
#include "catalogues/ProgramRun.h"
#include "catalogues/ui/frmProgreso.h"
#include "platform/MessageService.h"

using namespace velantor;
using namespace velantor::catalogues;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class frmProgresoTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingMessageService messages;
    ProgramRun run{Folders::fromProgramFolder(dir.path())};

    void SetUp() override {
        velantor::catalogues::testing::copySampleProgram(dir.path());
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(run.loadBodies(messages).has_value());
    }

    void remove(const char* relative) { ASSERT_TRUE(QFile::remove(QDir(dir.path()).filePath(s(relative)))); }

    // Shows the window and waits until it has finished loading (or closed after a failure).
    void showAndWait(frmProgreso& window) {
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(window.outcome() != frmProgreso::Outcome::NotRun, 60000);
    }
};

} // namespace

TEST_F(frmProgresoTest, ControlsCarryTheirNames) {
    frmProgreso window(run, messages);
    for (const char* name : {"lblTitulo", "Label1", "prg", "cmdContinuar"}) {
        QWidget* control = window.findChild<QWidget*>(s(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << name;
    }
    EXPECT_EQ(window.findChild<QLabel*>(s("Label1"))->text(), s("Cargando información ..."));
    auto* continuar = window.findChild<QPushButton*>(s("cmdContinuar"));
    EXPECT_EQ(continuar->text(), s("Continuar"));
    EXPECT_FALSE(continuar->isEnabled());
}

TEST_F(frmProgresoTest, LoadsOnShowingAndWaitsForContinuar) {
    frmProgreso window(run, messages);
    bool closeRefusedWhileLoading = false;
    // A close asked for when the sequence lets pending events run, that is, mid-load;
    // re-armed until the load has begun.
    std::function<void()> tryClose = [&] {
        if (!window.loading() && !window.cargaTerminada()) {
            QTimer::singleShot(0, &window, tryClose);
            return;
        }
        const bool loading = window.loading();
        window.close();
        closeRefusedWhileLoading = loading && window.isVisible();
    };
    QTimer::singleShot(0, &window, tryClose);
    showAndWait(window);
    EXPECT_TRUE(closeRefusedWhileLoading);
    ASSERT_EQ(window.outcome(), frmProgreso::Outcome::Loaded);
    EXPECT_TRUE(window.cargaTerminada());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window.windowTitle(), s("Concurso de Traslados ONDEX 2025 1.2.0"));
    EXPECT_TRUE(window.findChild<QLabel*>(s("lblTitulo"))->text().startsWith(s("\nCONCURSO DE TRASLADOS")));
    EXPECT_FALSE(QApplication::overrideCursor());

    auto* bar = window.findChild<QProgressBar*>(s("prg"));
    EXPECT_EQ(bar->maximum(), 660 + 30 * 4 * 80 + 30 * 6);
    EXPECT_EQ(bar->value(), bar->maximum());
    ASSERT_EQ(run.catalogues().PlazasPorCuerpo.size(), 160u);

    auto* continuar = window.findChild<QPushButton*>(s("cmdContinuar"));
    ASSERT_TRUE(continuar->isEnabled());
    QSignalSpy finished(&window, &QDialog::finished);
    QTest::mouseClick(continuar, Qt::LeftButton);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.first().first().toInt(), int(QDialog::Accepted));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(frmProgresoTest, EscapeIsRefusedWhileLoadingAndTheCloseBoxAllowedAfter) {
    frmProgreso window(run, messages);
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape); // before the queued load has begun
    EXPECT_TRUE(window.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(window.cargaTerminada(), 60000);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), int(QDialog::Accepted));
}

TEST_F(frmProgresoTest, AMissingNoticeFailsAtStep30) {
    remove("ficheros/FicheroTexto.txt");
    frmProgreso window(run, messages);
    showAndWait(window);
    EXPECT_EQ(window.outcome(), frmProgreso::Outcome::StepFailed);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.last().text.startsWith(s("Error en línea 30.No se encuentra el archivo ")))
        << messages.last().text.toStdString();
    EXPECT_TRUE(messages.last().text.endsWith(s(" 53")));
    EXPECT_TRUE(messages.last().title.isEmpty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), int(QDialog::Rejected));
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_FALSE(run.cataloguesLoaded()); // nothing half-loaded is handed over
}

TEST_F(frmProgresoTest, AMissingInstitutionLocalityFileFailsAtStep260) {
    remove("ficheros/F0016.enc");
    frmProgreso window(run, messages);
    showAndWait(window);
    EXPECT_EQ(window.outcome(), frmProgreso::Outcome::StepFailed);
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(messages.messages()[0].text.startsWith(s("Se ha producido el siguiente error 53-")));
    EXPECT_TRUE(messages.last().text.startsWith(s("Error en línea 260.")))
        << messages.last().text.toStdString();
    ASSERT_TRUE(window.failure().has_value());
    EXPECT_EQ(window.failure()->step, 260);
    EXPECT_FALSE(window.findChild<QPushButton*>(s("cmdContinuar"))->isEnabled());
}

TEST_F(frmProgresoTest, AMissingPositionsFileEndsTheProgram) {
    remove("ficheros/F0009.enc");
    frmProgreso window(run, messages);
    showAndWait(window);
    EXPECT_EQ(window.outcome(), frmProgreso::Outcome::PositionsFailed);
    EXPECT_EQ(messages.last().text, s("error al cargar plazas"));
    EXPECT_EQ(window.result(), int(QDialog::Rejected));
}
