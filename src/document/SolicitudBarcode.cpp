#include "document/SolicitudBarcode.h"

#include "form/SolicitudDatos.h"

namespace velantor {

barcode::BarcodeRecordInput barcodeRecordInput(const SolicitudDatos& d) {
    barcode::BarcodeRecordInput in;
    in.optForzoso = d.option(u"optForzoso");
    in.optPetConyugeSi = d.option(u"optPetConyugeSi");
    in.txtDNIConyuge = d.text(u"txtDNIConyuge");
    in.txtConyuApellido1 = d.text(u"txtConyuApellido1");
    in.txtCOnyuApellido2 = d.text(u"txtCOnyuApellido2");
    in.txtConyuNombre = d.text(u"txtConyuNombre");
    in.optReingesoSi = d.option(u"optReingesoSi");

    in.txtApellido1 = d.text(u"txtApellido1");
    in.txtApellido2 = d.text(u"txtApellido2");
    in.txtNombre = d.text(u"txtNombre");
    in.txtDNI = d.text(u"txtDNI");
    in.txtFecNacimiento = d.text(u"txtFecNacimiento");
    in.txtTelefono = d.text(u"txtTelefono");
    in.optDiscSi = d.option(u"optDiscSi");
    in.txtTipoDisc = d.text(u"txtTipoDisc");
    in.txtAdaptaciones = d.text(u"txtAdaptaciones");
    in.txtDomicilio = d.text(u"txtDomicilio");
    in.txtLocalidad = d.text(u"txtLocalidad");
    in.cboProvincia = d.text(u"cboProvincia");
    in.txtCP = d.text(u"txtCP");

    in.cboCuerpo = d.text(u"cboCuerpo");
    in.cuerpoGrupo = d.bodyGroup;
    in.cboGrupo = d.text(u"cboGrupo");
    in.txtNRP = d.text(u"txtNRP");
    in.txtFechaIngreso = d.text(u"txtFechaIngreso");
    in.optActivo = d.option(u"optActivo");
    in.situacionEsOtras = d.situationEsOtras;
    in.situacionNombre = d.situationName;
    in.txtSitAdm = d.text(u"txtSitAdm");
    in.txtFechaSit = d.text(u"txtFechaSit");
    in.OptNo = d.option(u"OptNo");
    in.optSSOndex = d.option(u"optSSOndex");
    in.txtSS = d.text(u"txtSS");
    in.optDefinitivo = d.option(u"optDefinitivo");
    in.txtPuesto = d.text(u"txtPuesto");
    in.txtLocalidadPuesto = d.text(u"txtLocalidadPuesto");
    in.txtProvinciaPuesto = d.text(u"txtProvinciaPuesto");
    in.txtFecPosesion = d.text(u"txtFecPosesion");
    in.txtInstiAct = d.text(u"txtInstiAct");
    in.txtZBSAct = d.text(u"txtZBSAct");
    in.txtProvAct = d.text(u"txtProvAct");
    return in;
}

} // namespace velantor
