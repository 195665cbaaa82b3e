#pragma once

#include <memory>
#include <optional>

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "platform/Error.h"

class QTemporaryDir;

namespace velantor {

class WordDocument;

// The outside programs a print uses. Empty members are looked up on the PATH.
struct PrintPrograms {
    QString office; // LibreOffice ("soffice" or "libreoffice"), turns the document into PDF
    QString lpstat; // names the default printer ("lpstat -d")
    QString lp;     // sends a file to a printer

    // The programs found on the PATH; a member stays empty when the program is missing.
    static PrintPrograms fromPath();
};

// Where a print ends up.
enum class PrintOutcome {
    Printed,   // sent to the default printer
    KeptAsPdf, // no default printer (or the printer refused it): the PDF is beside the document
    WrittenPdf // written where the caller asked (the command-line tool)
};

// One print of a completed application document, run as child processes so that the
// window stays usable: the document is written to a private temporary folder (never over
// the stored document), LibreOffice turns it into PDF with a profile folder of its own
// (a LibreOffice the user has open does not interfere), and the PDF goes to the default
// printer through `lp`. Without a default printer the PDF is kept beside the stored
// document under the same name with ".pdf"; a printer that refuses the job gets the same
// treatment, so nothing is lost.
//
// The job is never killed from outside: the window waits for finished(). Only a
// conversion that has not ended after conversionTimeoutMs() is stopped and reported.
class PrintJob : public QObject {
    Q_OBJECT
public:
    explicit PrintJob(PrintPrograms programs = PrintPrograms::fromPath(), QObject* parent = nullptr);
    ~PrintJob() override;

    // The PDF beside a stored document: its name with ".pdf" in place of its extension.
    static QString pdfBesideDocument(const QString& documentPath);

    // Starts printing `completed` for the document stored at `storedDocument`. With
    // `pdfOutput` the PDF is written there instead of going to a printer. An error here
    // (LibreOffice missing, no temporary folder, the copy not written) means nothing was
    // started and finished() will not be emitted.
    Result<void> start(WordDocument& completed, const QString& storedDocument, const QString& pdfOutput = {});

    bool isRunning() const { return m_running; }
    // After finished(): where the print went, or why it failed.
    const std::optional<Result<PrintOutcome>>& outcome() const { return m_outcome; }
    // The PDF kept or written (KeptAsPdf, WrittenPdf); the printer's name (Printed).
    const QString& pdfPath() const { return m_pdfPath; }
    const QString& printerName() const { return m_printer; }
    // Why a default printer did not take the PDF (empty when there was none).
    const QString& refusal() const { return m_refusal; }
    // What the user is told once the job has finished: where a kept PDF is, or why the
    // print failed; empty for a print sent to the printer.
    QString userMessage() const;
    // Milliseconds LibreOffice took to write the PDF.
    qint64 renderMilliseconds() const { return m_renderMs; }

    // Runs the job's events until it has finished (the command-line tool and tests).
    void waitForFinished();

    void setConversionTimeoutMs(int milliseconds) { m_conversionTimeoutMs = milliseconds; }
    int conversionTimeoutMs() const { return m_conversionTimeoutMs; }

    // The arguments LibreOffice gets to write `input` as PDF into `outputFolder`.
    static QStringList officeArguments(const QString& profileFolder, const QString& outputFolder,
                                       const QString& input);

signals:
    void finished();

private:
    void converted(int exitCode, QProcess::ExitStatus status);
    void askDefaultPrinter();
    void defaultPrinterAnswered(int exitCode, QProcess::ExitStatus status);
    void sent(int exitCode, QProcess::ExitStatus status);
    void keepBesideDocument(const QString& why);
    // Writes the converted PDF to `target` (through a temporary file) and remembers it.
    Result<void> keepPdf(const QString& target);
    void finish(Result<PrintOutcome> outcome);
    QProcess* newProcess();

    PrintPrograms m_programs;
    std::unique_ptr<QTemporaryDir> m_work;
    QProcess* m_process = nullptr;
    QString m_storedDocument;
    QString m_pdfOutput;
    QString m_convertedPdf;
    QString m_pdfPath;
    QString m_printer;
    QString m_refusal;
    qint64 m_started = 0;
    qint64 m_renderMs = 0;
    int m_conversionTimeoutMs = 10 * 60 * 1000;
    bool m_running = false;
    std::optional<Result<PrintOutcome>> m_outcome;
};

} // namespace velantor
