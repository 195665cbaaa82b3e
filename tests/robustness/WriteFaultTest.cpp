#include <functional>
#include <memory>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "catalogues/ApplicationTables.h"
#include "document/PositionsXml.h"
#include "platform/MessageService.h"
#include "platform/SafeFile.h"
#include "docengine/WordDocument.h"
#include "robustness/FolderSnapshot.h"
#include "startup/PasswordChange.h"
#include "startup/UserRegistry.h"

using namespace velantor;
using velantor::test::FolderSnapshot;

namespace {

const QString kDni = QStringLiteral("12345678Z");

// A write fault at one stage, for one file: every other file of the folder is written normally.
struct Fault {
    WriteStage stage;
    const char* name;
};
constexpr Fault kFaults[] = {{WriteStage::Open, "open"},
                             {WriteStage::Write, "write"},
                             {WriteStage::Flush, "flush"},
                             {WriteStage::Rename, "rename"}};

// One of the program's writers of user data: prepares its previous file in `folder`, then
// makes a change that must write it again. `attempt` reports the failure as the user sees it
// (the message text, empty when it was wrongly reported as success).
struct Writer {
    const char* name;
    QString fileName;
    std::function<void(const QString& folder)> prepare;
    std::function<QString(const QString& folder)> attempt;
    // After a failed attempt, the in-memory state still matches the file (checked here).
    std::function<void()> checkMemory = [] {};
};

ApplicationTables lists(int vacancies) {
    ApplicationTables lists{createPositionListTable(QStringLiteral("Vacantes")),
                           createPositionListTable(QStringLiteral("Resultas")), createCursosTable(),
                           createDocumentosTable()};
    for (int i = 0; i < vacancies; ++i) {
        lists.vacantes->addRow();
        lists.vacantes->setText(u"CodConvocatoria", QString::number(10001 + i));
        lists.vacantes->setNumber(u"Orden", i + 1);
    }
    return lists;
}

QString templatePath() {
    return QDir(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR))
        .filePath(QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot"));
}

class WriteFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_registry = std::make_unique<UserRegistry>();
    }
    void TearDown() override { setWriteFaultHook({}); }

    std::vector<Writer> writers() {
        std::vector<Writer> all;
        // The registry through the password window's core: a new entry for a number.
        all.push_back(Writer{
            "registro (alta)", QStringLiteral("usuarios.xml"),
            [this](const QString& folder) {
                ASSERT_TRUE(m_registry->CargarUsuarios(QDir(folder).filePath(QStringLiteral("usuarios.xml"))));
                ASSERT_TRUE(m_registry->AltaUsuario(QStringLiteral("87654321X"), QStringLiteral("OTRA")));
            },
            [this](const QString&) {
                const Result<void> added = m_registry->AltaUsuario(kDni, QStringLiteral("PRIMERA"));
                return added ? QString() : added.error().description;
            },
            [this] {
                EXPECT_EQ(m_registry->entryCount(), 1);
                EXPECT_FALSE(m_registry->ExisteUsuario(kDni));
            }});
        // A password change: the entry of the number is replaced.
        all.push_back(Writer{
            "registro (cambio de contraseña)", QStringLiteral("usuarios.xml"),
            [this](const QString& folder) {
                ASSERT_TRUE(m_registry->CargarUsuarios(QDir(folder).filePath(QStringLiteral("usuarios.xml"))));
                ASSERT_TRUE(m_registry->AltaUsuario(kDni, QStringLiteral("ANTIGUA")));
            },
            [this](const QString&) {
                const PasswordChange change =
                    acceptNewPassword(*m_registry, kDni, QStringLiteral("nueva1"), QStringLiteral("nueva1"));
                EXPECT_NE(change.outcome, PasswordChangeOutcome::Refused);
                return change.outcome == PasswordChangeOutcome::NotSaved ? change.message : QString();
            },
            [this] {
                EXPECT_TRUE(m_registry->ComprobarUsuario(kDni, QStringLiteral("antigua")));
                EXPECT_FALSE(m_registry->ComprobarUsuario(kDni, QStringLiteral("nueva1")));
            }});
        // The positions XML beside a document: the old lists stay.
        all.push_back(Writer{
            "XML de plazas", QStringLiteral("solicitud.xml"),
            [](const QString& folder) {
                ASSERT_TRUE(PositionsXml::write(QDir(folder).filePath(QStringLiteral("solicitud.xml")), lists(2),
                                                QDir(folder).filePath(QStringLiteral("traza.txt"))));
            },
            [](const QString& folder) {
                const Result<void> written =
                    PositionsXml::write(QDir(folder).filePath(QStringLiteral("solicitud.xml")), lists(5),
                                        QDir(folder).filePath(QStringLiteral("traza.txt")));
                return written ? QString() : written.error().description;
            }});
        // A document saved again over its previous version.
        all.push_back(Writer{
            "documento", QStringLiteral("solicitud.doc"),
            [](const QString& folder) {
                Result<WordDocument> document = WordDocument::openTemplate(templatePath());
                ASSERT_TRUE(document) << document.error().description.toStdString();
                ASSERT_TRUE(document->saveAs(QDir(folder).filePath(QStringLiteral("solicitud.doc"))));
            },
            [](const QString& folder) {
                const QString path = QDir(folder).filePath(QStringLiteral("solicitud.doc"));
                Result<WordDocument> document = WordDocument::open(path);
                EXPECT_TRUE(document);
                if (!document)
                    return QStringLiteral("(no se pudo abrir)");
                // A change to the first text field, so the new file differs from the old.
                bool changed = false;
                for (const QString& field : document->formFieldNames())
                    changed = changed || document->setFieldText(field, QStringLiteral("cambiado")).has_value();
                EXPECT_TRUE(changed);
                const Result<void> saved = document->saveAs(path);
                return saved ? QString() : saved.error().description;
            }});
        return all;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<UserRegistry> m_registry;
};

} // namespace

