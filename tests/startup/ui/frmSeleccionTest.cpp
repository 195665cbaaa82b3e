#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

#include "AccessibleTree.h"
#include "StartupWindowTest.h"
#include "startup/RunValues.h"
#include "startup/SavedApplications.h"
#include "startup/ui/frmSeleccion.h"
#include "widgets/DataCombo.h"

using namespace velantor;

namespace {

const QString kDni = QStringLiteral("12345678Z");
const QString kFirst = QStringLiteral("12345678Z_001010A.doc");
const QString kSecond = QStringLiteral("12345678Z_002020B.doc");

TablePtr bodies() {
    TablePtr table =
        Table::create(QStringLiteral("rsCuerpos"), {FieldDef::text(QStringLiteral("Grupo"), 1),
                                                    FieldDef::text(QStringLiteral("CodCuerpo"), 6),
                                                    FieldDef::text(QStringLiteral("DescCuerpo"), 100)});
    table->addRow();
    table->setText(0, QStringLiteral("A"));
    table->setText(1, QStringLiteral("00101"));
    table->setText(2, QStringLiteral("Facultativo/a Especialista de Área de Alergología"));
    table->addRow();
    table->setText(0, QStringLiteral("B"));
    table->setText(1, QStringLiteral("00202"));
    table->setText(2, QStringLiteral("Enfermero/a"));
    return table;
}

class frmSeleccionTest : public StartupWindowTest {
protected:
    void SetUp() override {
        StartupWindowTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path() + QDir::separator();
        for (const QString& name :
             {kFirst, QStringLiteral("12345678Z_001010A.xml"), QStringLiteral("12345678Z_001010A.pdf"),
              kSecond, QStringLiteral("12345678Z_002020B.xml"), QStringLiteral("87654321X_001010A.doc")})
            touch(name);
    }
    void touch(const QString& name) {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    bool exists(const QString& name) const { return QFile::exists(m_dir.filePath(name)); }
    std::unique_ptr<frmSeleccion> open(frmSeleccion::Modo modo = frmSeleccion::Modo::Inicio) {
        auto window = std::make_unique<frmSeleccion>(ListarSolicitudes(m_folder, kDni, *m_bodies), m_folder,
                                                     m_bodies, m_run, modo);
        showActive(*window);
        return window;
    }
    void expectChooseFirst() {
        ASSERT_EQ(m_messages.messages().size(), 1u);
        EXPECT_EQ(m_messages.last().text, QStringLiteral("Seleccione una Solicitud"));
        EXPECT_EQ(m_messages.last().title, QStringLiteral("Solicitudes"));
        EXPECT_EQ(m_messages.last().icon, MessageIcon::Exclamation);
        m_messages.clear();
    }
    // Deletes the application in the row, answering Yes to the question.
    void deleteRow(frmSeleccion& w, int row) {
        w.cboSolicitudes()->chooseRow(row);
        m_messages.enqueue(MessageAnswer::Yes);
        QTest::mouseClick(w.cmdBorrar(), Qt::LeftButton);
    }

    QTemporaryDir m_dir;
    QString m_folder;
    TablePtr m_bodies = bodies();
    RunValues m_run;
};

} // namespace

TEST_F(frmSeleccionTest, OffersTheSavedApplicationsUnderTheirColumns) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("CargarSolicitud"));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblSolicitudes"))->text().remove(u'&'),
              QStringLiteral("Ficheros de Solicitudes"));
    EXPECT_EQ(w->cmdCargar()->text().remove(u'&'), QStringLiteral("Cargar Solicitud"));
    EXPECT_EQ(w->cmdBorrar()->text().remove(u'&'), QStringLiteral("Borrar Solicitud"));
    EXPECT_EQ(w->cmdNueva()->text().remove(u'&'), QStringLiteral("Solicitud Nueva"));
    EXPECT_TRUE(w->cmdNueva()->isVisible());
    EXPECT_TRUE(w->cboSolicitudes()->text().isEmpty());
    EXPECT_EQ(w->cboSolicitudes()->rowCount(), 2);

    QTableView* view = w->cboSolicitudes()->popupView();
    QStringList headers;
    for (int visual = 0; visual < view->horizontalHeader()->count(); ++visual) {
        const int logical = view->horizontalHeader()->logicalIndex(visual);
        if (!view->isColumnHidden(logical))
            headers << view->model()->headerData(logical, Qt::Horizontal).toString();
    }
    EXPECT_EQ(headers,
              (QStringList{QStringLiteral("DNI"), QStringLiteral("Categoría"), QStringLiteral("Grupo"),
                           QStringLiteral("Fichero"), QStringLiteral("Descripción")}));
    EXPECT_EQ(w->solicitudes()->textAt(1, w->solicitudes()->requireField(u"DescCuerpo")),
              QStringLiteral("Enfermero/a"));
}

