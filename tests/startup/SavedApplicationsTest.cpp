#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tables/Table.h"
#include "startup/SavedApplications.h"

using namespace velantor;

namespace {

const QString kDni = QStringLiteral("12345678Z");

// A bodies table as the catalogue loader builds it: five-character codes.
TablePtr bodies() {
    TablePtr table =
        Table::create(QStringLiteral("rsCuerpos"), {FieldDef::text(QStringLiteral("Grupo"), 1),
                                                    FieldDef::text(QStringLiteral("CodCuerpo"), 6),
                                                    FieldDef::text(QStringLiteral("DescCuerpo"), 100)});
    const QStringList rows{QStringLiteral("A|00101|Facultativo/a Especialista de Área de Alergología"),
                           QStringLiteral("B|00202|Enfermero/a"),
                           QStringLiteral("C|00303|") + QString(80, u'x')};
    for (const QString& row : rows) {
        const QStringList f = row.split(u'|');
        table->addRow();
        table->setText(0, f[0]);
        table->setText(1, f[1]);
        table->setText(2, f[2]);
    }
    return table;
}

class SavedApplicationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path() + QDir::separator();
    }
    void touch(const QString& name) {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write("x");
    }
    bool exists(const QString& name) const { return QFile::exists(m_dir.filePath(name)); }
    static QStringList column(const TablePtr& list, const QString& field) {
        QStringList values;
        const int index = list->requireField(field);
        for (int row = 0; row < list->rowCount(); ++row)
            values << list->textAt(row, index);
        return values;
    }

    QTemporaryDir m_dir;
    QString m_folder;
    TablePtr m_bodies = bodies();
};

} // namespace

TEST(SavedApplicationName, TwentyOneCharactersEndingInDocOfThisIdentityNumber) {
    EXPECT_TRUE(isApplicationDocumentOf(QStringLiteral("12345678Z_001010A.doc"), kDni));
    EXPECT_TRUE(isApplicationDocumentOf(QStringLiteral("12345678Z_001010A.DOC"), kDni));
    EXPECT_TRUE(isApplicationDocumentOf(QStringLiteral("12345678Z_001010A.dOc"), kDni));
    EXPECT_FALSE(isApplicationDocumentOf(QStringLiteral("87654321X_001010A.doc"), kDni));
    EXPECT_FALSE(isApplicationDocumentOf(QStringLiteral("12345678z_001010A.doc"), kDni));  // exact case
    EXPECT_FALSE(isApplicationDocumentOf(QStringLiteral("12345678Z_00101A.doc"), kDni));   // 20
    EXPECT_FALSE(isApplicationDocumentOf(QStringLiteral("12345678Z_0010100A.doc"), kDni)); // 22
    EXPECT_FALSE(isApplicationDocumentOf(QStringLiteral("12345678Z_001010A.xml"), kDni));
    EXPECT_FALSE(isApplicationDocumentOf(QStringLiteral("12345678Z_001010Adoc"), kDni));
}

TEST(SavedApplicationName, BodyCodeLosesOnlyTheFillOnItsLeft) {
    EXPECT_EQ(bodyCodeOfName(QStringLiteral("_00101")), QStringLiteral("00101"));
    EXPECT_EQ(bodyCodeOfName(QStringLiteral("__0_01")), QStringLiteral("0_01"));
    EXPECT_EQ(bodyCodeOfName(QStringLiteral("A00101")), QStringLiteral("A00101"));
    EXPECT_EQ(bodyCodeOfName(QStringLiteral("______")), QString());
}

TEST_F(SavedApplicationsTest, ListsOnlyTheDocumentsOfTheIdentityNumberWithTheirColumns) {
    for (const char* name : {"12345678Z_002020B.DOC", "12345678Z_001010A.doc", "87654321X_001010A.doc",
                             "12345678z_001010A.doc", "12345678Z_00101A.doc", "12345678Z_0010100A.doc",
                             "12345678Z_001010A.xml", "12345678Z_001010A.pdf", "12345678Z_999990C.doc"})
        touch(QString::fromLatin1(name));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("12345678Z_003030C.doc")));

    const TablePtr list = ListarSolicitudes(m_folder, kDni, *m_bodies);
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(column(list, QStringLiteral("Fichero")),
              (QStringList{QStringLiteral("12345678Z_001010A.doc"), QStringLiteral("12345678Z_002020B.DOC"),
                           QStringLiteral("12345678Z_999990C.doc")}));
    EXPECT_EQ(column(list, QStringLiteral("DNI")), QStringList(3, kDni));
    EXPECT_EQ(column(list, QStringLiteral("Cuerpo")),
              (QStringList{QStringLiteral("_00101"), QStringLiteral("_00202"), QStringLiteral("_99999")}));
    EXPECT_EQ(column(list, QStringLiteral("Grupo")),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    // Found once the "_" fill is dropped; an unknown body stays without description.
    EXPECT_EQ(column(list, QStringLiteral("DescCuerpo")),
              (QStringList{QStringLiteral("Facultativo/a Especialista de Área de Alergología"),
                           QStringLiteral("Enfermero/a"), QString()}));
    EXPECT_EQ(list->fieldCount(), 5);
    EXPECT_EQ(list->field(0).name, QStringLiteral("Fichero"));
}

