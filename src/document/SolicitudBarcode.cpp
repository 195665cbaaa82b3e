#include "document/SolicitudBarcode.h"

#include "form/SolicitudDatos.h"
#include "form/ControlNames.h"

namespace velantor {

barcode::BarcodeRecordInput barcodeRecordInput(const SolicitudDatos& d) {
    barcode::BarcodeRecordInput in;
    in.optForzoso = d.option(ctl::optForzoso);
    in.optPetConyugeSi = d.option(ctl::optPetConyugeSi);
    in.txtDNIConyuge = d.text(ctl::txtDNIConyuge);
    in.txtConyuApellido1 = d.text(ctl::txtConyuApellido1);
    in.txtCOnyuApellido2 = d.text(ctl::txtCOnyuApellido2);
    in.txtConyuNombre = d.text(ctl::txtConyuNombre);
    in.optReingesoSi = d.option(ctl::optReingesoSi);

    in.txtApellido1 = d.text(ctl::txtApellido1);
    in.txtApellido2 = d.text(ctl::txtApellido2);
    in.txtNombre = d.text(ctl::txtNombre);
    in.txtDNI = d.text(ctl::txtDNI);
    in.txtFecNacimiento = d.text(ctl::txtFecNacimiento);
    in.txtTelefono = d.text(ctl::txtTelefono);
    in.optDiscSi = d.option(ctl::optDiscSi);
    in.txtTipoDisc = d.text(ctl::txtTipoDisc);
    in.txtAdaptaciones = d.text(ctl::txtAdaptaciones);
    in.txtDomicilio = d.text(ctl::txtDomicilio);
    in.txtLocalidad = d.text(ctl::txtLocalidad);
    in.cboProvincia = d.text(ctl::cboProvincia);
    in.txtCP = d.text(ctl::txtCP);

    in.cboCuerpo = d.text(ctl::cboCuerpo);
    in.cuerpoGrupo = d.bodyGroup;
    in.cboGrupo = d.text(ctl::cboGrupo);
    in.txtNRP = d.text(ctl::txtNRP);
    in.txtFechaIngreso = d.text(ctl::txtFechaIngreso);
    in.optActivo = d.option(ctl::optActivo);
    in.situacionEsOtras = d.situationEsOtras;
    in.situacionNombre = d.situationName;
    in.txtSitAdm = d.text(ctl::txtSitAdm);
    in.txtFechaSit = d.text(ctl::txtFechaSit);
    in.OptNo = d.option(ctl::OptNo);
    in.optSSOndex = d.option(ctl::optSSOndex);
    in.txtSS = d.text(ctl::txtSS);
    in.optDefinitivo = d.option(ctl::optDefinitivo);
    in.txtPuesto = d.text(ctl::txtPuesto);
    in.txtLocalidadPuesto = d.text(ctl::txtLocalidadPuesto);
    in.txtProvinciaPuesto = d.text(ctl::txtProvinciaPuesto);
    in.txtFecPosesion = d.text(ctl::txtFecPosesion);
    in.txtInstiAct = d.text(ctl::txtInstiAct);
    in.txtZBSAct = d.text(ctl::txtZBSAct);
    in.txtProvAct = d.text(ctl::txtProvAct);
    return in;
}

} // namespace velantor