TEST_F(frmSeleccionTest, OpeningOrDeletingNeedsAChoice) {
    auto w = open();
    QSignalSpy loads(w.get(), &frmSeleccion::cargarSolicitud);
    QTest::mouseClick(w->cmdCargar(), Qt::LeftButton);
    expectChooseFirst();
    QTest::mouseClick(w->cmdBorrar(), Qt::LeftButton);
    expectChooseFirst();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(loads.count(), 0);
    EXPECT_TRUE(exists(kFirst));
    EXPECT_TRUE(exists(kSecond));
}

TEST_F(frmSeleccionTest, OpeningTheChosenApplicationHandsItToTheOwner) {
    auto w = open();
    QSignalSpy loads(w.get(), &frmSeleccion::cargarSolicitud);
    bool hiddenWhileLoading = false;
    QObject::connect(w.get(), &frmSeleccion::cargarSolicitud, w.get(),
                     [&] { hiddenWhileLoading = !w->isVisible(); });
    w->cboSolicitudes()->chooseRow(1);
    EXPECT_EQ(w->cboSolicitudes()->text(), kSecond);
    QTest::mouseClick(w->cmdCargar(), Qt::LeftButton);

    ASSERT_EQ(loads.count(), 1);
    EXPECT_EQ(loads.at(0).at(0).toString(), kSecond);
    EXPECT_TRUE(hiddenWhileLoading);
    EXPECT_EQ(m_run.FicheroSolicitud, kSecond);
    EXPECT_EQ(w->eleccion(), frmSeleccion::Eleccion::Cargar);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(frmSeleccionTest, KeyboardAloneChoosesAndOpens) {
    auto w = open();
    QSignalSpy loads(w.get(), &frmSeleccion::cargarSolicitud);
    QLineEdit* field = w->cboSolicitudes()->lineEdit();
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(w->cboSolicitudes()->isPopupVisible());
    QTableView* view = w->cboSolicitudes()->popupView();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_FALSE(w->cboSolicitudes()->isPopupVisible());
    ASSERT_FALSE(w->ficheroElegido().isEmpty());
    const QString chosen = w->ficheroElegido();
    EXPECT_EQ(field->text(), chosen);
    QTest::keyClick(field, Qt::Key_Return); // the dialog's default button
    ASSERT_EQ(loads.count(), 1);
    EXPECT_EQ(loads.at(0).at(0).toString(), chosen);
}

TEST_F(frmSeleccionTest, DeletingRemovesTheApplicationsFilesAndListsTheFolderAgain) {
    auto w = open();
    QSignalSpy changed(w.get(), &frmSeleccion::solicitudesCambiadas);
    w->cboSolicitudes()->chooseRow(0);
    m_messages.enqueue(MessageAnswer::No);
    QTest::mouseClick(w->cmdBorrar(), Qt::LeftButton);
    ASSERT_EQ(m_messages.messages().size(), 1u);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("¿Desea borrar esta solicitud?"));
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Borrar"));
    EXPECT_EQ(m_messages.last().icon, MessageIcon::Question);
    EXPECT_EQ(m_messages.last().buttons, MessageButtons::YesNo);
    EXPECT_TRUE(exists(kFirst));
    EXPECT_EQ(changed.count(), 0);

    m_messages.enqueue(MessageAnswer::Yes);
    QTest::mouseClick(w->cmdBorrar(), Qt::LeftButton);
    EXPECT_FALSE(exists(kFirst));
    EXPECT_FALSE(exists(QStringLiteral("12345678Z_001010A.xml")));
    EXPECT_FALSE(exists(QStringLiteral("12345678Z_001010A.pdf")));
    EXPECT_TRUE(exists(kSecond));
    EXPECT_TRUE(exists(QStringLiteral("87654321X_001010A.doc")));

    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(w->cboSolicitudes()->rowCount(), 1);
    EXPECT_EQ(w->solicitudes()->textAt(0, 0), kSecond);
    EXPECT_TRUE(w->cboSolicitudes()->text().isEmpty());
    EXPECT_TRUE(m_run.FicheroSolicitud.isEmpty());
    EXPECT_TRUE(w->cmdCargar()->isEnabled());
    EXPECT_TRUE(w->isVisible());
}

