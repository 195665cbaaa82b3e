#pragma once

#include "tables/Table.h"

namespace velantor {

class FormView;
class MessageService;

// Whether anything may be saved: identity number, body and group present (they name the
// document) and, for an application conditioned on another applicant, that applicant's
// identity number. Shows the first missing item ("Datos no válidos") and answers false.
bool ComprobarDatosGrabar(const FormView& view, MessageService& messages);

// Whether a print is a final copy: name, first surname, date of birth and at least one
// requested position (vacancy or "Resultas"). Shows the first missing item
// ("Validación") and answers false.
bool ComprobarSolicitudCompleta(const FormView& view, const Table& vacantes, const Table& resultas,
                                MessageService& messages);

// The user moved to tab newTab. Every tab but the first needs identity number, body and
// group filled in; when one is empty this warns ("Datos incompletos") and answers false,
// and the caller goes back to tab 0. On true the caller enables print, save and load.
bool tabGuardAllows(const FormView& view, MessageService& messages, int newTab);

} // namespace velantor
