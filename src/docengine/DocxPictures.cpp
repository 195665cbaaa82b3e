#include "docengine/DocxPictures.h"

#include <algorithm>
#include <optional>

#include <QFile>
#include <QFileInfo>

#include "docengine/DocxXml.h"

namespace velantor {

using namespace docx;

namespace {

struct ImageKind {
    QString extension;
    QString contentType;
};

// The picture's format, told by its first bytes rather than by its file name.
std::optional<ImageKind> imageKind(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n")) {
        return ImageKind{QStringLiteral("png"), QStringLiteral("image/png")};
    }
    if (bytes.startsWith("BM") && bytes.size() > 54) {
        return ImageKind{QStringLiteral("bmp"), QStringLiteral("image/bmp")};
    }
    if (bytes.startsWith("\xff\xd8\xff")) {
        return ImageKind{QStringLiteral("jpeg"), QStringLiteral("image/jpeg")};
    }
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) {
        return ImageKind{QStringLiteral("gif"), QStringLiteral("image/gif")};
    }
    return std::nullopt;
}

const char* const kImageRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

} // namespace

Result<void> DocxPictures::append(pugi::xml_node paragraph, const QString& imagePath, int widthTwips,
                                  int heightTwips) {
    QFile file(imagePath);
    if (!file.exists()) {
        return std::unexpected(makeError(errors::kFileNotFound,
                                         QStringLiteral("No se encuentra la imagen «%1».").arg(imagePath)));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return std::unexpected(makeError(
            errors::kFileAccess,
            QStringLiteral("No se puede leer la imagen «%1»: %2.").arg(imagePath, file.errorString())));
    }
    const QByteArray bytes = file.readAll();
    const std::optional<ImageKind> kind = imageKind(bytes);
    if (!kind) {
        return std::unexpected(makeError(
            errors::kInvalidProcedureCall,
            QStringLiteral("La imagen «%1» no está en formato BMP, PNG, JPEG ni GIF.").arg(imagePath)));
    }
    if (widthTwips <= 0 || heightTwips <= 0) {
        return std::unexpected(
            makeError(errors::kInvalidProcedureCall,
                      QStringLiteral("El tamaño de la imagen «%1» no es válido.").arg(imagePath)));
    }

    const QString relationId = addMedia(bytes, kind->extension, kind->contentType);
    const int id = nextDrawingId();
    const QString cx = QString::number(widthTwips * kEmuPerTwip);
    const QString cy = QString::number(heightTwips * kEmuPerTwip);
    const QString name = QFileInfo(imagePath).fileName().toHtmlEscaped();
    const QString xml =
        QStringLiteral(
            "<w:r><w:drawing"
            " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
            " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
            " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\""
            " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">"
            "<wp:extent cx=\"%1\" cy=\"%2\"/><wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/>"
            "<wp:docPr id=\"%3\" name=\"Imagen %3\"/>"
            "<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/></wp:cNvGraphicFramePr>"
            "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
            "<pic:pic><pic:nvPicPr><pic:cNvPr id=\"%3\" name=\"%4\"/><pic:cNvPicPr/></pic:nvPicPr>"
            "<pic:blipFill><a:blip r:embed=\"%5\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
            "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"%1\" cy=\"%2\"/></a:xfrm>"
            "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic>"
            "</a:graphicData></a:graphic></wp:inline></w:drawing></w:r>")
            .arg(cx, cy, QString::number(id), name, relationId);
    pugi::xml_document fragment;
    fragment.load_string(utf8(xml).c_str());
    paragraph.append_copy(fragment.first_child());
    return {};
}

QString DocxPictures::addMedia(const QByteArray& bytes, const QString& extension,
                               const QString& contentType) {
    const qsizetype slash = m_mainPartName.lastIndexOf(u'/');
    const QString folder = slash >= 0 ? m_mainPartName.left(slash + 1) : QString();
    int number = 1;
    while (m_package.contains(folder + QStringLiteral("media/image%1.%2").arg(number).arg(extension))) {
        ++number;
    }
    const QString target = QStringLiteral("media/image%1.%2").arg(number).arg(extension);
    m_package.setPart(folder + target, bytes);

    pugi::xml_node types = m_contentTypes.child("Types");
    bool declared = false;
    for (pugi::xml_node d : types.children("Default")) {
        declared =
            declared || qstr(d.attribute("Extension").value()).compare(extension, Qt::CaseInsensitive) == 0;
    }
    if (!declared) {
        pugi::xml_node d = types.prepend_child("Default");
        d.append_attribute("Extension") = utf8(extension).c_str();
        d.append_attribute("ContentType") = utf8(contentType).c_str();
    }

    pugi::xml_node relationships = m_relationships.child("Relationships");
    if (!relationships) {
        relationships = m_relationships.append_child("Relationships");
        relationships.append_attribute("xmlns") =
            "http://schemas.openxmlformats.org/package/2006/relationships";
    }
    int id = 1;
    for (pugi::xml_node r : relationships.children("Relationship")) {
        const QString existing = qstr(r.attribute("Id").value());
        if (existing.startsWith(QStringLiteral("rId"))) {
            id = std::max(id, existing.mid(3).toInt() + 1);
        }
    }
    const QString relationId = QStringLiteral("rId%1").arg(id);
    pugi::xml_node r = relationships.append_child("Relationship");
    r.append_attribute("Id") = utf8(relationId).c_str();
    r.append_attribute("Type") = kImageRelationship;
    r.append_attribute("Target") = utf8(target).c_str();
    return relationId;
}

int DocxPictures::nextDrawingId() const {
    int id = 1;
    for (const pugi::xpath_node& hit : m_documentRoot.select_nodes("//wp:docPr")) {
        id = std::max(id, hit.node().attribute("id").as_int() + 1);
    }
    return id;
}

} // namespace velantor
