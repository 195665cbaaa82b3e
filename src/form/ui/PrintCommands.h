#pragma once

#include "document/DocumentGenerator.h"
#include "document/PrintJob.h"

namespace velantor {

class frmSolicitudes;

// The text shown while a print is under way (title "Impresión").
QString printingMessage();

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
