// The order in which the Tab key walks the controls of each tab.
#include "form/ui/frmSolicitudes.h"

namespace velantor {
namespace {

// The Tab key goes from each named control to the next; names the window lacks are skipped.
template <class Names> void chainTabOrder(const frmSolicitudes& window, const Names& names) {
    QWidget* previous = nullptr;
    for (const char* name : names) {
        QWidget* next = window.control(QString::fromLatin1(name));
        if (previous && next)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

} // namespace

void frmSolicitudes::setTabOrder0() {
    const char* const order[] = {"txtApellido1",
                                 "txtApellido2",
                                 "txtNombre",
                                 "txtDNI",
                                 "txtFecNacimiento",
                                 "txtTelefono",
                                 "txtDomicilio",
                                 "txtLocalidad",
                                 "cboProvincia",
                                 "txtCP",
                                 "optDiscSi",
                                 "optDiscNo",
                                 "txtTipoDisc",
                                 "txtAdaptaciones",
                                 "optVoluntario",
                                 "optForzoso",
                                 "optReingesoSi",
                                 "optReingresoNo",
                                 "optPetConyugeSi",
                                 "optPetConyugeNo",
                                 "txtDNIConyuge",
                                 "txtConyuNombre",
                                 "txtConyuApellido1",
                                 "txtCOnyuApellido2",
                                 "cboPrefArea",
                                 "cboPrefProvincia",
                                 "cboPrefLocalidad",
                                 "cboCuerpo",
                                 "cboGrupo",
                                 "txtNRP",
                                 "txtFechaIngreso",
                                 "txtProvAct",
                                 "txtZBSAct",
                                 "txtInstiAct",
                                 "optActivo",
                                 "optOtras",
                                 "cboSituaciones",
                                 "txtSitAdm",
                                 "txtFechaSit",
                                 "OptSi",
                                 "OptNo",
                                 "optSSOndex",
                                 "optSSOtros",
                                 "txtSS",
                                 "cboProvinciasVrk",
                                 "cboAreaVrk",
                                 "cboZBSVrk",
                                 "cboLocalidadesVrk",
                                 "txtPuesto",
                                 "txtProvinciaPuesto",
                                 "txtLocalidadPuesto",
                                 "optDefinitivo",
                                 "optTemporal",
                                 "txtFecPosesion"};
    chainTabOrder(*this, order);
}

void frmSolicitudes::setListTabOrder() {
    const QList<QList<const char*>> tabs{
        {"grdCursos", "cmdAdd", "cmdUpdate", "cmdDel", "txtCurso", "txtHoras", "txtAno", "txtCentro",
         "cmdAceptar", "cmdCancelar"},
        {"grdVacantes", "cmdAddVacante", "cmdUpdateVacante", "cmdDelVacante", "cmdTodasVacantes",
         "txtOrdenVacante", "cboPuestoVacante", "txtCodVacante", "cboProvinciaVacantes",
         "cboLocalidadVacantes", "cboConsejeriaVacantes", "cboAreasVacantes", "cboZonasVacantes",
         "cmdAceptarVacante", "cmdCancelarVacante"},
        {"grdResultas", "cmdAddResultas", "cmdUpdateResultas", "cmdDelResultas", "cmdInsertaTodasResultas",
         "txtOrdenResultas", "cboPuestoResultas", "txtCodResulta", "cboProvinciaResultas",
         "cboLocalidadResultas", "cboConsejeriaResultas", "cboAreasResultas", "cboZonasResultas",
         "cmdAceptarResultas", "cmdCancelarResultas"},
        {"grdDocumentos", "cmdAddDoc", "cmdModDoc", "cmdDelDoc", "txtDoc", "txtNumHoras", "txtFechaFin",
         "txtCentroFormacion", "cmdAceptarDoc", "cmdCancelarDoc"},
    };
    for (const auto& order : tabs)
        chainTabOrder(*this, order);
}

} // namespace velantor
