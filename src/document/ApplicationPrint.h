#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QString>

#include "document/BarcodeText.h"
#include "document/PrintJob.h"
#include "document/PrintedCompletion.h"
#include "document/PrintedNames.h"
#include "platform/Error.h"

namespace velantor {

class SolicitudDatos;
class WordDocument;

// One print of a saved application, as the "Imprimir" command and the command-line tool
// both make it.
struct ApplicationPrintRequest {
    QString storedDocument;     // the saved document (never written here)
    QString applicationsFolder; // where the barcode pictures are made for a moment
    int positionsPerPage = 40;  // numPlazasPorPag
    bool draft = false;
    QString pdfOutput; // non-empty: the PDF goes there instead of to a printer
    // The stamp and page counter of the generation; unset: read from the document's
    // heading and worked out from the courses.
    std::optional<barcode::BarcodeStamp> stamp;
    std::optional<int> pageCounter;
    // The names printed beside the codes of the lists (the stored fields keep the codes).
    QList<NameBesideCode> names;
    // Called once for every printed list row (documents and positions), to move a bar.
    std::function<void()> advance;
};

// The print's date and time as the document's heading shows them ("DD/MM/YYYY HH:mm:ss"
// at the bookmark FECHAIMPR), so that every barcode carries the stamp printed on the
// page; the current time when the heading has none.
barcode::BarcodeStamp printStampOf(const WordDocument& document);

// Builds the barcode header and the application record, completes `saved` (the document
// just saved, in memory) with the printed pages, and starts the job that turns it into
// PDF and prints it. A complete application whose record cannot be built (a date that is
// not a date), a barcode that does not fit or does not read back, or LibreOffice missing
// stop here with the error: nothing is printed and the saved document stays as it was.
// A draft is printed even when its record cannot be built, since its barcodes never
// reach paper.
class ApplicationPrint {
public:
    static Result<ApplicationPrint> start(WordDocument& saved, const SolicitudDatos& datos,
                                          const ApplicationPrintRequest& request,
                                          PrintPrograms programs = PrintPrograms::fromPath());

    PrintJob* job() const { return m_job.get(); }
    std::unique_ptr<PrintJob> takeJob() { return std::move(m_job); }
    const PrintedCompletion& completion() const { return m_completion; }

private:
    std::unique_ptr<PrintJob> m_job;
    PrintedCompletion m_completion;
};

} // namespace velantor
