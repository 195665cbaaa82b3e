#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QChar>
#include <QList>
#include <QString>

#include "document/BarcodeText.h"
#include "platform/Error.h"

namespace velantor {

class SolicitudDatos;
class WordDocument;

// What a print adds to the saved document, and the texts its barcodes carry.
struct PrintedCompletionOptions {
    int positionsPerPage = 40;   // numPlazasPorPag
    bool draft = false;          // "BORRADOR": no barcode on paper
    QString applicationsFolder;  // where the barcode pictures are made for a moment
    barcode::BarcodeStamp stamp; // the print's date and time, the same on every barcode
    // The page counter where the courses pages left it; unset: worked out from the
    // number of courses (page 2, one more for every further 35).
    std::optional<int> pageCounter;
    QString barcodeHeader;
    QString applicationRecord; // the 37-field record of the first page
    // Called once for every row written, to move a progress bar.
    std::function<void()> advance;
    // Names that do not fit their cells in Arial at 6 pt may be set in the condensed face
    // (the print asks condensedFaceAvailable()).
    bool condensedFace = false;
};

// One barcode of the print.
struct PrintedBarcode {
    QChar letter; // P first page, V vacancies, R "Resultas"
    int page = 0;
    QString payload;  // as built, before folding
    QByteArray bytes; // what the symbol holds: folded, Windows-1252
    int positions = 0;
    bool onPaper = false; // false for drafts
};

// Completes an application document for printing, on a copy in memory that is never
// saved over the stored document:
//  - the first page's barcode in the first cell of the form table (table 2), in place of
//    the placeholder text;
//  - the supporting documents in the last table, 35 to a page, each further page with a
//    table of its own;
//  - the requested vacancies (third table from the end) and "Resultas" (second from the
//    end), `positionsPerPage` to a page (a last partial page of more than 31 is split
//    after its 31st), each page closed by a barcode listing its positions, each further
//    page with a table of its own and its header cells.
// The three tables are found before anything is added, and each list's further tables go
// right after its own, so one list's pages never move where the next list is written.
// Every barcode picture is read back and compared with its payload before it is used; a
// picture that does not read back, or a payload too long for its box, stops the
// completion with an error. Drafts carry no barcode pictures, though the pictures are
// still made, checked and deleted. A table or cell the template lacks is passed over.
class PrintedCompletion {
public:
    static Result<PrintedCompletion> complete(WordDocument& document, const SolicitudDatos& datos,
                                              const PrintedCompletionOptions& options);

    const QList<PrintedBarcode>& barcodes() const { return m_barcodes; }
    // Positions on each page of each list, and the number of documents pages.
    const std::vector<int>& vacancyPages() const { return m_vacancyPages; }
    const std::vector<int>& resultasPages() const { return m_resultasPages; }
    int documentPages() const { return m_documentPages; }

private:
    friend class PrintedCompletionWriter;
    QList<PrintedBarcode> m_barcodes;
    std::vector<int> m_vacancyPages;
    std::vector<int> m_resultasPages;
    int m_documentPages = 0;
};

} // namespace velantor
