#pragma once

#include "document/DocumentGenerator.h"
#include "document/PrintJob.h"
#include "document/PrintedNames.h"

namespace velantor {

class frmSolicitudes;

// The text shown while a print is under way (title "Impresión").
QString printingMessage();

// The names of the entries chosen in the lists whose codes are printed (body, group,
// province of residence, the current post's province, area, zone and town, the preferred
// area, zone and town), with their document tags; an unchosen list gives an empty name.
QList<NameBesideCode> namesBesideCodes(const frmSolicitudes& form);

// What "Imprimir" does once the application is saved: completes the saved document with
// the printed pages and their barcodes (each read back first), starts the print job,
// tells the user that the print is under way and hands the job to the form's timer,
// which keeps the print and save commands disabled until the job has finished. Where
// the PDF went, or why the print failed, is told when the job ends. Plug it into the
// form's document commands:
//     installDocumentCommands(form, {formPrintCompletion(form), ...});
DocumentGenerator::PrintCompletion formPrintCompletion(frmSolicitudes& form,
                                                       PrintPrograms programs = PrintPrograms::fromPath());

} // namespace velantor
