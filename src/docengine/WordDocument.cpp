#include "docengine/WordDocument.h"

#include <sstream>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pugixml.hpp>

#include "docengine/DocxBookmarks.h"
#include "docengine/DocxFormFields.h"
#include "docengine/DocxLegacyConverter.h"
#include "docengine/DocxPictures.h"
#include "docengine/DocxTableLayout.h"
#include "docengine/DocxTables.h"
#include "docengine/DocxXml.h"
#include "docengine/OoxmlPackage.h"
#include "platform/SafeFile.h"

namespace velantor {

using namespace docx;

namespace {

const QString kContentTypesPart = QStringLiteral("[Content_Types].xml");
const QString kPackageRelationshipsPart = QStringLiteral("_rels/.rels");
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;

Error notADocument(const QString& path, const QString& reason) {
    return makeError(errors::kMalformedXml,
                     QStringLiteral("El archivo «%1» no es un documento de procesador de textos válido (%2).")
                         .arg(path, reason));
}

bool parsePart(pugi::xml_document& document, const QByteArray& bytes) {
    if (!document.load_buffer(bytes.constData(), std::size_t(bytes.size()), kParseOptions,
                              pugi::encoding_auto)) {
        return false;
    }
    if (document.first_child().type() != pugi::node_declaration) {
        pugi::xml_node declaration = document.prepend_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        declaration.append_attribute("standalone") = "yes";
    }
    return true;
}

QByteArray serialize(const pugi::xml_document& document) {
    std::ostringstream out;
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    const std::string text = out.str();
    return QByteArray(text.data(), qsizetype(text.size()));
}

// The main part named by the package relationships ("word/document.xml" as a rule).
QString mainPartName(const pugi::xml_document& relationships) {
    for (pugi::xml_node r : relationships.child("Relationships").children("Relationship")) {
        if (qstr(r.attribute("Type").value()).endsWith(QStringLiteral("/officeDocument"))) {
            QString target = qstr(r.attribute("Target").value());
            while (target.startsWith(u'/')) {
                target.remove(0, 1);
            }
            return target;
        }
    }
    return QStringLiteral("word/document.xml");
}

QString relationshipsPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

} // namespace

struct WordDocument::Impl {
    OoxmlPackage package;
    QString mainPart;
    pugi::xml_document document;
    pugi::xml_document contentTypes;
    pugi::xml_document relationships;
    QString path;

    pugi::xml_node body() const { return document.child("w:document").child("w:body"); }

    // A document made from a template is a document, no longer a template.
    void makeDocument() {
        const QString partName = QStringLiteral("/") + mainPart;
        for (pugi::xml_node o : contentTypes.child("Types").children("Override")) {
            if (qstr(o.attribute("PartName").value()) == partName) {
                QString type = qstr(o.attribute("ContentType").value());
                type.replace(QStringLiteral(".template.main+xml"), QStringLiteral(".document.main+xml"));
                type.replace(QStringLiteral(".template.macroEnabledTemplate.main+xml"),
                             QStringLiteral(".document.macroEnabled.main+xml"));
                o.attribute("ContentType").set_value(utf8(type).c_str());
            }
        }
    }

    void storeParts() {
        package.setPart(mainPart, serialize(document));
        package.setPart(kContentTypesPart, serialize(contentTypes));
        if (relationships.child("Relationships")) {
            package.setPart(relationshipsPartOf(mainPart), serialize(relationships));
        }
    }
};

WordDocument::WordDocument(std::unique_ptr<Impl> impl) : m(std::move(impl)) {}
WordDocument::WordDocument(WordDocument&& other) noexcept = default;
WordDocument& WordDocument::operator=(WordDocument&& other) noexcept = default;
WordDocument::~WordDocument() = default;

Result<WordDocument> WordDocument::open(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return std::unexpected(
            makeError(errors::kFileNotFound, QStringLiteral("No se encuentra el documento «%1».").arg(path)));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return std::unexpected(makeError(
            errors::kFileAccess,
            QStringLiteral("No se puede leer el documento «%1»: %2.").arg(path, file.errorString())));
    }
    QByteArray bytes = file.readAll();
    file.close();
    if (DocxLegacyConverter::isLegacy(bytes)) {
        Result<QByteArray> converted = DocxLegacyConverter::convert(path);
        if (!converted) {
            return std::unexpected(converted.error());
        }
        bytes = *converted;
    }

