#include "docengine/DocxBookmarks.h"

#include <cstring>

#include "docengine/DocxXml.h"

namespace velantor {

using namespace docx;

namespace {

pugi::xml_node nearbyRunProperties(pugi::xml_node start) {
    for (pugi::xml_node n = start.previous_sibling(); n; n = n.previous_sibling()) {
        if (std::strcmp(n.name(), "w:r") == 0) {
            return n.child("w:rPr");
        }
    }
    for (pugi::xml_node n = start.next_sibling(); n; n = n.next_sibling()) {
        if (std::strcmp(n.name(), "w:r") == 0) {
            return n.child("w:rPr");
        }
    }
    return start.parent().child("w:pPr").child("w:rPr");
}

} // namespace

QStringList DocxBookmarks::names() const {
    QStringList result;
    for (const pugi::xpath_node& hit : m_body.select_nodes(".//w:bookmarkStart")) {
        result << qstr(hit.node().attribute("w:name").value());
    }
    return result;
}

bool DocxBookmarks::contains(const QString& name) const {
    return find(name).has_value();
}

Result<DocxBookmarks::Range> DocxBookmarks::find(const QString& name) const {
    for (const pugi::xpath_node& hit : m_body.select_nodes(".//w:bookmarkStart")) {
        const pugi::xml_node start = hit.node();
        if (qstr(start.attribute("w:name").value()).compare(name, Qt::CaseInsensitive) != 0) {
            continue;
        }
        const std::string id = start.attribute("w:id").value();
        pugi::xml_node end;
        for (pugi::xml_node n = nextInDocumentOrder(start, m_body); n; n = nextInDocumentOrder(n, m_body)) {
            if (std::strcmp(n.name(), "w:bookmarkEnd") == 0 && id == n.attribute("w:id").value()) {
                end = n;
                break;
            }
        }
        return Range{start, end};
    }
    return std::unexpected(makeError(errors::kInvalidProcedureCall,
                                     QStringLiteral("El documento no tiene el marcador «%1».").arg(name)));
}

Result<void> DocxBookmarks::type(const QString& name, const QString& text) {
    Result<Range> range = find(name);
    if (!range) {
        return std::unexpected(range.error());
    }
    pugi::xml_node container = range->start.parent();
    pugi::xml_node after = range->start;
    if (std::strcmp(container.name(), "w:p") != 0) {
        // A bookmark between paragraphs: the text goes at the start of the next one.
        container = {};
        for (pugi::xml_node n = nextInDocumentOrder(range->start, m_body); n;
             n = nextInDocumentOrder(n, m_body)) {
            if (std::strcmp(n.name(), "w:p") == 0) {
                container = n;
                break;
            }
        }
        if (!container) {
            return std::unexpected(
                makeError(errors::kInvalidProcedureCall,
                          QStringLiteral("El marcador «%1» no está delante de ningún párrafo.").arg(name)));
        }
        after = container.child("w:pPr");
    } else if (range->end && range->end.parent() == container) {
        // Replace what the bookmark encloses within its paragraph.
        for (pugi::xml_node n = range->start.next_sibling(); n && n != range->end;) {
            pugi::xml_node next = n.next_sibling();
            container.remove_child(n);
            n = next;
        }
    }
    const pugi::xml_node run = insertTextRun(
        container, after, text,
        nearbyRunProperties(range->start.parent() == container ? range->start : container.child("w:pPr")));
    if (!range->end) {
        pugi::xml_node end = container.insert_child_after("w:bookmarkEnd", run);
        end.append_attribute("w:id") = range->start.attribute("w:id").value();
    }
    return {};
}

Result<QString> DocxBookmarks::text(const QString& name) const {
    Result<Range> range = find(name);
    if (!range) {
        return std::unexpected(range.error());
    }
    QString text;
    for (pugi::xml_node n = nextInDocumentOrder(range->start, m_body); n && n != range->end;
         n = nextInDocumentOrder(n, m_body)) {
        if (std::strcmp(n.name(), "w:t") == 0) {
            text += qstr(n.text().get());
        } else if (std::strcmp(n.name(), "w:br") == 0 || std::strcmp(n.name(), "w:cr") == 0 ||
                   std::strcmp(n.name(), "w:p") == 0) {
            text += u'\n';
        }
    }
    return text;
}

} // namespace velantor
