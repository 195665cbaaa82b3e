#include "form/FormControl.h"

#include <algorithm>

#include "form/ControlNames.h"

namespace velantor {
namespace {

FormControl text(QStringView name, const char* tag) {
    return {name.toString(), ControlKind::Text, QString::fromUtf8(tag)};
}
FormControl option(QStringView name, const char* tag) {
    return {name.toString(), ControlKind::Option, QString::fromUtf8(tag)};
}
FormControl combo(QStringView name, const char* tag) {
    return {name.toString(), ControlKind::Combo, QString::fromUtf8(tag)};
}

} // namespace

const std::vector<FormControl>& formControls() {
    static const std::vector<FormControl> controls{
        text(ctl::txtNombre, "NOMBRE"),
        text(ctl::txtApellido1, "PRIMERAPELLIDO"),
        text(ctl::txtApellido2, "SEGUNDOAPELLIDO"),
        text(ctl::txtDNI, "NDNI"),
        text(ctl::txtFecNacimiento, "FECHANACIMIENTO"),
        text(ctl::txtTelefono, "TELEFONO"),
        text(ctl::txtDomicilio, "DOMICILIO"),
        text(ctl::txtLocalidad, "LOCALIDAD"),
        combo(ctl::cboProvincia, "PROVINCIA"),
        text(ctl::txtCP, "CPOSTAL"),
        option(ctl::optDiscSi, "DISCAPACIDADSI"),
        option(ctl::optDiscNo, "DISCAPACIDADNO"),
        text(ctl::txtTipoDisc, "TIPODISCAPACIDAD"),
        text(ctl::txtAdaptaciones, "ADAPTACIONESPRECISAS"),
        combo(ctl::cboCuerpo, "CUERPOOESCALA"),
        combo(ctl::cboGrupo, "GRUPO"),
        text(ctl::txtNRP, "NUMEROREGISTRO"),
        text(ctl::txtFechaIngreso, "FECHAINGRESO"),
        option(ctl::optSSOndex, "ONDEX"),
        option(ctl::optSSOtros, "SSOTROS"),
        text(ctl::txtSS, "SSCUALOTROS"),
        option(ctl::optDefinitivo, "DEFINITIVO"),
        option(ctl::optTemporal, "TEMPORAL"),
        text(ctl::txtFecPosesion, "FECHAPOSESION"),
        text(ctl::txtPuesto, "INSTITUCION"),
        text(ctl::txtLocalidadPuesto, "LOCALIDADPUESTO"),
        text(ctl::txtProvinciaPuesto, "PROVINCIAPUESTO"),
        combo(ctl::cboProvinciasVrk, "PROVINCIAVrk"),
        combo(ctl::cboAreaVrk, "AREAVrk"),
        combo(ctl::SSOleDBCombo1, "ZBSVrk"),
        combo(ctl::cboZBSVrk, "ZBSVrk"),
        combo(ctl::cboLocalidadesVrk, "LOCALIDADVrk"),
        option(ctl::optActivo, "ACTIVO"),
        option(ctl::optOtras, "OTRAS"),
        text(ctl::txtSitAdm, "CUALOTRAS"),
        text(ctl::txtFechaSit, "FECHASIT"),
        text(ctl::txtProvAct, "PROVINCIAACT"),
        text(ctl::txtZBSAct, "ZBSACT"),
        text(ctl::txtInstiAct, "INSTITUCIONACT"),
        option(ctl::optVoluntario, "VOLUNTARIO"),
        option(ctl::optForzoso, "FORZOSO"),
        option(ctl::optReingesoSi, "REINGRESOSI"),
        option(ctl::optReingresoNo, "REINGRESONO"),
        option(ctl::optPetConyugeSi, "SEACOMPAÑAPETICIONSI"),
        option(ctl::optPetConyugeNo, "SEACOMPAÑAPETICIONNO"),
        text(ctl::txtDNIConyuge, "NDNICONYUGE"),
        text(ctl::txtConyuNombre, "CONYUNOMBRE"),
        text(ctl::txtConyuApellido1, "CONYUPRIMERAPELLIDO"),
        text(ctl::txtCOnyuApellido2, "CONYUSEGUNDOAPELLIDO"),
        combo(ctl::cboPrefLocalidad, "LOCALIDADPREFERENCIA"),
        combo(ctl::cboPrefProvincia, "ZBSPREFERENCIA"),
        combo(ctl::cboPrefArea, "AREAPREFERENCIA"),
    };
    return controls;
}

const FormControl* findFormControl(QStringView name) {
    const auto& controls = formControls();
    const auto it = std::find_if(controls.begin(), controls.end(),
                                 [&](const FormControl& c) { return c.name == name; });
    return it == controls.end() ? nullptr : &*it;
}

const std::vector<FormControl>& untaggedDataControls() {
    static const std::vector<FormControl> controls{
        option(ctl::OptSi, ""),
        option(ctl::OptNo, ""),
        combo(ctl::cboSituaciones, ""),
    };
    return controls;
}

} // namespace velantor
