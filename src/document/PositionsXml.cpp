#include "document/PositionsXml.h"

#include <array>

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <pugixml.hpp>

#include "platform/SafeFile.h"

namespace velantor {

namespace {

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>";

// Columns in the order they are written.
constexpr std::array<const char16_t*, 10> kPositionColumns{
    u"CodConvocatoria", u"NomConvocatoria", u"Orden",   u"Localidad", u"Consejeria",
    u"IdSolicitud",     u"CodArea",         u"CodZona", u"Area",      u"Zona"};
constexpr std::array<const char16_t*, 5> kCourseColumns{u"Curso", u"NHoras", u"Ano", u"Centro", u"IdCurso"};
constexpr std::array<const char16_t*, 5> kDocumentColumns{u"Documento", u"IdDocumento", u"Horas", u"Fecha",
                                                          u"Centro"};

// A character the file's encoding cannot hold goes as a character reference, so that the
// file stays ISO-8859-1 and the character comes back as it was typed.
QString escaped(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c.unicode() > 0xFF) {
            char32_t code = c.unicode();
            if (c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate())
                code = QChar::surrogateToUcs4(c, value[++i]);
            else if (c.isSurrogate())
                code = 0xFFFD; // half a pair names no character
            out += QStringLiteral("&#%1;").arg(quint32(code));
            continue;
        }
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'\r':
            out += QStringLiteral("&#13;");
            break;
        case u'\n':
            out += QStringLiteral("&#10;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Appends one element per row of `table`, in its current order, leaving it past the end.
template <std::size_t N>
void appendRows(QString& text, Table& table, const QString& rowElement,
                const std::array<const char16_t*, N>& columns,
                std::initializer_list<QStringView> ampersandToBlank = {}) {
    std::array<int, N> fields{};
    for (std::size_t i = 0; i < N; ++i) {
        fields[i] = table.requireField(QStringView(columns[i]));
    }
    if (table.rowCount() > 0) {
        table.moveFirst();
    }
    while (!table.eof()) {
        text += u'<' + rowElement + u'>';
        for (std::size_t i = 0; i < N; ++i) {
            const QString name = QString::fromUtf16(columns[i]);
            QString value = table.text(fields[i]);
            for (QStringView column : ampersandToBlank) {
                if (column == name) {
                    value.replace(u'&', u' ');
                }
            }
            text += u'<' + name + u'>' + escaped(value) + QStringLiteral("</") + name + u'>';
        }
        text += QStringLiteral("</") + rowElement + u'>';
        table.moveNext();
    }
}

bool parses(const QByteArray& bytes) {
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd()) {
        reader.readNext();
    }
    return !reader.hasError();
}

QString elementText(const pugi::xml_node& node) {
    return QString::fromUtf8(pugi::xpath_query("string(.)").evaluate_string(node).c_str());
}

Error missingColumn(const QString& path, const QString& list, const QString& column) {
    return makeError(
        errors::kMissingXmlItem,
        QStringLiteral("Al leer la lista «%1» de «%2» falta el elemento «%3».").arg(list, path, column));
}

// Fills a new row of `table` from the element children of `row` named like its columns.
Result<void> readRow(Table& table, const pugi::xml_node& row, const QString& path, const QString& list) {
    table.addRow();
    for (int field = 0; field < table.fieldCount(); ++field) {
        const QString name = table.field(field).name;
        const pugi::xml_node column = row ? row.child(name.toUtf8().constData()) : pugi::xml_node();
        if (!column) {
            return std::unexpected(missingColumn(path, list, name));
        }
        table.setText(field, elementText(column));
    }
    return {};
}

// Vacancies and resultas: as many rows as the list has children, each read from the
// list's first remaining "Plaza", which is then taken out of the document in memory.
Result<void> readPositions(pugi::xml_document& document, Table& table, const char* list,
                           const QString& path) {
    const std::string name = list;
    const std::size_t count = document.select_nodes(("//" + name + "/*").c_str()).size();
    pugi::xml_node parent = document.select_node(("//" + name).c_str()).node();
    for (std::size_t i = 0; i < count; ++i) {
        const pugi::xml_node row = parent.child("Plaza");
        Result<void> read = readRow(table, row, path, QString::fromLatin1(list));
        if (!read) {
            return read;
        }
        parent.remove_child(row);
    }
    return {};
}

// Courses and documents: the k-th row element for k up to the list's child count.
Result<void> readIndexed(pugi::xml_document& document, Table& table, const char* list, const char* rowElement,
                         const QString& path) {
    const std::string name = list;
    const std::size_t count = document.select_nodes(("//" + name + "/*").c_str()).size();
    const pugi::xpath_node_set rows = document.select_nodes(("//" + name + "/" + rowElement).c_str());
    for (std::size_t k = 0; k < count; ++k) {
        const pugi::xml_node row = k < rows.size() ? rows[k].node() : pugi::xml_node();
        Result<void> read = readRow(table, row, path, QString::fromLatin1(list));
        if (!read) {
            return read;
        }
    }
    return {};
}

bool loadDocument(pugi::xml_document& document, const QByteArray& bytes) {
    return bool(document.load_buffer(bytes.constData(), std::size_t(bytes.size()),
                                     pugi::parse_default | pugi::parse_ws_pcdata_single,
                                     pugi::encoding_auto));
}

} // namespace

QString PositionsXml::fileNameFor(const QString& documentFileName) {
    return documentFileName.left(documentFileName.size() - 4) + QStringLiteral(".xml");
}

QByteArray PositionsXml::build(const ApplicationTables& lists) {
    QString text = QString::fromLatin1(kDeclaration) + QStringLiteral("<Plazas><Vacantes>");
    appendRows(text, *lists.vacantes, QStringLiteral("Plaza"), kPositionColumns);
    text += QStringLiteral("</Vacantes><Resultas>");
    appendRows(text, *lists.resultas, QStringLiteral("Plaza"), kPositionColumns);
    text += QStringLiteral("</Resultas><Cursos>");
    appendRows(text, *lists.cursos, QStringLiteral("CursoRealizado"), kCourseColumns, {u"Curso", u"Centro"});
    text += QStringLiteral("</Cursos><Documentos>");
    appendRows(text, *lists.documentos, QStringLiteral("Doc"), kDocumentColumns, {u"Documento"});
    text += QStringLiteral("</Documentos></Plazas>");
    return text.toLatin1();
}

Result<void> PositionsXml::write(const QString& path, const ApplicationTables& lists, const QString& tracePath) {
    const QByteArray text = build(lists);
    if (!parses(text)) {
        // The trace keeps the rejected text for whoever looks into it; the old file stays.
        if (Result<void> traced = writeFileAtomically(tracePath, text + "\r\n"); !traced) {
            return traced;
        }
        return std::unexpected(makeError(errors::kMalformedXml, malformedText()));
    }
    return writeFileAtomically(path, text);
}

QString PositionsXml::malformedText() {
    return QStringLiteral("Formato erróneo de XML");
}

QString PositionsXml::damagedText(const QString& path) {
    return QString::fromUtf8(
               "El archivo «%1», que guarda las plazas solicitadas, los cursos y los documentos de esta "
               "solicitud, está dañado y no se puede leer. Las listas se abren vacías; si guarda la "
               "solicitud, el archivo se sustituirá por las listas que tenga entonces.")
        .arg(QDir::toNativeSeparators(path));
}

QString PositionsXml::messageTitle() {
    return QStringLiteral("Error de XML");
}

bool PositionsXml::isDamaged(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return false;
    }
    pugi::xml_document document;
    return !file.open(QIODevice::ReadOnly) || !loadDocument(document, file.readAll());
}

Result<void> PositionsXml::read(const QString& path, const ApplicationTables& lists) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    pugi::xml_document document;
    if (!loadDocument(document, file.readAll())) {
        return {};
    }
    Result<void> read = readPositions(document, *lists.vacantes, "Vacantes", path);
    if (read) {
        read = readPositions(document, *lists.resultas, "Resultas", path);
    }
    if (read) {
        read = readIndexed(document, *lists.cursos, "Cursos", "CursoRealizado", path);
    }
    if (read) {
        read = readIndexed(document, *lists.documentos, "Documentos", "Doc", path);
    }
    return read;
}

} // namespace velantor