    Result<OoxmlPackage> package = OoxmlPackage::fromZip(bytes, path);
    if (!package) {
        return std::unexpected(package.error());
    }
    auto impl = std::make_unique<Impl>();
    impl->package = std::move(*package);
    if (!impl->package.contains(kContentTypesPart) ||
        !parsePart(impl->contentTypes, impl->package.part(kContentTypesPart))) {
        return std::unexpected(notADocument(path, QStringLiteral("faltan los tipos de contenido")));
    }
    pugi::xml_document packageRelationships;
    parsePart(packageRelationships, impl->package.part(kPackageRelationshipsPart));
    impl->mainPart = mainPartName(packageRelationships);
    if (!impl->package.contains(impl->mainPart)) {
        return std::unexpected(notADocument(path, QStringLiteral("falta «%1»").arg(impl->mainPart)));
    }
    if (!parsePart(impl->document, impl->package.part(impl->mainPart)) || !impl->body()) {
        return std::unexpected(notADocument(path, QStringLiteral("«%1» está dañado").arg(impl->mainPart)));
    }
    const QString relationshipsPart = relationshipsPartOf(impl->mainPart);
    if (impl->package.contains(relationshipsPart) &&
        !parsePart(impl->relationships, impl->package.part(relationshipsPart))) {
        return std::unexpected(notADocument(path, QStringLiteral("«%1» está dañado").arg(relationshipsPart)));
    }
    impl->makeDocument();
    return WordDocument(std::move(impl));
}

Result<WordDocument> WordDocument::openTemplate(const QString& path) {
    const QFileInfo info(path);
    if (!info.dir().exists()) {
        return std::unexpected(makeError(
            errors::kPathNotFound,
            QStringLiteral("No existe la carpeta de plantillas «%1». Cada combinación de pestañas visibles "
                           "necesita su carpeta con la plantilla «%2».")
                .arg(QDir::toNativeSeparators(info.absolutePath()), info.fileName())));
    }
    if (!info.exists()) {
        return std::unexpected(
            makeError(errors::kFileNotFound, QStringLiteral("No se encuentra la plantilla «%1».")
                                                 .arg(QDir::toNativeSeparators(info.absoluteFilePath()))));
    }
    return open(path);
}

QString WordDocument::version() {
    return QStringLiteral("12.0");
}

QString WordDocument::path() const {
    return m->path;
}

Result<void> WordDocument::saveAs(const QString& path) {
    m->storeParts();
    Result<QByteArray> zip = m->package.toZip();
    if (!zip) {
        return std::unexpected(zip.error());
    }
    Result<void> written = writeFileAtomically(path, *zip);
    if (!written) {
        return written;
    }
    m->path = path;
    return {};
}

Result<void> WordDocument::save() {
    if (m->path.isEmpty()) {
        return std::unexpected(
            makeError(errors::kInvalidProcedureCall,
                      QStringLiteral("El documento aún no tiene nombre: hay que guardarlo como.")));
    }
    return saveAs(m->path);
}

QStringList WordDocument::formFieldNames() const {
    return DocxFormFields(m->body()).names();
}

Result<QString> WordDocument::fieldText(const QString& name) const {
    return DocxFormFields(m->body()).text(name);
}

Result<void> WordDocument::setFieldText(const QString& name, const QString& text) {
    return DocxFormFields(m->body()).setText(name, text);
}

Result<bool> WordDocument::isChecked(const QString& name) const {
    return DocxFormFields(m->body()).isChecked(name);
}

Result<void> WordDocument::setChecked(const QString& name, bool checked) {
    return DocxFormFields(m->body()).setChecked(name, checked);
}

Result<int> WordDocument::nameUnnamedFieldsLike(const WordDocument& reference) {
    return DocxFormFields(m->body()).nameUnnamedLike(DocxFormFields(reference.m->body()).entries());
}

QStringList WordDocument::bookmarkNames() const {
    return DocxBookmarks(m->body()).names();
}

Result<void> WordDocument::typeAtBookmark(const QString& name, const QString& text) {
    return DocxBookmarks(m->body()).type(name, text);
}

Result<QString> WordDocument::bookmarkText(const QString& name) const {
    return DocxBookmarks(m->body()).text(name);
}

