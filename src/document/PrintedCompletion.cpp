#include "document/PrintedCompletion.h"

#include <QDateTime>

#include "document/BarcodeErrors.h"
#include "document/BarcodePictureFile.h"
#include "document/BarcodeReader.h"
#include "document/PrintedPagination.h"
#include "document/PrintedRowFit.h"
#include "form/SolicitudDatos.h"
#include "tables/Table.h"
#include "docengine/WordDocument.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {
namespace {

constexpr int kFormTable = 2;
constexpr int kContinuationFontPoints = 8;
// A page of requested positions holds numPlazasPorPag one-line rows and its barcode on
// one sheet. Every name is fitted to its cell (PrintedRowFit); a row that still needs more
// lines is exactly as high as they are and counts that height on its page, so the sheet
// never overflows and each barcode lists exactly the rows printed above it.

// A step the template cannot take (a table or cell it lacks) is passed over: the rest of
// the document is still printed.
template <class T> void passOver(const Result<T>&) {}

struct ListTables {
    int vacancies = 0; // 0: the template has no such table
    int resultas = 0;
    int documents = 0;
};

ListTables findListTables(const WordDocument& document) {
    const int count = document.tableCount();
    return ListTables{count >= 3 ? count - 2 : 0, count >= 2 ? count - 1 : 0, count >= 1 ? count : 0};
}

struct ListKind {
    QChar letter;
    int columns;
};

} // namespace

class PrintedCompletionWriter {
public:
    PrintedCompletionWriter(WordDocument& document, const SolicitudDatos& datos,
                            const PrintedCompletionOptions& options)
        : m_doc(document), m_datos(datos), m_options(options) {}

    Result<PrintedCompletion> run() {
        if (m_options.positionsPerPage < 1) {
            return std::unexpected(
                makeError(errors::kInvalidProcedureCall,
                          u"El número de plazas por página (numPlazasPorPag) debe ser mayor que cero."_s));
        }
        // Found before anything is added: the lists' own further tables come after them.
        m_tables = findListTables(m_doc);
        m_page = m_options.pageCounter.value_or(
            pageCounterAfterCourses(m_datos.cursos ? m_datos.cursos->rowCount() : 0));

        if (auto done = firstPage(); !done)
            return std::unexpected(done.error());
        documents();
        if (auto done = positions(*m_datos.vacantes, ListKind{barcode::kVacanciesLetter, 6},
                                  m_tables.vacancies, m_result.m_vacancyPages);
            !done)
            return std::unexpected(done.error());
        if (auto done = positions(*m_datos.resultas, ListKind{barcode::kResultasLetter, 5}, m_tables.resultas,
                                  m_result.m_resultasPages);
            !done)
            return std::unexpected(done.error());
        return std::move(m_result);
    }

private:
    void advance() {
        if (m_options.advance)
            m_options.advance();
    }

    // Makes the picture, reads it back, and hands it to `place` unless drafting; the
    // files are deleted whatever happens.
    Result<void> barcode(QChar letter, int page, const QString& payload, int positions, BarcodeBox box,
                         const std::function<void(const QString& picture)>& place) {
        auto file =
            makeBarcodePicture(payload, box, m_options.applicationsFolder, QDateTime::currentDateTime());
        if (!file)
            return std::unexpected(file.error());
        const auto verified = BarcodeReader::verifyPicture(file->bmpPath, file->payload);
        if (verified && !m_options.draft)
            place(file->pngPath);
        file->remove();
        if (!verified)
            return std::unexpected(verified.error());
        m_result.m_barcodes.append(
            PrintedBarcode{letter, page, payload, file->payload, positions, !m_options.draft});
        return {};
    }

    Result<void> firstPage() {
        const QString payload =
            barcode::firstPagePayload(m_options.barcodeHeader, m_options.stamp, m_options.applicationRecord);
        // The placeholder text of the cell gives way to the barcode between two line breaks.
        passOver(m_doc.setCellText(kFormTable, 1, 1, u"\n"_s));
        auto made = barcode(
            barcode::kFirstPageLetter, 1, payload, 0, kFirstPageBarcodeBox, [&](const QString& picture) {
                passOver(m_doc.insertPictureInCell(kFormTable, 1, 1, picture, kFirstPageBarcodeBox.widthTwips,
                                                   kFirstPageBarcodeBox.heightTwips));
            });
        passOver(m_doc.formatCell(kFormTable, 1, 1, TextFormat{{}, {}, ParagraphAlignment::Centre, {}}));
        passOver(m_doc.appendCellText(kFormTable, 1, 1, u"\n"_s));
        return made;
    }

