#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/SafeFile.h"
#include "startup/UserRegistry.h"
#include "startup/Validacion.h"

using namespace velantor;

namespace {

const QString kDni = QStringLiteral("12345678Z");
const QString kOther = QStringLiteral("00000000T");

QString entry(const QString& dni, const QString& pwd) {
    return QStringLiteral("<Usuario><DNI>%1</DNI><Pwd>%2</Pwd></Usuario>")
        .arg(HashTexto(dni), HashTexto(pwd));
}

class UserRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("usuarios.xml"));
    }
    void TearDown() override { setWriteFaultHook({}); }

    void writeRegistry(const QByteArray& contents) {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QByteArray fileBytes() const {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void failWrites() {
        setWriteFaultHook([](const QString&, WriteStage stage) { return stage == WriteStage::Commit; });
    }

    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace

TEST_F(UserRegistryTest, MissingRegistryIsEmptyAndBecomesANewFile) {
    UserRegistry registry;
    ASSERT_TRUE(registry.CargarUsuarios(m_path));
    EXPECT_EQ(registry.path(), m_path);
    EXPECT_TRUE(registry.canSave());
    EXPECT_FALSE(registry.ExisteUsuario(kDni));
    EXPECT_EQ(registry.PwdUsuario(kDni), QString());
    EXPECT_FALSE(registry.ComprobarUsuario(kDni, QString()));
    EXPECT_FALSE(QFile::exists(m_path));

    ASSERT_TRUE(registry.AltaUsuario(kDni, QStringLiteral("SECRETO")));
    EXPECT_EQ(fileBytes(), (QStringLiteral("<?xml version=\"1.0\"?><Usuarios>") +
                            entry(kDni, QStringLiteral("SECRETO")) + QStringLiteral("</Usuarios>"))
                               .toUtf8());
    EXPECT_EQ(QFile::permissions(m_path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);

    UserRegistry reloaded;
    ASSERT_TRUE(reloaded.CargarUsuarios(m_path));
    EXPECT_TRUE(reloaded.ExisteUsuario(kDni));
    EXPECT_TRUE(reloaded.ComprobarUsuario(kDni, QStringLiteral("SECRETO")));
    EXPECT_EQ(reloaded.PwdUsuario(kDni), HashTexto(QStringLiteral("SECRETO")));
}

TEST_F(UserRegistryTest, NumbersAndPasswordsMatchHoweverTheyAreTyped) {
    UserRegistry registry;
    registry.CargarUsuarios(m_path);
    ASSERT_TRUE(registry.AltaUsuario(QStringLiteral("01234567L"), QStringLiteral("ABCdef")));
    ASSERT_TRUE(registry.AltaUsuario(QStringLiteral("12345678z"), QStringLiteral("abcdef")));
    // Stored as the normalised number and the upper-case password.
    EXPECT_TRUE(fileBytes().contains(entry(QStringLiteral("01234567L"), QStringLiteral("ABCDEF")).toUtf8()));
    EXPECT_TRUE(fileBytes().contains(entry(kDni, QStringLiteral("ABCDEF")).toUtf8()));

    EXPECT_TRUE(registry.ExisteUsuario(QStringLiteral("1234567l"))); // padded before look-up
    EXPECT_TRUE(registry.ExisteUsuario(QStringLiteral("01234567l")));
    EXPECT_TRUE(registry.ExisteUsuario(kDni));
    EXPECT_TRUE(registry.ComprobarUsuario(QStringLiteral("12345678z"), QStringLiteral("ABCDEF")));
    EXPECT_TRUE(registry.ComprobarUsuario(kDni, QStringLiteral("abcdef")));
    EXPECT_TRUE(registry.ComprobarUsuario(QStringLiteral("1234567L"), QStringLiteral("AbCdEf")));
    EXPECT_FALSE(registry.ComprobarUsuario(kDni, QStringLiteral("abcdeg")));
    EXPECT_FALSE(registry.ComprobarUsuario(kOther, QStringLiteral("abcdef")));
    EXPECT_FALSE(registry.ExisteUsuario(kOther));
}

TEST_F(UserRegistryTest, FirstOfTwoEqualNumbersDecidesAndIsTheOneRemoved) {
    const QByteArray contents = (QStringLiteral("<Usuarios>") + entry(kOther, QStringLiteral("OTRA")) +
                                 entry(kDni, QStringLiteral("PRIMERA")) + entry(kOther, QStringLiteral("X")) +
                                 entry(kDni, QStringLiteral("SEGUNDA")) + QStringLiteral("</Usuarios>"))
                                    .toUtf8();
    writeRegistry(contents);
    UserRegistry registry;
    ASSERT_TRUE(registry.CargarUsuarios(m_path));
    EXPECT_EQ(registry.entryCount(), 4);
    EXPECT_TRUE(registry.ComprobarUsuario(kDni, QStringLiteral("primera")));
    EXPECT_FALSE(registry.ComprobarUsuario(kDni, QStringLiteral("segunda")));

    registry.BajaUsuario(QStringLiteral("12345678z"));
    EXPECT_EQ(registry.entryCount(), 3);
    EXPECT_TRUE(registry.ComprobarUsuario(kDni, QStringLiteral("segunda")));
    EXPECT_TRUE(registry.ComprobarUsuario(kOther, QStringLiteral("otra")));
    EXPECT_EQ(fileBytes(), contents); // removal alone does not write

    registry.BajaUsuario(kDni);
    registry.BajaUsuario(kDni); // nothing left to remove
    EXPECT_FALSE(registry.ExisteUsuario(kDni));
    EXPECT_EQ(registry.entryCount(), 2);
}

TEST_F(UserRegistryTest, ChangingAPasswordLeavesOneEntryPlacedLast) {
    writeRegistry((QStringLiteral("<Usuarios>") + entry(kDni, QStringLiteral("VIEJA")) +
                   entry(kOther, QStringLiteral("OTRA")) + QStringLiteral("</Usuarios>"))
                      .toUtf8());
    UserRegistry registry;
    ASSERT_TRUE(registry.CargarUsuarios(m_path));
    ASSERT_TRUE(registry.replaceUser(QStringLiteral("12345678z"), QStringLiteral("nueva1")));
    EXPECT_EQ(registry.entryCount(), 2);
    EXPECT_FALSE(registry.ComprobarUsuario(kDni, QStringLiteral("VIEJA")));
    EXPECT_TRUE(registry.ComprobarUsuario(kDni, QStringLiteral("NUEVA1")));
    EXPECT_EQ(fileBytes(),
              (QStringLiteral("<?xml version=\"1.0\"?><Usuarios>") + entry(kOther, QStringLiteral("OTRA")) +
               entry(kDni, QStringLiteral("NUEVA1")) + QStringLiteral("</Usuarios>"))
                  .toUtf8());
}

TEST_F(UserRegistryTest, FailedWriteKeepsTheOldFileAndTheOldEntries) {
    const QByteArray contents =
        (QStringLiteral("<Usuarios>") + entry(kDni, QStringLiteral("VIEJA")) + QStringLiteral("</Usuarios>"))
            .toUtf8();
    writeRegistry(contents);
    UserRegistry registry;
    ASSERT_TRUE(registry.CargarUsuarios(m_path));
    failWrites();

    const Result<void> added = registry.AltaUsuario(kOther, QStringLiteral("NUEVA1"));
    ASSERT_FALSE(added);
    EXPECT_TRUE(added.error().description.contains(QDir::toNativeSeparators(m_path)));
    EXPECT_FALSE(registry.ExisteUsuario(kOther)); // not kept in memory as if stored
    EXPECT_EQ(registry.entryCount(), 1);

    const Result<void> replaced = registry.replaceUser(kDni, QStringLiteral("NUEVA1"));
    ASSERT_FALSE(replaced);
    EXPECT_TRUE(registry.ComprobarUsuario(kDni, QStringLiteral("vieja")));
    EXPECT_FALSE(registry.ComprobarUsuario(kDni, QStringLiteral("nueva1")));
    EXPECT_EQ(fileBytes(), contents);

    // Once the disk is back, the same change goes through.
    setWriteFaultHook({});
    ASSERT_TRUE(registry.replaceUser(kDni, QStringLiteral("NUEVA1")));
    EXPECT_EQ(registry.entryCount(), 1);
    UserRegistry reloaded;
    reloaded.CargarUsuarios(m_path);
    EXPECT_TRUE(reloaded.ComprobarUsuario(kDni, QStringLiteral("nueva1")));
}

TEST_F(UserRegistryTest, MalformedOrUnreadableRegistryIsEmptyAndNeverOverwritten) {
    const QByteArray broken =
        (QStringLiteral("<Usuarios>") + entry(kDni, QStringLiteral("VIEJA")) + QStringLiteral("</Usuario>"))
            .toUtf8();
    writeRegistry(broken);
    UserRegistry registry;
    ASSERT_TRUE(registry.CargarUsuarios(m_path));
    EXPECT_FALSE(registry.ExisteUsuario(kDni)); // logs in without a password
    EXPECT_EQ(registry.entryCount(), 0);
    EXPECT_FALSE(registry.canSave());
    const Result<void> added = registry.AltaUsuario(kDni, QStringLiteral("NUEVA1"));
    ASSERT_FALSE(added);
    EXPECT_EQ(added.error().number, errors::kMalformedXml);
    EXPECT_FALSE(registry.ExisteUsuario(kDni));
    EXPECT_EQ(fileBytes(), broken);

    // A folder where the file should be cannot be read either.
    UserRegistry onFolder;
    ASSERT_TRUE(onFolder.CargarUsuarios(m_dir.path()));
    EXPECT_FALSE(onFolder.canSave());
    EXPECT_FALSE(onFolder.AltaUsuario(kDni, QStringLiteral("NUEVA1")));

    // Never loaded: nowhere to write.
    UserRegistry unloaded;
    EXPECT_EQ(unloaded.AltaUsuario(kDni, QStringLiteral("NUEVA1")).error().number, errors::kFileAccess);
}

TEST_F(UserRegistryTest, RegistryWithoutUsuariosGetsOneAndKeepsTheRest) {
    // An empty file has nothing to lose.
    writeRegistry("  \n");
    UserRegistry empty;
    ASSERT_TRUE(empty.CargarUsuarios(m_path));
    ASSERT_TRUE(empty.AltaUsuario(kDni, QStringLiteral("CLAVE1")));
    EXPECT_EQ(fileBytes(), (QStringLiteral("<?xml version=\"1.0\"?><Usuarios>") +
                            entry(kDni, QStringLiteral("CLAVE1")) + QStringLiteral("</Usuarios>"))
                               .toUtf8());

    // Another root element: the entries go into a new Usuarios inside it.
    writeRegistry("<Config><Otro a=\"1\"/><!-- nota --></Config>");
    UserRegistry other;
    ASSERT_TRUE(other.CargarUsuarios(m_path));
    ASSERT_TRUE(other.AltaUsuario(kDni, QStringLiteral("CLAVE1")));
    EXPECT_EQ(fileBytes(),
              (QStringLiteral("<?xml version=\"1.0\"?><Config><Otro a=\"1\"/><!-- nota --><Usuarios>") +
               entry(kDni, QStringLiteral("CLAVE1")) + QStringLiteral("</Usuarios></Config>"))
                  .toUtf8());
}

TEST_F(UserRegistryTest, SavingKeepsLayoutCommentsAndEncodingOfTheFile) {
    const QByteArray original = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                "<Usuarios>\n"
                                "  <!-- Alta de Mu\xF1oz -->\n"
                                "  " +
                                entry(kOther, QStringLiteral("OTRA")).toUtf8() + "\n</Usuarios>\n";
    writeRegistry(original);
    UserRegistry registry;
    ASSERT_TRUE(registry.CargarUsuarios(m_path));
    ASSERT_TRUE(registry.AltaUsuario(kDni, QStringLiteral("CLAVE1")));
    const QByteArray saved = fileBytes();
    EXPECT_TRUE(saved.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Usuarios>\n"
                                 "  <!-- Alta de Mu\xF1oz -->\n  "));
    EXPECT_TRUE(saved.endsWith("\n" + entry(kDni, QStringLiteral("CLAVE1")).toUtf8() + "</Usuarios>"));
    EXPECT_TRUE(saved.contains(entry(kOther, QStringLiteral("OTRA")).toUtf8()));
}
