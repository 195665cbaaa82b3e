#pragma once

#include <functional>

#include <QString>

#include "document/DocumentGenerator.h"
#include "platform/Error.h"

namespace velantor {

class frmSolicitudes;
class SolicitudDatos;

// What the application form's document commands need beyond the window itself.
struct DocumentCommandOptions {
    // Completes and prints a saved document ("Imprimir"); without it a print saves and
    // then says that printing is not available.
    DocumentGenerator::PrintCompletion printCompletion;
    // Runs before a save writes anything, with the identity number (the password window
    // for a user without a password).
    std::function<void(const QString& dni)> beforeSave;
};

// Gives the form its save handler ("Guardar", "Imprimir" and the save when closing) and
// its existing-application check, both on the applications folder of the form's
// program folder. The form must outlive nothing it is given here; the handlers hold a
// reference to it.
void installDocumentCommands(frmSolicitudes& form, DocumentCommandOptions options = {});

// The application the form holds: its controls' values and its four working tables.
SolicitudDatos applicationOf(const frmSolicitudes& form);

// The save sequence after the completeness check: the document name, the identifying
// fields locked, the progress window, the generator; after a print the form's print timer
// starts. Shows what went wrong and answers whether the application was written.
bool saveApplication(frmSolicitudes& form, bool print, bool draft,
                     const DocumentCommandOptions& options = {});

// Fills the (empty, shown) form back from the saved document `fileName` in the
// applications folder, with the progress window. `selectPositions` chooses the position
// tables of the loaded body and group (the form's own position search when not given).
// A loading that ends early is told to the user.
Result<void> loadApplication(frmSolicitudes& form, const QString& fileName,
                             std::function<bool()> selectPositions = {});

} // namespace velantor