int WordDocument::tableCount() const {
    return DocxTables(m->body()).count();
}

Result<int> WordDocument::rowCount(int table) const {
    return DocxTables(m->body()).rowCount(table);
}

Result<int> WordDocument::columnCount(int table) const {
    return DocxTables(m->body()).columnCount(table);
}

Result<int> WordDocument::appendRow(int table) {
    return DocxTables(m->body()).appendRow(table);
}

Result<void> WordDocument::setCellText(int table, int row, int column, const QString& text) {
    return DocxTables(m->body()).setCellText(table, row, column, text);
}

Result<void> WordDocument::appendCellText(int table, int row, int column, const QString& text) {
    return DocxTables(m->body()).appendCellText(table, row, column, text);
}

Result<QString> WordDocument::cellText(int table, int row, int column) const {
    return DocxTables(m->body()).cellText(table, row, column);
}

Result<void> WordDocument::mergeCells(int table, int row, int column, int count) {
    return DocxTables(m->body()).mergeCells(table, row, column, count);
}

Result<std::vector<int>> WordDocument::columnWidths(int table) const {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).columnWidths(table);
}

Result<void> WordDocument::setColumnWidths(int table, const std::vector<int>& twips) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).setColumnWidths(table, twips);
}

Result<void> WordDocument::setColumnWidth(int table, int column, int twips) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).setColumnWidth(table, column, twips);
}

Result<int> WordDocument::cellWidth(int table, int row, int column) const {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).cellWidth(table, row, column);
}

Result<RowHeight> WordDocument::rowHeight(int table, int row) const {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).rowHeight(table, row);
}

Result<void> WordDocument::setRowHeight(int table, int row, const RowHeight& height) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).setRowHeight(table, row, height);
}

Result<void> WordDocument::setRowCellPadding(int table, int row, int topTwips, int bottomTwips) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).setRowCellPadding(table, row, topTwips, bottomTwips);
}

Result<void> WordDocument::setBorders(int table, bool enabled) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).setBorders(table, enabled);
}

Result<void> WordDocument::formatTable(int table, const TextFormat& format) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).formatTable(table, format);
}

Result<void> WordDocument::formatColumn(int table, int column, const TextFormat& format) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).formatColumn(table, column, format);
}

Result<void> WordDocument::formatRow(int table, int row, const TextFormat& format) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).formatRow(table, row, format);
}

Result<void> WordDocument::formatCell(int table, int row, int column, const TextFormat& format) {
    DocxTables tables(m->body());
    return DocxTableLayout(tables).formatCell(table, row, column, format);
}

Result<void> WordDocument::typeBelowTable(int table, const QString& text) {
    return DocxTables(m->body()).typeBelow(table, text);
}

Result<void> WordDocument::insertPageBreakBelowTable(int table) {
    return DocxTables(m->body()).insertPageBreakBelow(table);
}

Result<void> WordDocument::insertPictureBelowTable(int table, const QString& imagePath, int widthTwips,
                                                   int heightTwips) {
    Result<pugi::xml_node> paragraph = DocxTables(m->body()).paragraphBelow(table);
    if (!paragraph) {
        return std::unexpected(paragraph.error());
    }
    DocxPictures pictures(m->package, m->contentTypes, m->relationships, m->document, m->mainPart);
    return pictures.append(*paragraph, imagePath, widthTwips, heightTwips);
}

Result<int> WordDocument::insertTableAfter(int table, int rows, int columns) {
    return DocxTables(m->body()).insertTableAfter(table, rows, columns);
}

Result<void> WordDocument::insertPictureInCell(int table, int row, int column, const QString& imagePath,
                                               int widthTwips, int heightTwips) {
    Result<pugi::xml_node> paragraph = DocxTables(m->body()).cellEndParagraph(table, row, column);
    if (!paragraph) {
        return std::unexpected(paragraph.error());
    }
    DocxPictures pictures(m->package, m->contentTypes, m->relationships, m->document, m->mainPart);
    return pictures.append(*paragraph, imagePath, widthTwips, heightTwips);
}

QString WordDocument::text() const {
    return textOf(m->body());
}

QByteArray WordDocument::part(const QString& name) const {
    m->storeParts();
    return m->package.part(name);
}

} // namespace velantor
