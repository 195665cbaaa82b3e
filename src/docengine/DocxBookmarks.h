#pragma once

#include <QString>
#include <QStringList>

#include <pugixml.hpp>

#include "platform/Error.h"

namespace velantor {

// Named bookmarks of a document body ("w:bookmarkStart" ... "w:bookmarkEnd" with the
// same id). Names match without regard to case.
class DocxBookmarks {
public:
    explicit DocxBookmarks(pugi::xml_node body) : m_body(body) {}

    QStringList names() const;
    bool contains(const QString& name) const;

    // Puts `text` at the bookmark: whatever the bookmark encloses in its paragraph is
    // replaced, and the bookmark then encloses the new text, so typing again replaces
    // it. The text takes the formatting of the run before the bookmark, else of the
    // run after it, else of the paragraph mark.
    Result<void> type(const QString& name, const QString& text);
    // What the bookmark encloses.
    Result<QString> text(const QString& name) const;

private:
    struct Range {
        pugi::xml_node start;
        pugi::xml_node end; // null when the end is missing
    };
    Result<Range> find(const QString& name) const;

    pugi::xml_node m_body;
};

} // namespace velantor