    void documents() {
        const Table& list = *m_datos.documentos;
        const int documento = list.requireField(u"Documento");
        int table = m_tables.documents;
        m_result.m_documentPages = table > 0 ? 1 : 0;
        if (table == 0)
            return;
        const auto widths = m_doc.columnWidths(m_tables.documents);
        for (int i = 0; i < list.rowCount(); ++i) {
            advance();
            if (i > 0 && i % kListRowsPerPage == 0) {
                passOver(m_doc.insertPageBreakBelowTable(table));
                const auto added = m_doc.insertTableAfter(table, 1, 2);
                if (added) {
                    table = *added;
                    passOver(m_doc.setBorders(table, true));
                    passOver(m_doc.setCellText(table, 1, 1, u"NºDocumento"_s));
                    passOver(m_doc.setCellText(table, 1, 2, u"Documento"_s));
                    if (widths)
                        passOver(m_doc.setColumnWidths(table, *widths));
                    passOver(m_doc.formatTable(table, TextFormat{{}, false, {}, {}}));
                    shiftTablesAfter(table);
                }
                ++m_page;
                ++m_result.m_documentPages;
            }
            const auto row = m_doc.appendRow(table);
            if (!row)
                continue;
            passOver(m_doc.setCellText(table, *row, 1, QString::number(i + 1)));
            passOver(m_doc.setCellText(table, *row, 2, list.textAt(i, documento)));
        }
    }

    Result<void> positions(const Table& list, ListKind kind, int templateTable, std::vector<int>& pages) {
        ++m_page;
        if (templateTable == 0)
            return {};
        static const char* const fieldNames[] = {"Orden",      "CodConvocatoria", "NomConvocatoria",
                                                 "Consejeria", "Localidad",       "Area"};
        int fields[6];
        for (int c = 0; c < kind.columns; ++c)
            fields[c] = list.requireField(QString::fromLatin1(fieldNames[c]));
        const int count = list.rowCount();
        // Every row is fitted first, so that the pages can be cut by the printed heights.
        const std::vector<int> widths = m_doc.columnWidths(templateTable).value_or(std::vector<int>{});
        std::vector<RowFit> fits;
        std::vector<int> heights;
        fits.reserve(size_t(count));
        for (int i = 0; i < count; ++i) {
            QStringList texts{QString::number(list.numberAt(i, fields[0]))};
            for (int c = 1; c < kind.columns; ++c)
                texts.append(list.textAt(i, fields[c]));
            fits.push_back(fitRow(texts, widths, kPrintedListPoints, m_options.condensedFace));
            heights.push_back(fits.back().heightTwips);
        }
        // A page ends (barcode, page break, next number) after its last row; a last page with
        // fewer than numPlazasPorPag rows is closed after the loop instead, without a break,
        // as the count rule always did, so the next list's page number follows on directly.
        std::vector<bool> pageEnds(size_t(count), false);
        {
            int place = 0;
            for (int size : positionPageSizesByHeight(heights, m_options.positionsPerPage, kPositionRowTwips)) {
                place += size;
                if (place < count || size == m_options.positionsPerPage)
                    pageEnds[size_t(place - 1)] = true;
            }
        }
        int table = templateTable;
        QString positionText;
        int onPage = 0;
        for (int i = 0; i < count; ++i) {
            advance();
            const qint64 orden = list.numberAt(i, fields[0]);
            const QString code = list.textAt(i, fields[1]);
            if (const auto row = m_doc.appendRow(table)) {
                // A row is made from the one before: its height and sizes are set anew.
                const RowFit& fit = fits[size_t(i)];
                passOver(m_doc.setRowHeight(table, *row, RowHeight{fit.heightTwips, RowHeight::Rule::Exact}));
                // A line of 8 pt text is 9 pt high; the table's margins above and below
                // would leave 7.2 pt of a one-line row, and cut the letters' tails.
                if (!fit.grown())
                    passOver(m_doc.setRowCellPadding(table, *row, 0, 0));
                passOver(m_doc.setCellText(table, *row, 1, QString::number(orden)));
                for (int c = 1; c < kind.columns; ++c)
                    passOver(m_doc.setCellText(table, *row, c + 1, list.textAt(i, fields[c])));
                for (int c = 0; c < kind.columns; ++c) {
                    const CellFit& cell = fit.cells[size_t(c)];
                    TextFormat format{cell.points, {}, {}, {}};
                    if (cell.condensed)
                        format.fontFamily = QString::fromUtf16(kCondensedFamily);
                    passOver(m_doc.formatCell(table, *row, c + 1, format));
                }
            }
            positionText += barcode::barcodePositionEntry(orden, code);
            ++onPage;
            // The list's order is the order of preference, so its place stands for the
            // order number: a gap in the numbers cannot leave a page unclosed.
            if (!pageEnds[size_t(i)])
                continue;
            if (auto closed = closePositionPage(table, kind.letter, positionText, onPage); !closed)
                return closed;
            pages.push_back(onPage);
            positionText.clear();
            onPage = 0;
            passOver(m_doc.insertPageBreakBelowTable(table));
            ++m_page;
            if (i + 1 < count) {
                if (const auto added = continuationTable(table, templateTable, kind)) {
                    table = *added;
                    shiftTablesAfter(table);
                }
            }
        }
        if (!positionText.isEmpty()) {
            if (auto closed = closePositionPage(table, kind.letter, positionText, onPage); !closed)
                return closed;
            pages.push_back(onPage);
        }
        return {};
    }