// Every writer of user data under a fault at each stage of the write: the call reports the
// failure naming the file, the folder is byte for byte as before (no temporary left
// behind), and the same change succeeds once the fault is gone.
TEST_F(WriteFaultTest, EveryWriterUnderEveryFaultLeavesThePreviousFilesAndSaysSo) {
    int injected = 0;
    for (Writer& writer : writers()) {
        for (const Fault& fault : kFaults) {
            SCOPED_TRACE(std::string(writer.name) + " / " + fault.name);
            QTemporaryDir folder;
            ASSERT_TRUE(folder.isValid());
            m_registry = std::make_unique<UserRegistry>();
            writer.prepare(folder.path());
            if (HasFatalFailure())
                return;
            const FolderSnapshot before(folder.path());
            ASSERT_TRUE(before.contains(writer.fileName));

            const QString target = QDir(folder.path()).filePath(writer.fileName);
            int hits = 0;
            setWriteFaultHook([&](const QString& path, WriteStage stage) {
                const bool failing = path == target && stage == fault.stage;
                hits += failing ? 1 : 0;
                return failing;
            });
            const QString message = writer.attempt(folder.path());
            setWriteFaultHook({});
            injected += hits;

            EXPECT_EQ(hits, 1);
            EXPECT_FALSE(message.isEmpty()) << "a failed write reported as saved";
            EXPECT_TRUE(message.contains(writer.fileName)) << message.toStdString();
            EXPECT_EQ(FolderSnapshot(folder.path()).differenceFrom(before), QString());
            writer.checkMemory();

            EXPECT_EQ(writer.attempt(folder.path()), QString());
            EXPECT_NE(FolderSnapshot(folder.path()).file(writer.fileName), before.file(writer.fileName));
        }
    }
    EXPECT_EQ(injected, 16);
}

TEST_F(WriteFaultTest, RegistryIsOwnerOnlyFromItsFirstWrite) {
    const QString path = m_dir.filePath(QStringLiteral("usuarios.xml"));
    ASSERT_TRUE(m_registry->CargarUsuarios(path));
    QFileDevice::Permissions atRename; // of a temporary file with a name, if there is one
    setWriteFaultHook([&](const QString& written, WriteStage stage) {
        if (written == path && stage == WriteStage::Rename) {
            for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden)) {
                if (name.startsWith(QStringLiteral("usuarios.xml.")) && !name.endsWith(QStringLiteral(".lock")))
                    atRename = QFile::permissions(m_dir.filePath(name));
            }
        }
        return false;
    });
    ASSERT_TRUE(m_registry->AltaUsuario(kDni, QStringLiteral("CLAVE1")));
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                        QFileDevice::WriteOther | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    // Where the system makes the temporary file without a name, nobody can open it anyway.
    if (atRename) {
        EXPECT_TRUE(atRename & QFileDevice::ReadOwner);
        EXPECT_FALSE(atRename & others);
    }
    EXPECT_FALSE(QFile::permissions(path) & others);
    EXPECT_TRUE(QFile::permissions(path) & QFileDevice::ReadOwner);
}
