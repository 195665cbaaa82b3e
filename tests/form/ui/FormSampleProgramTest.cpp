#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "SampleProgram.h"
#include "catalogues/Catalogues.h"
#include "catalogues/ListBindings.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "form/FormView.h"
#include "catalogues/ApplicationTables.h"
#include "form/ui/frmSolicitudes.h"
#include "platform/MessageService.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "support/PictureSize.h"

using namespace velantor;
using velantor::testing::SampleProgram;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

// The form over the catalogues and configuration that ship with the program. With
// VELANTOR_SCREENSHOT_DIR set, a picture of each tab is written there (form-tabN.png).
TEST(FormSampleProgram, OpensWithTheShippedCataloguesAndConfiguration) {
    SampleProgram sample;
    ASSERT_TRUE(sample.ok);
    Result<ConfiguracionSolicitud> conf = leerConfiguracion(sample.folder.path());
    ASSERT_TRUE(conf.has_value()) << conf.error().description.toStdString();
    frmSolicitudes w(catalogues::SearchTables::fromCatalogues(sample.loaded),
                     workingTablesOf(sample.loaded), *conf, sample.messages, sample.folder.path());
    velantor::testing::giveCheckingSize(w);
    w.show();

    EXPECT_EQ(w.tabs()->tabText(4), conf->tabs[4].tituloTab);
    DataCombo* bodies = w.combo(u"cboCuerpo");
    ASSERT_GT(bodies->rowCount(), 0);
    const int group = sample.loaded.rsCuerpos->fieldIndex(u"Grupo");
    for (int row = 0; row < bodies->rowCount(); ++row)
        EXPECT_NE(sample.loaded.rsCuerpos->textAt(row, group), u8("X"));
    EXPECT_GT(w.combo(u"cboProvincia")->rowCount(), 0);
    EXPECT_GT(w.combo(u"cboSituaciones")->rowCount(), 0);
    EXPECT_GT(w.combo(u"cboAreasVacantes")->rowCount(), 0);
    EXPECT_GT(w.combo(u"cboZBSVrk")->rowCount(), 0);

    // A filled-in application for the pictures.
    FormView& v = w.view();
    v.setText(u"txtApellido1", u8("García"));
    v.setText(u"txtApellido2", u8("López"));
    v.setText(u"txtNombre", u8("Lucía"));
    v.setText(u"txtDNI", u8("12345678Z"));
    v.setText(u"txtFecNacimiento", u8("14/03/1979"));
    v.setChecked(u"optVoluntario", true);
    v.setChecked(u"optPetConyugeNo", true);
    v.setChecked(u"optDiscNo", true);
    v.setChecked(u"optActivo", true);
    v.setChecked(u"OptSi", true);
    v.setChecked(u"optSSOndex", true);
    v.setChecked(u"optDefinitivo", true);
    v.setText(u"txtFecPosesion", u8("01/06/2015"));
    bodies->chooseRow(0);
    v.setText(u"cboGrupo", bodies->column(2));
    const TablePtr& courses = sample.loaded.working.cursos;
    const char* rows[][4] = {{"Soporte vital avanzado", "20", "2019", "Escuela de Ciencias de la Salud"},
                             {"Gestión de la calidad asistencial", "40", "2021", "Universidad"}};
    for (const auto& row : rows) {
        courses->addRow();
        courses->setText(u"Curso", u8(row[0]));
        courses->setText(u"NHoras", u8(row[1]));
        courses->setText(u"Ano", u8(row[2]));
        courses->setText(u"Centro", u8(row[3]));
        courses->setNumber(u"IdCurso", courses->totalRowCount() - 1);
    }
    const QString pictures = qEnvironmentVariable("VELANTOR_SCREENSHOT_DIR");
    for (int tab = 0; tab < w.tabs()->count(); ++tab) {
        w.tabs()->setCurrentIndex(tab);
        EXPECT_EQ(w.tabs()->currentIndex(), tab);
        if (!pictures.isEmpty()) {
            QApplication::processEvents(); // the shown tab's layout settles first
            EXPECT_TRUE(w.grab().save(QDir(pictures).filePath(QStringLiteral("form-tab%1.png").arg(tab))));
        }
    }
    EXPECT_TRUE(sample.messages.empty());
    sample.messages.enqueue(MessageAnswer::No);
    w.close();
}
