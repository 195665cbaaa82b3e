#include "document/DocumentGenerator.h"

#include <array>

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include "document/PositionsXml.h"
#include "document/ProgressIndicator.h"
#include "form/FormControl.h"
#include "form/SolicitudDatos.h"
#include "platform/MessageService.h"
#include "platform/SafeFile.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

constexpr int kCoursesTable = 3;
constexpr int kCoursesPerPage = 35;
// The controls the walk passes; those without a tag count too.
constexpr int kFormControlSteps = 162;

// With "no current post" the post's check boxes are cleared whatever their options say.
bool clearedWithoutPost(const QString& tag) {
    return tag == u"ONDEX" || tag == u"SSOTROS" || tag == u"DEFINITIVO" || tag == u"TEMPORAL";
}

Error withContext(const Error& error, const QString& context) {
    return makeError(error.number, context + u' ' + error.description);
}

// Opens a new page below `table` with a courses table of its own: a header row, the
// widths of the template's courses table, borders, no bold. Returns the new table.
Result<int> startCoursesPage(WordDocument& document, int table) {
    if (Result<void> broken = document.insertPageBreakBelowTable(table); !broken)
        return std::unexpected(broken.error());
    Result<int> next = document.insertTableAfter(table, 1, 4);
    if (!next)
        return next;
    document.setBorders(*next, true);
    const std::array<QString, 4> header{QStringLiteral("Curso"), QStringLiteral("N Horas"),
                                        QString::fromUtf8("Año"), QStringLiteral("Centro")};
    for (int column = 1; column <= 4; ++column)
        document.setCellText(*next, 1, column, header[column - 1]);
    if (Result<std::vector<int>> widths = document.columnWidths(kCoursesTable))
        document.setColumnWidths(*next, *widths);
    document.formatTable(*next, TextFormat{std::nullopt, false, std::nullopt, {}});
    return next;
}

std::optional<QByteArray> contentsOf(const QString& path) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Keeps the pair as it is now as the one backup generation ("<name>.bak" beside each file),
// replacing the previous backups. Nothing to keep when there is no document yet.
Result<void> keepBackup(const QString& documentPath, const QString& xmlPath,
                        const std::optional<QByteArray>& previousXml) {
    const std::optional<QByteArray> previousDocument = contentsOf(documentPath);
    if (!previousDocument)
        return {};
    if (Result<void> kept = writeFileAtomically(backupPathFor(documentPath), *previousDocument); !kept)
        return kept;
    if (previousXml)
        return writeFileAtomically(backupPathFor(xmlPath), *previousXml);
    // The backup document has no positions XML: an older one would not be its pair.
    QFile::remove(backupPathFor(xmlPath));
    return {};
}

} // namespace

QString backupPathFor(const QString& path) {
    return path + QStringLiteral(".bak");
}

QString templatePathFor(const QString& dataFolder, const QString& templateFolderName) {
    return QDir(QDir(dataFolder).filePath(templateFolderName)).filePath(QStringLiteral("PlantillaWXP.dot"));
}

int wordMajorVersion() {
    return WordDocument::version().section(u'.', 0, 0).toInt();
}

QString GenerationRequest::documentPath() const {
    return QDir(applicationsFolder).filePath(fileName);
}

QString GenerationRequest::xmlPath() const {
    return QDir(applicationsFolder).filePath(PositionsXml::fileNameFor(fileName));
}

DocumentGenerator::DocumentGenerator(const SolicitudDatos& datos, MessageService& messages,
                                     ProgressIndicator* progress)
    : m_datos(datos), m_messages(messages), m_progress(progress) {}

int DocumentGenerator::progressMaximum() const {
    return kFormControlSteps + m_datos.vacantes->rowCount() + m_datos.resultas->rowCount() +
           m_datos.cursos->rowCount() + m_datos.documentos->rowCount();
}

void DocumentGenerator::advance() {
    if (m_progress)
        m_progress->advance();
}

Result<GeneratedDocument> DocumentGenerator::generate(const GenerationRequest& request) {
    Result<WordDocument> document = WordDocument::openTemplate(request.templatePath);
    if (!document)
        return std::unexpected(document.error());

    // The document is written only once it is complete (save()): writing the bare template
    // first would replace a previous application before the new one exists. Whether it can
    // be written there is known now.
    const QString folder = QDir::toNativeSeparators(request.applicationsFolder);
    if (!QDir().mkpath(request.applicationsFolder))
        return std::unexpected(
            makeError(errors::kPathNotFound,
                      QStringLiteral("No se puede crear la carpeta de solicitudes «%1».").arg(folder)));
    QTemporaryFile probe(QDir(request.applicationsFolder).filePath(QStringLiteral(".velantor-XXXXXX")));
    if (!probe.open())
        return std::unexpected(makeError(
            errors::kFileAccess, QStringLiteral("No se puede escribir en la carpeta de solicitudes «%1»: %2")
                                     .arg(folder, probe.errorString())));
    probe.close();

    GeneratedDocument generated{std::move(*document), {}, {}, 2, 1};
    if (request.wordMajorVersion <= 8 && m_earlyPrint) {
        if (Result<void> printed = m_earlyPrint(generated.document); !printed)
            return std::unexpected(printed.error());
    }

    if (m_progress) {
        m_progress->setMaximum(progressMaximum());
        m_progress->setValue(0);
    }
    const QDateTime at = request.at.value_or(QDateTime::currentDateTime());
    generated.date = at.date().toString(QStringLiteral("dd/MM/yyyy"));
    generated.time = at.time().toString(QStringLiteral("HH:mm:ss"));

    WordDocument& doc = generated.document;
    for (const auto& [bookmark, text] :
         {std::pair{QStringLiteral("DNICAB"), m_datos.text(ctl::txtDNI)},
          std::pair{QStringLiteral("FECHAIMPR"), generated.date + u' ' + generated.time},
          // A draft is marked on the printed copy only (run()), never in the stored document.
          std::pair{QStringLiteral("BORRADOR"), QString()}}) {
        if (Result<void> typed = doc.typeAtBookmark(bookmark, text); !typed)
            return std::unexpected(withContext(typed.error(), QStringLiteral("La plantilla no sirve:")));
    }

    // From here on a part the template lacks is passed over: the rest is still produced.
    fillFormFields(doc);
    fillCourses(generated);
    return generated;
}

