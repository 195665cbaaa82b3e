#pragma once

#include <QString>

#include <pugixml.hpp>

#include "platform/Error.h"
#include "docengine/OoxmlPackage.h"

namespace velantor {

// Pictures embedded in a document: the image bytes go into the package's media
// folder under a relationship of the main part, with their content type declared,
// and an inline drawing of the given size refers to them. BMP, PNG, JPEG and GIF
// files are embedded as they are.
class DocxPictures {
public:
    DocxPictures(OoxmlPackage& package, pugi::xml_document& contentTypes, pugi::xml_document& relationships,
                 pugi::xml_node documentRoot, const QString& mainPartName)
        : m_package(package), m_contentTypes(contentTypes), m_relationships(relationships),
          m_documentRoot(documentRoot), m_mainPartName(mainPartName) {}

    // Adds the picture at the end of `paragraph`, `widthTwips` x `heightTwips` large.
    Result<void> append(pugi::xml_node paragraph, const QString& imagePath, int widthTwips, int heightTwips);

    // EMU (the drawing unit) per twip.
    static constexpr long long kEmuPerTwip = 635;

private:
    QString addMedia(const QByteArray& bytes, const QString& extension, const QString& contentType);
    int nextDrawingId() const;

    OoxmlPackage& m_package;
    pugi::xml_document& m_contentTypes;
    pugi::xml_document& m_relationships;
    pugi::xml_node m_documentRoot;
    QString m_mainPartName;
};

} // namespace velantor
