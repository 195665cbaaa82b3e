#include "document/PrintJob.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include "platform/SafeFile.h"
#include "docengine/WordDocument.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {
namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString findProgram(std::initializer_list<QString> names) {
    for (const QString& name : names) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

// What a program said, short enough for a message box.
QString said(QProcess& process) {
    return QString::fromLocal8Bit(process.readAll()).simplified().left(300);
}

Error printError(const QString& text) {
    return makeError(errors::kExternalProgram, text);
}

} // namespace

PrintPrograms PrintPrograms::fromPath() {
    return PrintPrograms{findProgram({u"soffice"_s, u"libreoffice"_s}), findProgram({u"lpstat"_s}),
                         findProgram({u"lp"_s})};
}

PrintJob::PrintJob(PrintPrograms programs, QObject* parent)
    : QObject(parent), m_programs(std::move(programs)) {}

PrintJob::~PrintJob() {
    // A job still running when its owner goes is left to end on its own: a print cut short
    // is a lost print.
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->disconnect(this);
        m_process->setParent(nullptr);
        connect(m_process, &QProcess::finished, m_process, &QObject::deleteLater);
        if (m_work)
            m_work->setAutoRemove(false);
    }
}

QString PrintJob::pdfBesideDocument(const QString& documentPath) {
    const QFileInfo info(documentPath);
    return info.dir().filePath(info.completeBaseName() + u".pdf"_s);
}

QStringList PrintJob::officeArguments(const QString& profileFolder, const QString& outputFolder,
                                      const QString& input) {
    // Pictures without lossy compression or down-sampling: the barcodes must reach the
    // paper module for module.
    const QString pdfFilter =
        uR"(pdf:writer_pdf_Export:{"UseLosslessCompression":{"type":"boolean","value":"true"},)"
        uR"("ReduceImageResolution":{"type":"boolean","value":"false"}})"_s;
    return {u"-env:UserInstallation="_s + QUrl::fromLocalFile(profileFolder).toString(),
            u"--headless"_s,
            u"--norestore"_s,
            u"--nolockcheck"_s,
            u"--nologo"_s,
            u"--nodefault"_s,
            u"--convert-to"_s,
            pdfFilter,
            u"--outdir"_s,
            outputFolder,
            input};
}

QProcess* PrintJob::newProcess() {
    // The previous step's process may be the one whose signal is running now.
    if (m_process) {
        m_process->disconnect(this);
        m_process->deleteLater();
    }
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // Plain C messages, so that the printing system's answers can be read.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_s, u"C"_s);
    m_process->setProcessEnvironment(environment);
    return m_process;
}

Result<void> PrintJob::start(WordDocument& completed, const QString& storedDocument,
                             const QString& pdfOutput) {
    if (m_running)
        return std::unexpected(printError(u"Ya se está imprimiendo esta solicitud."_s));
    if (m_programs.office.isEmpty() || !QFileInfo(m_programs.office).isExecutable()) {
        return std::unexpected(
            printError(u"No se puede imprimir la solicitud: falta LibreOffice (el programa «soffice»), que "
                       u"convierte el documento en PDF para la impresora. Instale LibreOffice y vuelva a "
                       u"imprimir; la solicitud guardada no ha cambiado."_s));
    }
    m_work = std::make_unique<QTemporaryDir>();
    if (!m_work->isValid()) {
        return std::unexpected(printError(
            u"No se puede imprimir la solicitud: no se pudo crear una carpeta temporal (%1)."_s.arg(
                m_work->errorString())));
    }
    const QDir work(m_work->path());
    const QString copy = work.filePath(QFileInfo(storedDocument).completeBaseName() + u".docx"_s);
    if (auto saved = completed.saveAs(copy); !saved)
        return std::unexpected(saved.error());

    m_storedDocument = storedDocument;
    m_pdfOutput = pdfOutput;
    m_convertedPdf = work.filePath(QFileInfo(copy).completeBaseName() + u".pdf"_s);
    m_pdfPath.clear();
    m_printer.clear();
    m_refusal.clear();
    m_outcome.reset();
    m_running = true;
    m_started = QDateTime::currentMSecsSinceEpoch();

    QProcess* office = newProcess();
    connect(office, &QProcess::finished, this, &PrintJob::converted);
    connect(office, &QProcess::errorOccurred, this, [this, office](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && office == m_process)
            finish(std::unexpected(printError(u"No se pudo iniciar LibreOffice («%1»): %2."_s.arg(
                shown(m_programs.office), office->errorString()))));
    });
    QTimer::singleShot(m_conversionTimeoutMs, office, [this, office] {
        if (office != m_process || office->state() == QProcess::NotRunning)
            return;
        office->disconnect(this);
        office->kill();
        finish(std::unexpected(printError(
            u"LibreOffice no terminó de convertir la solicitud en PDF en %1 segundos; no se ha impreso. "
            u"Vuelva a imprimir más tarde."_s.arg(m_conversionTimeoutMs / 1000.0))));
    });
    office->start(m_programs.office, officeArguments(work.filePath(u"perfil"_s), work.path(), copy));
    return {};
}

