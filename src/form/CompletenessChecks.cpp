#include "form/CompletenessChecks.h"

#include "form/FormView.h"
#include "platform/MessageService.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

bool isBlank(const FormView& view, QStringView control) {
    return view.text(control).trimmed().isEmpty();
}

bool refuse(MessageService& messages, const QString& text, const QString& title) {
    messages.inform(text, title, MessageIcon::Exclamation);
    return false;
}

} // namespace

bool ComprobarDatosGrabar(const FormView& view, MessageService& messages) {
    const QString title = QStringLiteral("Datos no válidos");
    if (isBlank(view, ctl::txtDNI))
        return refuse(
            messages,
            QStringLiteral("Es necesario rellenar el DNI para grabar los datos o imprimir el informe"),
            title);
    if (!view.holdsValidEntry(ctl::cboCuerpo))
        return refuse(
            messages,
            QStringLiteral("Es necesario seleccionar un cuerpo o escala para grabar los datos o imprimir el "
                           "informe"),
            title);
    if (!view.holdsValidEntry(ctl::cboGrupo))
        return refuse(
            messages,
            QStringLiteral("Es necesario seleccionar un grupo para grabar los datos o imprimir el informe"),
            title);
    if (view.isChecked(ctl::optPetConyugeSi) && isBlank(view, ctl::txtDNIConyuge))
        return refuse(messages, QStringLiteral("El DNI de su cónyuge no es válido"), title);
    return true;
}

bool ComprobarSolicitudCompleta(const FormView& view, const Table& vacantes, const Table& resultas,
                                MessageService& messages) {
    const QString title = QStringLiteral("Validación");
    const std::pair<QStringView, QString> required[] = {
        {ctl::txtNombre, QStringLiteral("Nombre")},
        {ctl::txtApellido1, QStringLiteral("Primer Apellido")},
        {ctl::txtFecNacimiento, QStringLiteral("Fecha de nacimiento")},
    };
    for (const auto& [control, label] : required)
        if (isBlank(view, control))
            return refuse(messages, QStringLiteral("El campo ") + label + QStringLiteral(" es obligatorio"),
                          title);
    if (vacantes.totalRowCount() == 0 && resultas.totalRowCount() == 0)
        return refuse(messages, QStringLiteral("No hay ninguna plaza seleccionada"), title);
    return true;
}

bool tabGuardAllows(const FormView& view, MessageService& messages, int newTab) {
    if (newTab == 0)
        return true;
    if (isBlank(view, ctl::txtDNI) || isBlank(view, ctl::cboCuerpo) || isBlank(view, ctl::cboGrupo))
        return refuse(messages, QStringLiteral("Compruebe que ha rellenado los datos del formulario"),
                      QStringLiteral("Datos incompletos"));
    return true;
}

} // namespace velantor