    Result<void> closePositionPage(int table, QChar letter, const QString& positionText, int positions) {
        passOver(m_doc.typeBelowTable(table, u"\n"_s));
        const QString payload =
            barcode::barcodePayload(m_options.barcodeHeader, m_options.stamp, letter, m_page, positionText);
        auto made =
            barcode(letter, m_page, payload, positions, kPositionPageBarcodeBox, [&](const QString& picture) {
                passOver(m_doc.insertPictureBelowTable(table, picture, kPositionPageBarcodeBox.widthTwips,
                                                       kPositionPageBarcodeBox.heightTwips));
            });
        passOver(m_doc.typeBelowTable(table, u"\n"_s));
        if (!made && made.error().number == errors::kBarcodeTooLong) {
            // Only the number of positions to a page makes a position page long.
            return std::unexpected(makeError(
                errors::kBarcodeTooLong,
                u"Las %1 plazas de la página %2 no caben en su código de barras. Reduzca el número de plazas "
                u"por página (numPlazasPorPag) del archivo de configuración."_s.arg(positions)
                    .arg(m_page)));
        }
        return made;
    }

    Result<int> continuationTable(int after, int templateTable, ListKind kind) {
        const auto added = m_doc.insertTableAfter(after, 1, kind.columns);
        if (!added)
            return added;
        const int t = *added;
        passOver(m_doc.setBorders(t, true));
        if (const auto widths = m_doc.columnWidths(templateTable))
            passOver(m_doc.setColumnWidths(t, *widths));
        if (const auto height = m_doc.rowHeight(templateTable, 1))
            passOver(m_doc.setRowHeight(t, 1, *height));
        passOver(m_doc.formatTable(t, TextFormat{kContinuationFontPoints, {}, {}, {}}));
        if (kind.letter == barcode::kVacanciesLetter) {
            const QString headers[] = {
                u"Orden\npreferencia"_s,    u"Código\n(5 Dígitos)\nConvocatoria"_s, u"Denominación"_s,
                u"Institución Sanitaria"_s, u"Localidad o Z.B.S.(Provincia)"_s,     u"Área"_s};
            for (int c = 0; c < 6; ++c)
                passOver(m_doc.setCellText(t, 1, c + 1, headers[c]));
            return t;
        }
        for (int c = 3; c <= 5; ++c)
            passOver(m_doc.formatColumn(t, c, TextFormat{{}, {}, ParagraphAlignment::Centre, {}}));
        // The second header row is made before the first is merged, so it keeps five cells.
        passOver(m_doc.appendRow(t));
        const QString second[] = {u"preferencia"_s, u"Convocatoria"_s, u"DENOMINACIÓN"_s, u"CONSEJERÍA"_s,
                                  u"Localidad y Provincia"_s};
        for (int c = 0; c < 5; ++c)
            passOver(m_doc.setCellText(t, 2, c + 1, second[c]));
        passOver(m_doc.setCellText(t, 1, 1, u"Orden"_s));
        passOver(m_doc.setCellText(t, 1, 2, u"Código\n (5 Dígitos)"_s));
        passOver(m_doc.mergeCells(t, 1, 3, 2));
        passOver(m_doc.setCellText(t, 1, 3, u"PUESTO DE TRABAJO"_s));
        return t;
    }

    // A table added after `table` moves the later list tables one place on.
    void shiftTablesAfter(int added) {
        for (int* t : {&m_tables.vacancies, &m_tables.resultas, &m_tables.documents})
            if (*t >= added)
                ++*t;
    }

    WordDocument& m_doc;
    const SolicitudDatos& m_datos;
    const PrintedCompletionOptions& m_options;
    ListTables m_tables;
    int m_page = 0;
    PrintedCompletion m_result;
};

Result<PrintedCompletion> PrintedCompletion::complete(WordDocument& document, const SolicitudDatos& datos,
                                                      const PrintedCompletionOptions& options) {
    return PrintedCompletionWriter(document, datos, options).run();
}

} // namespace velantor
