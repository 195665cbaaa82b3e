#pragma once

#include <vector>

#include <QString>
#include <QStringList>

#include <pugixml.hpp>

#include "platform/Error.h"

namespace velantor {

// The legacy form fields of a document body: text fields and check boxes known by
// name. A field is a "begin" field character carrying the field data (name and kind),
// an instruction, for text fields a "separate" character followed by the result runs,
// and an "end" character. Names match without regard to case; with two fields of the
// same name the first in document order answers. A name with no field gives error
// 5941 (errors::kMissingFormField).
class DocxFormFields {
public:
    explicit DocxFormFields(pugi::xml_node body) : m_body(body) {}

    QStringList names() const;

    // A field's name and kind ("w:textInput", "w:checkBox", ...), in document order.
    struct Entry {
        QString name;
        QString kind;
    };
    std::vector<Entry> entries() const;
    // Names the unnamed fields after `reference` when the fields match it one for one:
    // same count, same kinds, the same names wherever a name is left. Returns how many
    // fields were named; a mismatch is an error and changes nothing.
    Result<int> nameUnnamedLike(const std::vector<Entry>& reference);

    // A text field's result, "" for an empty field. A result made only of the en
    // spaces word processors show in an empty field counts as empty.
    Result<QString> text(const QString& name) const;
    // Replaces the result; the new run takes the field's own run formatting.
    Result<void> setText(const QString& name, const QString& text);

    // A check box's mark: its "checked" value, else its default.
    Result<bool> isChecked(const QString& name) const;
    Result<void> setChecked(const QString& name, bool checked);

private:
    struct Field {
        pugi::xml_node beginRun;
        pugi::xml_node data; // w:ffData
    };
    Result<Field> find(const QString& name) const;
    Result<Field> findOfKind(const QString& name, const char* kind, const QString& kindName) const;
    // The runs carrying the field's "separate" and "end" characters (separate may be null).
    void boundaries(const Field& field, pugi::xml_node& separateRun, pugi::xml_node& endRun) const;

    pugi::xml_node m_body;
};

} // namespace velantor
