#include "form/FormControl.h"

#include <algorithm>

namespace velantor {
namespace {

FormControl text(const char* name, const char* tag) {
    return {QString::fromLatin1(name), ControlKind::Text, QString::fromUtf8(tag)};
}
FormControl option(const char* name, const char* tag) {
    return {QString::fromLatin1(name), ControlKind::Option, QString::fromUtf8(tag)};
}
FormControl combo(const char* name, const char* tag) {
    return {QString::fromLatin1(name), ControlKind::Combo, QString::fromUtf8(tag)};
}

} // namespace

const std::vector<FormControl>& formControls() {
    static const std::vector<FormControl> controls{
        text("txtNombre", "NOMBRE"),
        text("txtApellido1", "PRIMERAPELLIDO"),
        text("txtApellido2", "SEGUNDOAPELLIDO"),
        text("txtDNI", "NDNI"),
        text("txtFecNacimiento", "FECHANACIMIENTO"),
        text("txtTelefono", "TELEFONO"),
        text("txtDomicilio", "DOMICILIO"),
        text("txtLocalidad", "LOCALIDAD"),
        combo("cboProvincia", "PROVINCIA"),
        text("txtCP", "CPOSTAL"),
        option("optDiscSi", "DISCAPACIDADSI"),
        option("optDiscNo", "DISCAPACIDADNO"),
        text("txtTipoDisc", "TIPODISCAPACIDAD"),
        text("txtAdaptaciones", "ADAPTACIONESPRECISAS"),
        combo("cboCuerpo", "CUERPOOESCALA"),
        combo("cboGrupo", "GRUPO"),
        text("txtNRP", "NUMEROREGISTRO"),
        text("txtFechaIngreso", "FECHAINGRESO"),
        option("optSSOndex", "ONDEX"),
        option("optSSOtros", "SSOTROS"),
        text("txtSS", "SSCUALOTROS"),
        option("optDefinitivo", "DEFINITIVO"),
        option("optTemporal", "TEMPORAL"),
        text("txtFecPosesion", "FECHAPOSESION"),
        text("txtPuesto", "INSTITUCION"),
        text("txtLocalidadPuesto", "LOCALIDADPUESTO"),
        text("txtProvinciaPuesto", "PROVINCIAPUESTO"),
        combo("cboProvinciasVrk", "PROVINCIAVrk"),
        combo("cboAreaVrk", "AREAVrk"),
        combo("SSOleDBCombo1", "ZBSVrk"),
        combo("cboZBSVrk", "ZBSVrk"),
        combo("cboLocalidadesVrk", "LOCALIDADVrk"),
        option("optActivo", "ACTIVO"),
        option("optOtras", "OTRAS"),
        text("txtSitAdm", "CUALOTRAS"),
        text("txtFechaSit", "FECHASIT"),
        text("txtProvAct", "PROVINCIAACT"),
        text("txtZBSAct", "ZBSACT"),
        text("txtInstiAct", "INSTITUCIONACT"),
        option("optVoluntario", "VOLUNTARIO"),
        option("optForzoso", "FORZOSO"),
        option("optReingesoSi", "REINGRESOSI"),
        option("optReingresoNo", "REINGRESONO"),
        option("optPetConyugeSi", "SEACOMPAÑAPETICIONSI"),
        option("optPetConyugeNo", "SEACOMPAÑAPETICIONNO"),
        text("txtDNIConyuge", "NDNICONYUGE"),
        text("txtConyuNombre", "CONYUNOMBRE"),
        text("txtConyuApellido1", "CONYUPRIMERAPELLIDO"),
        text("txtCOnyuApellido2", "CONYUSEGUNDOAPELLIDO"),
        combo("cboPrefLocalidad", "LOCALIDADPREFERENCIA"),
        combo("cboPrefProvincia", "ZBSPREFERENCIA"),
        combo("cboPrefArea", "AREAPREFERENCIA"),
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
        option("OptSi", ""),
        option("OptNo", ""),
        combo("cboSituaciones", ""),
    };
    return controls;
}

} // namespace velantor