void DocumentGenerator::fillFormFields(WordDocument& document) {
    const bool noCurrentPost = m_datos.option(ctl::OptNo);
    for (const FormControl& control : formControls()) {
        advance();
        if (control.tag.isEmpty())
            continue;
        switch (control.kind) {
        case ControlKind::Text:
            document.setFieldText(control.tag, m_datos.text(control.name));
            break;
        case ControlKind::Option:
            document.setChecked(control.tag, !(noCurrentPost && clearedWithoutPost(control.tag)) &&
                                                 m_datos.option(control.name));
            break;
        case ControlKind::Combo:
            document.setFieldText(control.tag, m_datos.text(control.name));
            document.setFieldText(control.tag + u'1', m_datos.text(control.name));
            break;
        }
    }
    if (m_progress && m_progress->value() < kFormControlSteps)
        m_progress->setValue(kFormControlSteps);
}

void DocumentGenerator::fillCourses(GeneratedDocument& generated) {
    WordDocument& document = generated.document;
    Table& cursos = *m_datos.cursos;
    if (cursos.rowCount() == 0)
        return;
    const std::array<int, 4> fields{cursos.fieldIndex(u"Curso"), cursos.fieldIndex(u"NHoras"),
                                    cursos.fieldIndex(u"Ano"), cursos.fieldIndex(u"Centro")};
    int table = kCoursesTable;
    int written = 0;
    cursos.moveFirst();
    while (!cursos.eof()) {
        advance();
        if (Result<int> row = document.appendRow(table)) {
            for (int column = 1; column <= 4; ++column) {
                const int field = fields[column - 1];
                document.setCellText(table, *row, column, field < 0 ? QString() : cursos.text(field));
            }
        }
        cursos.moveNext();
        ++written;
        if (written % kCoursesPerPage == 0 && !cursos.eof()) {
            if (Result<int> next = startCoursesPage(document, table)) {
                table = *next;
                ++generated.pageCounter;
                ++generated.courseTables;
            }
        }
    }
}

Result<void> DocumentGenerator::save(GeneratedDocument& generated, const GenerationRequest& request) {
    const QString xmlPath = request.xmlPath();
    const std::optional<QByteArray> previousXml = contentsOf(xmlPath);
    if (Result<void> kept = keepBackup(request.documentPath(), xmlPath, previousXml); !kept)
        return std::unexpected(withContext(kept.error(), QStringLiteral("La solicitud no se ha guardado.")));
    const ApplicationTables lists{m_datos.vacantes, m_datos.resultas, m_datos.cursos, m_datos.documentos};
    Result<void> xml = PositionsXml::write(xmlPath, lists, request.tracePath);
    if (!xml && xml.error().number == errors::kMalformedXml)
        m_messages.show(Message{xml.error().description, PositionsXml::messageTitle(), MessageIcon::Exclamation,
                                MessageButtons::Ok});
    // Text that does not parse has been told to the user and leaves the old XML; the
    // document is saved all the same. A file that cannot be written stops the save.
    const bool xmlWritten = xml.has_value();
    if (!xml && xml.error().number != errors::kMalformedXml)
        return std::unexpected(withContext(xml.error(), QStringLiteral("La solicitud no se ha guardado.")));

    if (Result<void> saved = generated.document.saveAs(request.documentPath()); !saved) {
        // Document and XML belong together: the previous pair stays a pair.
        if (xmlWritten) {
            if (previousXml)
                writeFileAtomically(xmlPath, *previousXml);
            else
                QFile::remove(xmlPath);
        }
        return std::unexpected(withContext(saved.error(), QStringLiteral("La solicitud no se ha guardado.")));
    }
    return {};
}

Result<void> DocumentGenerator::run(const GenerationRequest& request) {
    Result<GeneratedDocument> generated = generate(request);
    if (!generated)
        return std::unexpected(generated.error());
    if (Result<void> saved = save(*generated, request); !saved)
        return saved;
    if (!request.print)
        return {};
    if (!m_printCompletion)
        return std::unexpected(makeError(
            errors::kInvalidProcedureCall,
            QStringLiteral("La solicitud se ha guardado, pero no se ha podido imprimir: la impresión no está "
                           "disponible.")));
    // The document is saved: from here on it is only the printed copy.
    if (request.draft) {
        if (Result<void> marked = generated->document.typeAtBookmark(QStringLiteral("BORRADOR"),
                                                                     QStringLiteral("BORRADOR"));
            !marked)
            return std::unexpected(marked.error());
    }
    return m_printCompletion(*generated, request);
}

} // namespace velantor
