#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include "FormFixture.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

// A caption is clipped when its widget got less room than its text needs.
QStringList clippedCaptions(QWidget* page) {
    QStringList clipped;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (label->isVisibleTo(page) && !label->wordWrap() &&
            label->width() < label->minimumSizeHint().width())
            clipped << label->text();
    }
    for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(page) && !button->text().isEmpty() &&
            button->width() < button->minimumSizeHint().width())
            clipped << button->text();
    }
    return clipped;
}

} // namespace

// Every tab at the window's usual size shows its captions whole.
TEST(FormLayout, NoCaptionIsClippedOnAnyTab) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    w.view().setChecked(u"optDiscSi", true);
    w.view().setChecked(u"optPetConyugeSi", true);
    w.view().setChecked(u"optOtras", true);
    w.view().setChecked(u"OptSi", true);
    w.view().setChecked(u"optDefinitivo", true);
    w.view().setChecked(u"optSSOtros", true);
    w.resize(1320, 900);
    for (int tab = 0; tab < w.tabs()->count(); ++tab) {
        w.tabs()->setCurrentIndex(tab);
        f.settle();
        const QStringList clipped = clippedCaptions(w.tabs()->widget(tab));
        EXPECT_TRUE(clipped.isEmpty())
            << "tab " << tab << ": " << clipped.join(QStringLiteral(" | ")).toStdString();
    }
}

TEST(FormLayout, EveryDesignNamedControlExists) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    const char* const names[] = {"tabPrincipal",
                                 "Frame1",
                                 "fraForzVol",
                                 "optVoluntario",
                                 "optForzoso",
                                 "fraAcopPetConyu",
                                 "optPetConyugeSi",
                                 "optPetConyugeNo",
                                 "fraDNIConyuge",
                                 "txtDNIConyuge",
                                 "txtConyuNombre",
                                 "txtConyuApellido1",
                                 "txtCOnyuApellido2",
                                 "fraReingreso",
                                 "optReingesoSi",
                                 "optReingresoNo",
                                 "fraPreferencia",
                                 "cboPrefArea",
                                 "cboPrefProvincia",
                                 "cboPrefLocalidad",
                                 "fraPersonales",
                                 "txtApellido1",
                                 "txtApellido2",
                                 "txtNombre",
                                 "txtDNI",
                                 "txtFecNacimiento",
                                 "txtTelefono",
                                 "txtDomicilio",
                                 "txtLocalidad",
                                 "cboProvincia",
                                 "txtCP",
                                 "Frame2",
                                 "optDiscSi",
                                 "optDiscNo",
                                 "lblTipoDis",
                                 "txtTipoDisc",
                                 "lblAdap",
                                 "txtAdaptaciones",
                                 "fraProfesionales",
                                 "cboCuerpo",
                                 "cboGrupo",
                                 "txtNRP",
                                 "txtFechaIngreso",
                                 "Frame9",
                                 "txtProvAct",
                                 "txtZBSAct",
                                 "txtInstiAct",
                                 "fraSitAdmva",
                                 "optActivo",
                                 "optOtras",
                                 "cboSituaciones",
                                 "txtSitAdm",
                                 "lblFechaSit",
                                 "txtFechaSit",
                                 "OptSi",
                                 "OptNo",
                                 "lblPosesion",
                                 "txtFecPosesion",
                                 "fraDefTemp",
                                 "optDefinitivo",
                                 "optTemporal",
                                 "Frame7",
                                 "optSSOndex",
                                 "optSSOtros",
                                 "txtSS",
                                 "Frame3",
                                 "cboProvinciasVrk",
                                 "cboAreaVrk",
                                 "cboZBSVrk",
                                 "cboLocalidadesVrk",
                                 "txtPuesto",
                                 "txtProvinciaPuesto",
                                 "txtLocalidadPuesto",
                                 "grdCursos",
                                 "Frame4",
                                 "txtCurso",
                                 "txtHoras",
                                 "txtAno",
                                 "txtCentro",
                                 "txtIdCurso",
                                 "cmdAdd",
                                 "cmdUpdate",
                                 "cmdDel",
                                 "cmdAceptar",
                                 "cmdCancelar",
                                 "lblCat",
                                 "grdVacantes",
                                 "Frame5",
                                 "txtOrdenVacante",
                                 "cboPuestoVacante",
                                 "txtCodVacante",
                                 "txtDescVacantes",
                                 "txtIdSolicitudVacantes",
                                 "cboProvinciaVacantes",
                                 "cboLocalidadVacantes",
                                 "cboConsejeriaVacantes",
                                 "cboAreasVacantes",
                                 "cboZonasVacantes",
                                 "lblPlazas",
                                 "SSOleDBCombo1",
                                 "cmdAddVacante",
                                 "cmdUpdateVacante",
                                 "cmdDelVacante",
                                 "cmdTodasVacantes",
                                 "cmdAceptarVacante",
                                 "cmdCancelarVacante",
                                 "grdResultas",
                                 "Frame6",
                                 "txtOrdenResultas",
                                 "cboPuestoResultas",
                                 "txtCodResulta",
                                 "txtDescResultas",
                                 "txtIdSolicitudResultas",
                                 "cboProvinciaResultas",
                                 "cboLocalidadResultas",
                                 "cboConsejeriaResultas",
                                 "cboAreasResultas",
                                 "cboZonasResultas",
                                 "cmdAddResultas",
                                 "cmdUpdateResultas",
                                 "cmdDelResultas",
                                 "cmdInsertaTodasResultas",
                                 "cmdAceptarResultas",
                                 "cmdCancelarResultas",
                                 "grdDocumentos",
                                 "Frame8",
                                 "txtDoc",
                                 "txtNumHoras",
                                 "txtFechaFin",
                                 "txtCentroFormacion",
                                 "txtIdDoc",
                                 "cmdAddDoc",
                                 "cmdModDoc",
                                 "cmdDelDoc",
                                 "cmdAceptarDoc",
                                 "cmdCancelarDoc",
                                 "lblGrid0",
                                 "lblGrid4"};
    for (const char* name : names) {
        QWidget* widget = w.control(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->objectName(), QString::fromLatin1(name));
        EXPECT_EQ(w.findChild<QWidget*>(QString::fromLatin1(name)), widget)
            << name << " is inside the window";
    }
    EXPECT_EQ(w.findChild<QTimer*>(QStringLiteral("Timer1")), w.printTimer());
    EXPECT_NE(w.findChild<QObject*>(QStringLiteral("Timer2")), nullptr);
}