void PrintJob::converted(int exitCode, QProcess::ExitStatus status) {
    m_renderMs = QDateTime::currentMSecsSinceEpoch() - m_started;
    if (status != QProcess::NormalExit || exitCode != 0 || !QFileInfo::exists(m_convertedPdf)) {
        const QString output = said(*m_process);
        finish(std::unexpected(
            printError(u"LibreOffice no pudo convertir la solicitud en PDF%1; no se ha impreso. La solicitud "
                       u"guardada no "
                       u"ha cambiado."_s.arg(output.isEmpty() ? QString() : u" («%1»)"_s.arg(output)))));
        return;
    }
    if (!m_pdfOutput.isEmpty()) {
        if (auto kept = keepPdf(m_pdfOutput); !kept) {
            finish(std::unexpected(kept.error()));
            return;
        }
        finish(PrintOutcome::WrittenPdf);
        return;
    }
    askDefaultPrinter();
}

void PrintJob::askDefaultPrinter() {
    if (m_programs.lpstat.isEmpty() || m_programs.lp.isEmpty()) {
        keepBesideDocument({});
        return;
    }
    QProcess* lpstat = newProcess();
    connect(lpstat, &QProcess::finished, this, &PrintJob::defaultPrinterAnswered);
    connect(lpstat, &QProcess::errorOccurred, this, [this, lpstat](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && lpstat == m_process)
            keepBesideDocument({});
    });
    lpstat->start(m_programs.lpstat, {u"-d"_s});
}

void PrintJob::defaultPrinterAnswered(int exitCode, QProcess::ExitStatus status) {
    // "system default destination: NAME", or "no system default destination".
    const QString answer = QString::fromLocal8Bit(m_process->readAll());
    const qsizetype colon = answer.indexOf(u':');
    const QString printer = colon >= 0 ? answer.mid(colon + 1).trimmed() : QString();
    if (status != QProcess::NormalExit || exitCode != 0 || !answer.contains(u"default destination:"_s) ||
        printer.isEmpty()) {
        keepBesideDocument({});
        return;
    }
    m_printer = printer;
    QProcess* lp = newProcess();
    connect(lp, &QProcess::finished, this, &PrintJob::sent);
    connect(lp, &QProcess::errorOccurred, this, [this, lp](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && lp == m_process)
            keepBesideDocument(lp->errorString());
    });
    lp->start(m_programs.lp,
              {u"-d"_s, printer, u"-t"_s, QFileInfo(m_storedDocument).fileName(), m_convertedPdf});
}

void PrintJob::sent(int exitCode, QProcess::ExitStatus status) {
    if (status == QProcess::NormalExit && exitCode == 0) {
        finish(PrintOutcome::Printed);
        return;
    }
    keepBesideDocument(said(*m_process));
}

void PrintJob::keepBesideDocument(const QString& why) {
    if (auto kept = keepPdf(pdfBesideDocument(m_storedDocument)); !kept) {
        finish(std::unexpected(kept.error()));
        return;
    }
    if (!why.isEmpty() || !m_printer.isEmpty())
        m_refusal = why.isEmpty() ? u"la impresora no aceptó el trabajo"_s : why;
    finish(PrintOutcome::KeptAsPdf);
}

Result<void> PrintJob::keepPdf(const QString& target) {
    QFile pdf(m_convertedPdf);
    if (!pdf.open(QIODevice::ReadOnly))
        return std::unexpected(
            printError(u"No se puede leer el PDF convertido: %1."_s.arg(pdf.errorString())));
    if (auto written = writeFileAtomically(target, pdf.readAll()); !written)
        return written;
    m_pdfPath = target;
    return {};
}

void PrintJob::finish(Result<PrintOutcome> outcome) {
    if (!m_running)
        return;
    m_running = false;
    m_outcome = std::move(outcome);
    emit finished();
}

QString PrintJob::userMessage() const {
    if (!m_outcome)
        return {};
    if (!*m_outcome)
        return m_outcome->error().description;
    switch (**m_outcome) {
    case PrintOutcome::Printed:
        return {};
    case PrintOutcome::WrittenPdf:
        return u"La solicitud impresa se ha escrito en «%1»."_s.arg(shown(m_pdfPath));
    case PrintOutcome::KeptAsPdf:
        if (m_printer.isEmpty()) {
            return u"No hay ninguna impresora predeterminada. La solicitud impresa se ha guardado en PDF en "
                   u"«%1»; imprímala desde ese fichero."_s.arg(shown(m_pdfPath));
        }
        return u"La impresora «%1» no aceptó la solicitud (%2). La solicitud impresa se ha guardado en PDF "
               u"en "
               u"«%3»; imprímala desde ese fichero."_s.arg(m_printer, m_refusal, shown(m_pdfPath));
    }
    return {};
}

void PrintJob::waitForFinished() {
    if (!m_running)
        return;
    QEventLoop loop;
    connect(this, &PrintJob::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace velantor