TEST_F(frmSeleccionTest, AfterDeletingTheLastOnlyANewApplicationRemains) {
    auto w = open();
    deleteRow(*w, 0);
    deleteRow(*w, 0);
    EXPECT_EQ(w->solicitudes()->rowCount(), 0);
    EXPECT_FALSE(w->cboSolicitudes()->isEnabled());
    EXPECT_FALSE(w->cmdCargar()->isEnabled());
    EXPECT_FALSE(w->cmdBorrar()->isEnabled());
    EXPECT_TRUE(w->cmdNueva()->isEnabled());
    EXPECT_TRUE(w->cmdNueva()->isVisible());

    QSignalSpy news(w.get(), &frmSeleccion::solicitudNueva);
    m_run.FicheroSolicitud = QStringLiteral("resto");
    QTest::keyClick(w->cmdNueva(), Qt::Key_Space);
    EXPECT_EQ(news.count(), 1);
    EXPECT_TRUE(m_run.FicheroSolicitud.isEmpty());
    EXPECT_EQ(w->eleccion(), frmSeleccion::Eleccion::Nueva);
    EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST_F(frmSeleccionTest, BroughtBackFromTheFormItOffersNoNewApplication) {
    auto w = open(frmSeleccion::Modo::CargarOtra);
    EXPECT_FALSE(w->cmdNueva()->isVisible());
    EXPECT_EQ(w->cboSolicitudes()->rowCount(), 2);
    w->cboSolicitudes()->chooseRow(0);
    QSignalSpy loads(w.get(), &frmSeleccion::cargarSolicitud);
    QTest::mouseClick(w->cmdCargar(), Qt::LeftButton);
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(m_run.FicheroSolicitud, kFirst);

    // Once nothing is left to open, a new application is the way on.
    auto again = open(frmSeleccion::Modo::CargarOtra);
    deleteRow(*again, 0);
    EXPECT_FALSE(again->cmdNueva()->isVisible());
    deleteRow(*again, 0);
    EXPECT_TRUE(again->cmdNueva()->isVisible());
    EXPECT_FALSE(again->cmdCargar()->isEnabled());
}

TEST_F(frmSeleccionTest, ClosingWithoutAChoiceChoosesNothing) {
    auto w = open();
    w->cboSolicitudes()->chooseRow(0);
    QTest::keyClick(w->cmdCargar(), Qt::Key_Escape);
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(w->eleccion(), frmSeleccion::Eleccion::Ninguna);
    EXPECT_TRUE(m_run.FicheroSolicitud.isEmpty());
}

TEST_F(frmSeleccionTest, EveryFocusableControlHasASpanishName) {
    auto w = open();
    EXPECT_EQ(unnamedFocusableControls(*w), QStringList());
    const QStringList focusable = focusableControls(*w);
    for (const char* name : {"cmdCargar", "cmdBorrar", "cmdNueva"})
        EXPECT_TRUE(focusable.contains(QString::fromLatin1(name))) << name;
    deleteRow(*w, 0);
    deleteRow(*w, 0);
    EXPECT_EQ(unnamedFocusableControls(*w), QStringList());
}
