#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "document/ApplicationLock.h"
#include "form/ui/DocumentCommands.h"
#include "docengine/WordDocument.h"
#include "widgets/DataCombo.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

const QString kName = QStringLiteral("12345678Z_001010A.doc");

// A program folder holding only the template the form's configuration names.
struct ProgramFolder {
    ProgramFolder() {
        const QString templates = QDir(dir.path()).filePath(QStringLiteral("ficheros/DOT_11111"));
        EXPECT_TRUE(QDir().mkpath(templates));
        EXPECT_TRUE(QFile::copy(QDir(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR))
                                    .filePath(QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot")),
                                QDir(templates).filePath(QStringLiteral("PlantillaWXP.dot"))));
    }
    QString path() const { return dir.path(); }
    QString application(const QString& name) const {
        return QDir(dir.path()).filePath(QStringLiteral("ficheros/temp/") + name);
    }
    QTemporaryDir dir;
};

// Types an application into the form and saves it with "Guardar".
void typeAndSave(FormFixture& f) {
    installDocumentCommands(f.form());
    f.fillIdentity();
    f.form().lineEdit(u"txtNombre")->setText(QString::fromUtf8("Lucía"));
    f.form().view().setChecked(u"optVoluntario", true);
    Table& cursos = *f.working.cursos;
    cursos.addRow();
    cursos.setText(u"Curso", QStringLiteral("Urgencias pediátricas"));
    cursos.setNumber(u"NHoras", 30);
    cursos.setNumber(u"Ano", 2022);
    cursos.setText(u"Centro", QStringLiteral("Hospital de Mérida"));
    f.form().runMenuCommand(frmSolicitudes::Guardar);
}

} // namespace

TEST(FormDocumentCommands, GuardarWritesTheDocumentAndLocksIdentityBodyAndGroup) {
    ProgramFolder program;
    FormFixture f(QStringLiteral("SSSSS"), program.path());
    typeAndSave(f);
    EXPECT_TRUE(f.messages.empty()) << f.messages.last().text.toStdString();
    ASSERT_TRUE(QFile::exists(program.application(kName)));
    EXPECT_TRUE(QFile::exists(program.application(QStringLiteral("12345678Z_001010A.xml"))));
    for (const char* locked : {"txtDNI", "cboCuerpo", "cboGrupo"})
        EXPECT_FALSE(f.form().control(QString::fromLatin1(locked))->isEnabled()) << locked;

    const WordDocument saved = WordDocument::open(program.application(kName)).value();
    EXPECT_EQ(saved.fieldText(QStringLiteral("NOMBRE")).value(), QString::fromUtf8("Lucía"));
    EXPECT_EQ(saved.fieldText(QStringLiteral("NDNI")).value(), QStringLiteral("12345678Z"));
    EXPECT_TRUE(saved.isChecked(QStringLiteral("VOLUNTARIO")).value());
    EXPECT_EQ(saved.cellText(3, 2, 1).value(), QStringLiteral("Urgencias pediátricas"));
}

TEST(FormDocumentCommands, ANameTheValuesCannotFormIsRefusedBeforeAnythingIsLocked) {
    ProgramFolder program;
    FormFixture f(QStringLiteral("SSSSS"), program.path());
    installDocumentCommands(f.form());
    f.fillIdentity();
    f.form().lineEdit(u"txtDNI")->setText(QStringLiteral("../../x"));
    f.form().runMenuCommand(frmSolicitudes::Guardar);
    ASSERT_FALSE(f.messages.empty());
    EXPECT_EQ(f.messages.last().title, QStringLiteral("Datos no válidos"));
    EXPECT_TRUE(f.messages.last().text.contains(QStringLiteral("../../x")));
    EXPECT_TRUE(f.form().control(u"txtDNI")->isEnabled());
    EXPECT_FALSE(QDir(program.application(QString())).exists());
}

