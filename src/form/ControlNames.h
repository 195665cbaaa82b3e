#pragma once

#include <QString>
#include <QStringView>

namespace velantor::ctl {

// The names of the application form's controls, as the window names its widgets, the rules
// address them through FormView and the document's tags and the barcode record follow them.
// Spelt once here, so a misspelt name is a compile error and not a silent miss; the odd
// spellings ("txtCOnyuApellido2", "optReingesoSi") are the names stored documents carry.

inline constexpr char16_t Frame1[] = u"Frame1";
inline constexpr char16_t Frame2[] = u"Frame2";
inline constexpr char16_t Frame3[] = u"Frame3";
inline constexpr char16_t Frame4[] = u"Frame4";
inline constexpr char16_t Frame5[] = u"Frame5";
inline constexpr char16_t Frame6[] = u"Frame6";
inline constexpr char16_t Frame7[] = u"Frame7";
inline constexpr char16_t Frame8[] = u"Frame8";
inline constexpr char16_t Frame9[] = u"Frame9";
inline constexpr char16_t OptNo[] = u"OptNo";
inline constexpr char16_t SSOleDBCombo1[] = u"SSOleDBCombo1";
inline constexpr char16_t OptSi[] = u"OptSi";
// The hidden, unbound zone list of the vacancies tab; it shares the zone field with cboZBSVrk.
inline constexpr char16_t cboAreaVrk[] = u"cboAreaVrk";
inline constexpr char16_t cboAreasResultas[] = u"cboAreasResultas";
inline constexpr char16_t cboAreasVacantes[] = u"cboAreasVacantes";
inline constexpr char16_t cboConsejeriaResultas[] = u"cboConsejeriaResultas";
inline constexpr char16_t cboConsejeriaVacantes[] = u"cboConsejeriaVacantes";
inline constexpr char16_t cboCuerpo[] = u"cboCuerpo";
inline constexpr char16_t cboGrupo[] = u"cboGrupo";
inline constexpr char16_t cboLocalidadResultas[] = u"cboLocalidadResultas";
inline constexpr char16_t cboLocalidadVacantes[] = u"cboLocalidadVacantes";
inline constexpr char16_t cboLocalidadesVrk[] = u"cboLocalidadesVrk";
inline constexpr char16_t cboPrefArea[] = u"cboPrefArea";
inline constexpr char16_t cboPrefLocalidad[] = u"cboPrefLocalidad";
inline constexpr char16_t cboPrefProvincia[] = u"cboPrefProvincia";
inline constexpr char16_t cboProvincia[] = u"cboProvincia";
inline constexpr char16_t cboProvinciaResultas[] = u"cboProvinciaResultas";
inline constexpr char16_t cboProvinciaVacantes[] = u"cboProvinciaVacantes";
inline constexpr char16_t cboProvinciasVrk[] = u"cboProvinciasVrk";
inline constexpr char16_t cboPuestoResultas[] = u"cboPuestoResultas";
inline constexpr char16_t cboPuestoVacante[] = u"cboPuestoVacante";
inline constexpr char16_t cboSituaciones[] = u"cboSituaciones";
inline constexpr char16_t cboZBSVrk[] = u"cboZBSVrk";
inline constexpr char16_t cboZonasResultas[] = u"cboZonasResultas";
inline constexpr char16_t cboZonasVacantes[] = u"cboZonasVacantes";
inline constexpr char16_t cmdAceptar[] = u"cmdAceptar";
inline constexpr char16_t cmdAceptarDoc[] = u"cmdAceptarDoc";
inline constexpr char16_t cmdAceptarResultas[] = u"cmdAceptarResultas";
inline constexpr char16_t cmdAceptarVacante[] = u"cmdAceptarVacante";
inline constexpr char16_t cmdAdd[] = u"cmdAdd";
inline constexpr char16_t cmdAddDoc[] = u"cmdAddDoc";
inline constexpr char16_t cmdAddResultas[] = u"cmdAddResultas";
inline constexpr char16_t cmdAddVacante[] = u"cmdAddVacante";
inline constexpr char16_t cmdCancelar[] = u"cmdCancelar";
inline constexpr char16_t cmdCancelarDoc[] = u"cmdCancelarDoc";
inline constexpr char16_t cmdDel[] = u"cmdDel";
inline constexpr char16_t cmdDelDoc[] = u"cmdDelDoc";
inline constexpr char16_t cmdDelResultas[] = u"cmdDelResultas";
inline constexpr char16_t cmdDelVacante[] = u"cmdDelVacante";
inline constexpr char16_t cmdInsertaTodasResultas[] = u"cmdInsertaTodasResultas";
inline constexpr char16_t cmdModDoc[] = u"cmdModDoc";
inline constexpr char16_t cmdTodasVacantes[] = u"cmdTodasVacantes";
inline constexpr char16_t cmdUpdate[] = u"cmdUpdate";
inline constexpr char16_t cmdUpdateResultas[] = u"cmdUpdateResultas";
inline constexpr char16_t cmdUpdateVacante[] = u"cmdUpdateVacante";
inline constexpr char16_t fraAcopPetConyu[] = u"fraAcopPetConyu";
inline constexpr char16_t fraDNIConyuge[] = u"fraDNIConyuge";
inline constexpr char16_t fraDefTemp[] = u"fraDefTemp";
inline constexpr char16_t fraDemarcacionResultas[] = u"fraDemarcacionResultas";
inline constexpr char16_t fraDemarcacionVacantes[] = u"fraDemarcacionVacantes";
inline constexpr char16_t fraForzVol[] = u"fraForzVol";
inline constexpr char16_t fraPersonales[] = u"fraPersonales";
inline constexpr char16_t fraPreferencia[] = u"fraPreferencia";
inline constexpr char16_t fraProfesionales[] = u"fraProfesionales";
inline constexpr char16_t fraPuestoTrabajo[] = u"fraPuestoTrabajo";
inline constexpr char16_t fraReingreso[] = u"fraReingreso";
inline constexpr char16_t fraSitAdmva[] = u"fraSitAdmva";
inline constexpr char16_t grdCursos[] = u"grdCursos";
inline constexpr char16_t grdDocumentos[] = u"grdDocumentos";
inline constexpr char16_t grdResultas[] = u"grdResultas";
inline constexpr char16_t grdVacantes[] = u"grdVacantes";
inline constexpr char16_t lblAdap[] = u"lblAdap";
inline constexpr char16_t lblCat[] = u"lblCat";
inline constexpr char16_t lblFechaSit[] = u"lblFechaSit";
inline constexpr char16_t lblPlazas[] = u"lblPlazas";
inline constexpr char16_t lblPosesion[] = u"lblPosesion";
inline constexpr char16_t lblSituacion[] = u"lblSituacion";
inline constexpr char16_t lblTipoDis[] = u"lblTipoDis";
inline constexpr char16_t mnuP[] = u"mnuP";
inline constexpr char16_t mnuP1000[] = u"mnuP1000";
inline constexpr char16_t mnuP2000[] = u"mnuP2000";
inline constexpr char16_t mnuP2500[] = u"mnuP2500";
inline constexpr char16_t optActivo[] = u"optActivo";
inline constexpr char16_t optDefinitivo[] = u"optDefinitivo";
inline constexpr char16_t optDiscNo[] = u"optDiscNo";
inline constexpr char16_t optDiscSi[] = u"optDiscSi";
inline constexpr char16_t optForzoso[] = u"optForzoso";
inline constexpr char16_t optOtras[] = u"optOtras";
inline constexpr char16_t optPetConyugeNo[] = u"optPetConyugeNo";
inline constexpr char16_t optPetConyugeSi[] = u"optPetConyugeSi";
inline constexpr char16_t optReingesoSi[] = u"optReingesoSi";
inline constexpr char16_t optReingresoNo[] = u"optReingresoNo";
inline constexpr char16_t optSSOndex[] = u"optSSOndex";
inline constexpr char16_t optSSOtros[] = u"optSSOtros";
inline constexpr char16_t optTemporal[] = u"optTemporal";
inline constexpr char16_t optVoluntario[] = u"optVoluntario";
inline constexpr char16_t tabPrincipal[] = u"tabPrincipal";
inline constexpr char16_t txtAdaptaciones[] = u"txtAdaptaciones";
inline constexpr char16_t txtAno[] = u"txtAno";
inline constexpr char16_t txtApellido1[] = u"txtApellido1";
inline constexpr char16_t txtApellido2[] = u"txtApellido2";
inline constexpr char16_t txtCOnyuApellido2[] = u"txtCOnyuApellido2";
inline constexpr char16_t txtCP[] = u"txtCP";
inline constexpr char16_t txtCentro[] = u"txtCentro";
inline constexpr char16_t txtCentroFormacion[] = u"txtCentroFormacion";
inline constexpr char16_t txtCodResulta[] = u"txtCodResulta";
inline constexpr char16_t txtCodVacante[] = u"txtCodVacante";
inline constexpr char16_t txtConyuApellido1[] = u"txtConyuApellido1";
inline constexpr char16_t txtConyuNombre[] = u"txtConyuNombre";
inline constexpr char16_t txtCurso[] = u"txtCurso";
inline constexpr char16_t txtDNI[] = u"txtDNI";
inline constexpr char16_t txtDNIConyuge[] = u"txtDNIConyuge";
inline constexpr char16_t txtDescResultas[] = u"txtDescResultas";
inline constexpr char16_t txtDescVacantes[] = u"txtDescVacantes";
inline constexpr char16_t txtDoc[] = u"txtDoc";
inline constexpr char16_t txtDomicilio[] = u"txtDomicilio";
inline constexpr char16_t txtFecNacimiento[] = u"txtFecNacimiento";
inline constexpr char16_t txtFecPosesion[] = u"txtFecPosesion";
inline constexpr char16_t txtFechaFin[] = u"txtFechaFin";
inline constexpr char16_t txtFechaIngreso[] = u"txtFechaIngreso";
inline constexpr char16_t txtFechaSit[] = u"txtFechaSit";
inline constexpr char16_t txtHoras[] = u"txtHoras";
inline constexpr char16_t txtIdCurso[] = u"txtIdCurso";
inline constexpr char16_t txtIdDoc[] = u"txtIdDoc";
inline constexpr char16_t txtIdSolicitudResultas[] = u"txtIdSolicitudResultas";
inline constexpr char16_t txtIdSolicitudVacantes[] = u"txtIdSolicitudVacantes";
inline constexpr char16_t txtInstiAct[] = u"txtInstiAct";
inline constexpr char16_t txtLocalidad[] = u"txtLocalidad";
inline constexpr char16_t txtLocalidadPuesto[] = u"txtLocalidadPuesto";
inline constexpr char16_t txtNRP[] = u"txtNRP";
inline constexpr char16_t txtNombre[] = u"txtNombre";
inline constexpr char16_t txtNumHoras[] = u"txtNumHoras";
inline constexpr char16_t txtOrdenResultas[] = u"txtOrdenResultas";
inline constexpr char16_t txtOrdenVacante[] = u"txtOrdenVacante";
inline constexpr char16_t txtProvAct[] = u"txtProvAct";
inline constexpr char16_t txtProvinciaPuesto[] = u"txtProvinciaPuesto";
inline constexpr char16_t txtPuesto[] = u"txtPuesto";
inline constexpr char16_t txtSS[] = u"txtSS";
inline constexpr char16_t txtSitAdm[] = u"txtSitAdm";
inline constexpr char16_t txtTelefono[] = u"txtTelefono";
inline constexpr char16_t txtTipoDisc[] = u"txtTipoDisc";
inline constexpr char16_t txtZBSAct[] = u"txtZBSAct";

// Every name above.
inline constexpr QStringView kAll[] = {
    Frame1,
    Frame2,
    Frame3,
    Frame4,
    Frame5,
    Frame6,
    Frame7,
    Frame8,
    Frame9,
    OptNo,
    SSOleDBCombo1,
    OptSi,
    cboAreaVrk,
    cboAreasResultas,
    cboAreasVacantes,
    cboConsejeriaResultas,
    cboConsejeriaVacantes,
    cboCuerpo,
    cboGrupo,
    cboLocalidadResultas,
    cboLocalidadVacantes,
    cboLocalidadesVrk,
    cboPrefArea,
    cboPrefLocalidad,
    cboPrefProvincia,
    cboProvincia,
    cboProvinciaResultas,
    cboProvinciaVacantes,
    cboProvinciasVrk,
    cboPuestoResultas,
    cboPuestoVacante,
    cboSituaciones,
    cboZBSVrk,
    cboZonasResultas,
    cboZonasVacantes,
    cmdAceptar,
    cmdAceptarDoc,
    cmdAceptarResultas,
    cmdAceptarVacante,
    cmdAdd,
    cmdAddDoc,
    cmdAddResultas,
    cmdAddVacante,
    cmdCancelar,
    cmdCancelarDoc,
    cmdDel,
    cmdDelDoc,
    cmdDelResultas,
    cmdDelVacante,
    cmdInsertaTodasResultas,
    cmdModDoc,
    cmdTodasVacantes,
    cmdUpdate,
    cmdUpdateResultas,
    cmdUpdateVacante,
    fraAcopPetConyu,
    fraDNIConyuge,
    fraDefTemp,
    fraDemarcacionResultas,
    fraDemarcacionVacantes,
    fraForzVol,
    fraPersonales,
    fraPreferencia,
    fraProfesionales,
    fraPuestoTrabajo,
    fraReingreso,
    fraSitAdmva,
    grdCursos,
    grdDocumentos,
    grdResultas,
    grdVacantes,
    lblAdap,
    lblCat,
    lblFechaSit,
    lblPlazas,
    lblPosesion,
    lblSituacion,
    lblTipoDis,
    mnuP,
    mnuP1000,
    mnuP2000,
    mnuP2500,
    optActivo,
    optDefinitivo,
    optDiscNo,
    optDiscSi,
    optForzoso,
    optOtras,
    optPetConyugeNo,
    optPetConyugeSi,
    optReingesoSi,
    optReingresoNo,
    optSSOndex,
    optSSOtros,
    optTemporal,
    optVoluntario,
    tabPrincipal,
    txtAdaptaciones,
    txtAno,
    txtApellido1,
    txtApellido2,
    txtCOnyuApellido2,
    txtCP,
    txtCentro,
    txtCentroFormacion,
    txtCodResulta,
    txtCodVacante,
    txtConyuApellido1,
    txtConyuNombre,
    txtCurso,
    txtDNI,
    txtDNIConyuge,
    txtDescResultas,
    txtDescVacantes,
    txtDoc,
    txtDomicilio,
    txtFecNacimiento,
    txtFecPosesion,
    txtFechaFin,
    txtFechaIngreso,
    txtFechaSit,
    txtHoras,
    txtIdCurso,
    txtIdDoc,
    txtIdSolicitudResultas,
    txtIdSolicitudVacantes,
    txtInstiAct,
    txtLocalidad,
    txtLocalidadPuesto,
    txtNRP,
    txtNombre,
    txtNumHoras,
    txtOrdenResultas,
    txtOrdenVacante,
    txtProvAct,
    txtProvinciaPuesto,
    txtPuesto,
    txtSS,
    txtSitAdm,
    txtTelefono,
    txtTipoDisc,
    txtZBSAct,
};

// Whether `control` is one of the form's controls.
bool isKnown(QStringView control);

// A control name as a QString, for the places that keep or pass one.
inline QString name(QStringView control) {
    return control.toString();
}

} // namespace velantor::ctl