TEST_F(SavedApplicationsTest, DescriptionIsFoundWhateverFilterTheBodiesTableHasAndCutToSixty) {
    touch(QStringLiteral("12345678Z_003030C.doc"));
    touch(QStringLiteral("12345678Z_001010A.doc"));
    m_bodies->setFilter(QStringLiteral("Grupo='B'"));
    const TablePtr list = ListarSolicitudes(m_folder, kDni, *m_bodies);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->textAt(0, list->requireField(u"DescCuerpo")),
              QStringLiteral("Facultativo/a Especialista de Área de Alergología"));
    EXPECT_EQ(list->textAt(1, list->requireField(u"DescCuerpo")), QString(60, u'x'));
    EXPECT_EQ(m_bodies->filter(), QStringLiteral("Grupo='B'"));
}

TEST_F(SavedApplicationsTest, MissingOrEmptyFolderGivesAnEmptyList) {
    EXPECT_EQ(ListarSolicitudes(m_folder, kDni, *m_bodies)->rowCount(), 0);
    EXPECT_EQ(ListarSolicitudes(m_dir.filePath(QStringLiteral("nada")), kDni, *m_bodies)->rowCount(), 0);
}

TEST_F(SavedApplicationsTest, DeletingTakesTheDocumentItsPositionsXmlAndItsPdfOnly) {
    for (const char* name : {"12345678Z_001010A.doc", "12345678Z_001010A.xml", "12345678Z_001010A.pdf",
                             "12345678Z_002020B.doc", "12345678Z_002020B.xml", "12345678Z_001010A.txt"})
        touch(QString::fromLatin1(name));

    const Result<int> removed = borrarSolicitud(m_folder, QStringLiteral("12345678Z_001010A.doc"));
    ASSERT_TRUE(removed);
    EXPECT_EQ(*removed, 3);
    EXPECT_FALSE(exists(QStringLiteral("12345678Z_001010A.doc")));
    EXPECT_FALSE(exists(QStringLiteral("12345678Z_001010A.xml")));
    EXPECT_FALSE(exists(QStringLiteral("12345678Z_001010A.pdf")));
    EXPECT_TRUE(exists(QStringLiteral("12345678Z_001010A.txt")));
    EXPECT_TRUE(exists(QStringLiteral("12345678Z_002020B.doc")));
    EXPECT_TRUE(exists(QStringLiteral("12345678Z_002020B.xml")));

    const TablePtr list = ListarSolicitudes(m_folder, kDni, *m_bodies);
    EXPECT_EQ(column(list, QStringLiteral("Fichero")), QStringList{QStringLiteral("12345678Z_002020B.doc")});
}

TEST_F(SavedApplicationsTest, DeletingAnUpperCaseDocumentTakesItsCompanionsInAnyCase) {
    for (const char* name : {"12345678Z_001010A.DOC", "12345678Z_001010A.XML", "12345678Z_001010A.Pdf"})
        touch(QString::fromLatin1(name));
    const Result<int> removed = borrarSolicitud(m_folder, QStringLiteral("12345678Z_001010A.DOC"));
    ASSERT_TRUE(removed);
    EXPECT_EQ(*removed, 3);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(SavedApplicationsTest, MissingFilesAreSkippedSilently) {
    touch(QStringLiteral("12345678Z_001010A.xml"));
    const Result<int> removed = borrarSolicitud(m_folder, QStringLiteral("12345678Z_001010A.doc"));
    ASSERT_TRUE(removed);
    EXPECT_EQ(*removed, 1);
    EXPECT_FALSE(exists(QStringLiteral("12345678Z_001010A.xml")));

    const Result<int> nothing = borrarSolicitud(m_folder, QStringLiteral("12345678Z_001010A.doc"));
    ASSERT_TRUE(nothing);
    EXPECT_EQ(*nothing, 0);
}

TEST_F(SavedApplicationsTest, NamesThatWouldLeaveTheFolderAreRefusedAndDeleteNothing) {
    QTemporaryDir outer;
    ASSERT_TRUE(outer.isValid());
    const QString inner = outer.filePath(QStringLiteral("temp"));
    ASSERT_TRUE(QDir().mkpath(inner));
    QFile victim(outer.filePath(QStringLiteral("victima.doc")));
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
    victim.close();

    for (const QString& name :
         {QStringLiteral("../victima.doc"), QStringLiteral("..\\victima.doc"), QStringLiteral("a/b.doc"),
          QStringLiteral("C:victima.doc"), QStringLiteral(".."), QString(), QStringLiteral("x..doc")}) {
        const Result<void> checked = checkDocumentName(name);
        ASSERT_FALSE(checked) << name.toStdString();
        EXPECT_EQ(checked.error().number, errors::kUnsafeName);
        EXPECT_TRUE(checked.error().description.contains(QStringLiteral("no es válido")));
        const Result<int> removed = borrarSolicitud(inner, name);
        ASSERT_FALSE(removed);
        EXPECT_EQ(removed.error().number, errors::kUnsafeName);
    }
    EXPECT_TRUE(victim.exists());
    EXPECT_TRUE(checkDocumentName(QStringLiteral("12345678Z_001010A.doc")));
}