TEST(FormDocumentCommands, TypingTheDataOfASavedApplicationWarnsAndNoEmptiesBodyAndGroup) {
    ProgramFolder program;
    {
        FormFixture first(QStringLiteral("SSSSS"), program.path());
        typeAndSave(first);
    }
    FormFixture f(QStringLiteral("SSSSS"), program.path());
    installDocumentCommands(f.form());
    f.form().combo(u"cboCuerpo")->setText(QStringLiteral("00101"));
    f.form().combo(u"cboGrupo")->setText(QStringLiteral("A"));
    f.messages.enqueue(MessageAnswer::No);
    f.typeAndLeave("txtDNI", QStringLiteral("12345678Z"));
    ASSERT_FALSE(f.messages.empty());
    EXPECT_EQ(f.messages.last().title, QStringLiteral("Solicitud Existente"));
    EXPECT_EQ(f.form().combo(u"cboCuerpo")->text(), QString());
    EXPECT_EQ(f.form().combo(u"cboGrupo")->text(), QString());
    EXPECT_TRUE(f.form().isVisible());
}

TEST(FormDocumentCommands, ASavedApplicationLoadsBackIntoTheWindow) {
    ProgramFolder program;
    {
        FormFixture first(QStringLiteral("SSSSS"), program.path());
        typeAndSave(first);
    }
    FormFixture f(QStringLiteral("SSSSS"), program.path());
    int selections = 0;
    ASSERT_TRUE(loadApplication(f.form(), kName, [&selections] {
        ++selections;
        return true;
    }));
    EXPECT_TRUE(f.messages.empty());
    EXPECT_EQ(f.form().lineEdit(u"txtNombre")->text(), QString::fromUtf8("Lucía"));
    EXPECT_EQ(f.form().lineEdit(u"txtDNI")->text(), QStringLiteral("12345678Z"));
    EXPECT_EQ(f.form().combo(u"cboCuerpo")->text(), QStringLiteral("00101"));
    EXPECT_TRUE(f.form().view().isChecked(u"optVoluntario"));
    EXPECT_TRUE(f.form().view().isChecked(u"OptNo"));
    EXPECT_EQ(f.working.cursos->rowCount(), 1);
    EXPECT_EQ(selections, 1);
    for (const char* locked : {"txtDNI", "cboCuerpo", "cboGrupo"})
        EXPECT_FALSE(f.form().control(QString::fromLatin1(locked))->isEnabled()) << locked;
    for (int command : {1000, 2000})
        EXPECT_TRUE(f.form().menuItem(command)->isEnabled()) << command;
}

