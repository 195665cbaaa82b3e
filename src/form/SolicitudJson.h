#pragma once

#include <QByteArray>

#include "form/SolicitudDatos.h"
#include "platform/Error.h"

namespace velantor {

namespace errors {
// Failures of reading an application from JSON, numbered apart from the other domains.
enum Json : int {
    kBadSolicitudJson = 1201, // an application JSON that does not fit its format
};
inline constexpr Json kJsonStatuses[] = {kBadSolicitudJson};
QString description(Json status);
} // namespace errors

// An application as JSON: {"controls": {name: text | true/false, ...}, "Vacantes": [...],
// "Resultas": [...], "Cursos": [...], "Documentos": [...]}. "controls" holds every
// tagged control of the form by name plus OptSi, OptNo and cboSituaciones: text for
// text boxes and lists, true/false for options. Each list is an array of objects keyed
// by the table's field names, integers as JSON numbers.
QByteArray solicitudToJson(const SolicitudDatos& datos);

// Fills `datos` (its controls and its four tables, which are emptied first) from JSON.
// Missing controls and fields stay empty. Text that is not JSON, an unknown key,
// control or field, a value of the wrong type, a fractional integer or a text longer
// than its field gives an error with a Spanish description; `datos` is then left as it
// was.
Result<void> solicitudFromJson(const QByteArray& json, SolicitudDatos& datos);

} // namespace velantor
