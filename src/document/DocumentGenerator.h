#pragma once

#include <functional>
#include <optional>

#include <QDateTime>
#include <QString>

#include "platform/Error.h"
#include "docengine/WordDocument.h"

namespace velantor {

class MessageService;
class ProgressIndicator;
class SolicitudDatos;

// The template of a configuration: data folder + template folder ("DOT_" and one digit
// per tab) + "PlantillaWXP.dot".
QString templatePathFor(const QString& dataFolder, const QString& templateFolderName);

// Where a save keeps the previous version of a file of the pair: `path` + ".bak".
QString backupPathFor(const QString& path);

// The major version of the document engine, as the save chooses its generator by it.
int wordMajorVersion();

// What one generation needs besides the application itself.
struct GenerationRequest {
    QString fileName;           // the document's name (documentFileName), without folder
    QString applicationsFolder; // created when missing
    QString templatePath;       // data folder + template folder + "PlantillaWXP.dot"
    QString tracePath;          // "traza.txt" in the program folder
    bool print = false;
    bool draft = false;
    // The clock of the date and time stamps; unset: now.
    std::optional<QDateTime> at;
    // The word processor's major version: 8 and below print the new document at once.
    int wordMajorVersion = 12;

    QString documentPath() const;
    QString xmlPath() const;
};

// A generated application: the document filled from the template (header, form fields,
// courses), the stamps it carries and where the courses left the page counter.
struct GeneratedDocument {
    WordDocument document;
    QString date; // DD/MM/YYYY
    QString time; // HH:mm:ss
    // The courses pages begin at page 2; one more for every continuation table.
    int pageCounter = 2;
    // The courses tables: table 3 of the template and the continuation tables after it.
    int courseTables = 1;
};

// Makes the application document from the template and saves it with its positions XML.
//
//   generate()  creates the document from the template and fills the header bookmarks,
//               the form fields and the courses table. Nothing is written yet.
//   save()      writes the positions XML and then the document.
//   run()       both, then either ends (a plain save) or hands the saved document to the
//               print completion (a print), which adds what only the printed copy carries.
//
// The previous document and XML of the same name survive any failed write: each file is
// written through a temporary file, and when the document cannot be written after its
// XML was, the previous XML is put back. Every save first keeps the previous pair as
// one backup generation (backupPathFor), replaced by the next save. A draft is marked
// "BORRADOR" on the printed copy only.
class DocumentGenerator {
public:
    using EarlyPrint = std::function<Result<void>(const WordDocument&)>;
    using PrintCompletion = std::function<Result<void>(GeneratedDocument&, const GenerationRequest&)>;

    // `datos` and its tables are read during the calls; the tables' current rows move.
    DocumentGenerator(const SolicitudDatos& datos, MessageService& messages,
                      ProgressIndicator* progress = nullptr);

    // Word processors up to version 8 printed the new document as soon as it was
    // created; that branch calls this.
    void setEarlyPrint(EarlyPrint print) { m_earlyPrint = std::move(print); }
    // Completes and prints a saved document when the request asks for a print.
    void setPrintCompletion(PrintCompletion completion) { m_printCompletion = std::move(completion); }

    // A template that cannot be opened, a header bookmark it lacks or an applications
    // folder that cannot be created or written to is an error; after the header, a field
    // or table the template lacks is passed over.
    Result<GeneratedDocument> generate(const GenerationRequest& request);
    // The positions XML, then the document. An XML that does not parse has been shown as
    // "Formato erróneo de XML" and the document is still saved; a failed write of either
    // file is an error and leaves the previous files as they were.
    Result<void> save(GeneratedDocument& generated, const GenerationRequest& request);
    // generate() and save(); with the print flag, the print completion follows. Errors
    // come back to the caller, which shows their description (the program's default title).
    Result<void> run(const GenerationRequest& request);

    // Progress maximum of a generation: 162 and one per list row.
    int progressMaximum() const;

private:
    void fillFormFields(WordDocument& document);
    void fillCourses(GeneratedDocument& generated);
    void advance();

    const SolicitudDatos& m_datos;
    MessageService& m_messages;
    ProgressIndicator* m_progress;
    EarlyPrint m_earlyPrint;
    PrintCompletion m_printCompletion;
};

} // namespace velantor