TEST(FormDocumentCommands, ADraftPrintHandsTheSavedDocumentToThePrintingAndStartsTheTimer) {
    ProgramFolder program;
    FormFixture f(QStringLiteral("SSSSS"), program.path());
    DocumentCommandOptions options;
    int prints = 0;
    options.printCompletion = [&](GeneratedDocument& generated,
                                  const GenerationRequest& request) -> Result<void> {
        ++prints;
        EXPECT_TRUE(request.print);
        EXPECT_TRUE(request.draft);
        EXPECT_TRUE(QFile::exists(request.documentPath()));
        EXPECT_EQ(generated.document.bookmarkText(QStringLiteral("BORRADOR")).value(),
                  QStringLiteral("BORRADOR"));
        // Only the printed copy is a draft: the stored document is not marked.
        EXPECT_EQ(WordDocument::open(request.documentPath()).value().bookmarkText(QStringLiteral("BORRADOR")).value(),
                  QString());
        return {};
    };
    installDocumentCommands(f.form(), options);
    f.fillIdentity();
    // Nothing requested yet: the print is offered as a draft.
    f.messages.enqueue(MessageAnswer::Yes);
    f.form().runMenuCommand(frmSolicitudes::Imprimir);
    EXPECT_EQ(f.messages.last().title, QStringLiteral("Copia Borrador"));
    EXPECT_EQ(prints, 1);
    EXPECT_TRUE(f.form().printTimer()->isActive());
    EXPECT_FALSE(f.form().menuItem(frmSolicitudes::Guardar)->isEnabled());
    f.form().printTimer()->stop();
}

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A second window on an application open in another one reads it but never writes it, and
// each save of the first keeps the pair before it as the backup.
TEST(FormDocumentCommands, AnApplicationOpenInAnotherWindowOpensForReadingOnly) {
    ProgramFolder program;
    FormFixture first(QStringLiteral("SSSSS"), program.path());
    typeAndSave(first);
    const QString document = program.application(kName);
    const QByteArray stored = bytesOf(document);
    first.form().runMenuCommand(frmSolicitudes::Guardar);
    EXPECT_EQ(bytesOf(document + QStringLiteral(".bak")), stored);

    FormFixture second(QStringLiteral("SSSSS"), program.path());
    installDocumentCommands(second.form());
    ASSERT_TRUE(loadApplication(second.form(), kName, [] { return true; }));
    ASSERT_FALSE(second.messages.empty());
    EXPECT_TRUE(second.messages.messages().front().text.startsWith(
        QString::fromUtf8("La solicitud está abierta en otro equipo o ventana")));
    EXPECT_EQ(second.form().lineEdit(u"txtNombre")->text(), QString::fromUtf8("Lucía"));
    EXPECT_FALSE(second.form().menuItem(frmSolicitudes::Guardar)->isEnabled());
    EXPECT_FALSE(second.form().menuItem(frmSolicitudes::Imprimir)->isEnabled());

    // Closing offers no save; the stored pair stays as the first window wrote it.
    const QByteArray current = bytesOf(document);
    second.messages.clear();
    second.messages.enqueue(MessageAnswer::Yes);
    EXPECT_TRUE(second.form().close());
    ASSERT_EQ(second.messages.messages().size(), 1u);
    EXPECT_TRUE(second.messages.last().text.contains(QString::fromUtf8("se conserva tal como estaba")));
    EXPECT_EQ(bytesOf(document), current);

    // Once the first window lets go (the program's windows do when they close), the
    // application opens for writing again.
    first.form().holdApplicationLock(nullptr);
    FormFixture third(QStringLiteral("SSSSS"), program.path());
    installDocumentCommands(third.form());
    ASSERT_TRUE(loadApplication(third.form(), kName, [] { return true; }));
    EXPECT_TRUE(third.messages.empty()) << third.messages.last().text.toStdString();
    EXPECT_TRUE(third.form().menuItem(frmSolicitudes::Guardar)->isEnabled());
}

// A load that stops half-way leaves a form with part of the application: closing it must
// not offer to save that over the stored pair.
TEST(FormDocumentCommands, AHalfLoadedApplicationIsNeverSavedOverTheStoredOne) {
    ProgramFolder program;
    {
        FormFixture first(QStringLiteral("SSSSS"), program.path());
        typeAndSave(first);
    }
    const QString xml = program.application(QStringLiteral("12345678Z_001010A.xml"));
    QByteArray damaged = bytesOf(xml);
    ASSERT_TRUE(damaged.contains("<Centro>"));
    damaged.replace(damaged.indexOf("<Ano>"), int(damaged.indexOf("</Ano>") - damaged.indexOf("<Ano>") + 6), "");
    {
        QFile file(xml);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
    }
    const QByteArray document = bytesOf(program.application(kName));

    FormFixture f(QStringLiteral("SSSSS"), program.path());
    installDocumentCommands(f.form());
    ASSERT_FALSE(loadApplication(f.form(), kName, [] { return true; }));
    EXPECT_EQ(f.form().lineEdit(u"txtNombre")->text(), QString::fromUtf8("Lucía")); // part of it came in
    f.messages.clear();
    f.messages.enqueue(MessageAnswer::No); // stay
    EXPECT_FALSE(f.form().close());
    EXPECT_TRUE(f.messages.last().text.contains(QString::fromUtf8("no se ha podido cargar por completo")));
    EXPECT_EQ(f.messages.last().buttons, MessageButtons::YesNo);
    f.messages.enqueue(MessageAnswer::Yes);
    EXPECT_TRUE(f.form().close());
    EXPECT_EQ(bytesOf(program.application(kName)), document);
    EXPECT_EQ(bytesOf(xml), damaged);
}
