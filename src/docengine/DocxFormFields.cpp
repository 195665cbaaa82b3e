#include "docengine/DocxFormFields.h"

#include <array>
#include <cstring>

#include "docengine/DocxXml.h"

namespace velantor {

using namespace docx;

namespace {

constexpr std::array kCheckBoxOrder{"w:size", "w:sizeAuto", "w:default", "w:checked"};

bool isMarker(pugi::xml_node node) {
    return std::strcmp(node.name(), "w:bookmarkStart") == 0 || std::strcmp(node.name(), "w:bookmarkEnd") == 0;
}

// Removes the siblings strictly between `first` and `last` (either may be null: from
// the start / to the end), keeping bookmark markers so no bookmark loses an end.
void removeBetween(pugi::xml_node parent, pugi::xml_node first, pugi::xml_node last) {
    pugi::xml_node n = first ? first.next_sibling() : parent.first_child();
    while (n && n != last) {
        pugi::xml_node next = n.next_sibling();
        if (!isMarker(n) && std::strcmp(n.name(), "w:pPr") != 0) {
            parent.remove_child(n);
        }
        n = next;
    }
}

bool isEmptyPlaceholder(const QString& text) {
    for (QChar c : text) {
        if (c != QChar(0x2002)) {
            return false;
        }
    }
    return true;
}

} // namespace

QStringList DocxFormFields::names() const {
    QStringList result;
    for (const pugi::xpath_node& hit :
         m_body.select_nodes(".//w:fldChar[@w:fldCharType='begin']/w:ffData/w:name")) {
        result << val(hit.node());
    }
    return result;
}

namespace {

QString kindOf(pugi::xml_node data) {
    for (const char* kind : {"w:textInput", "w:checkBox", "w:ddList"}) {
        if (data.child(kind)) {
            return QString::fromLatin1(kind);
        }
    }
    return {};
}

} // namespace

std::vector<DocxFormFields::Entry> DocxFormFields::entries() const {
    std::vector<Entry> result;
    for (const pugi::xpath_node& hit : m_body.select_nodes(".//w:fldChar[@w:fldCharType='begin']/w:ffData")) {
        result.push_back(Entry{val(hit.node().child("w:name")), kindOf(hit.node())});
    }
    return result;
}

Result<int> DocxFormFields::nameUnnamedLike(const std::vector<Entry>& reference) {
    std::vector<pugi::xml_node> fields;
    for (const pugi::xpath_node& hit : m_body.select_nodes(".//w:fldChar[@w:fldCharType='begin']/w:ffData")) {
        fields.push_back(hit.node());
    }
    auto mismatch = [](const QString& why) {
        return std::unexpected(makeError(
            errors::kInvalidProcedureCall,
            QStringLiteral("Los campos del documento no corresponden a los de la plantilla: %1.").arg(why)));
    };
    if (fields.size() != reference.size()) {
        return mismatch(
            QStringLiteral("tiene %1 campos y la plantilla %2").arg(fields.size()).arg(reference.size()));
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString name = val(fields[i].child("w:name"));
        if (kindOf(fields[i]) != reference[i].kind ||
            (!name.isEmpty() && name.compare(reference[i].name, Qt::CaseInsensitive) != 0)) {
            return mismatch(QStringLiteral("el campo %1 es distinto").arg(i + 1));
        }
    }
    int named = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (val(fields[i].child("w:name")).isEmpty()) {
            pugi::xml_node element = fields[i].child("w:name");
            if (!element) {
                element = fields[i].prepend_child("w:name");
            }
            setVal(element, reference[i].name);
            ++named;
        }
    }
    return named;
}

Result<DocxFormFields::Field> DocxFormFields::find(const QString& name) const {
    for (const pugi::xpath_node& hit : m_body.select_nodes(".//w:fldChar[@w:fldCharType='begin']/w:ffData")) {
        const pugi::xml_node data = hit.node();
        if (val(data.child("w:name")).compare(name, Qt::CaseInsensitive) == 0) {
            return Field{data.parent().parent(), data};
        }
    }
    return std::unexpected(makeError(errors::kMissingFormField,
                                     QStringLiteral("El documento no tiene el campo «%1».").arg(name)));
}

Result<DocxFormFields::Field> DocxFormFields::findOfKind(const QString& name, const char* kind,
                                                         const QString& kindName) const {
    Result<Field> field = find(name);
    if (field && !field->data.child(kind)) {
        return std::unexpected(makeError(errors::kInvalidProcedureCall,
                                         QStringLiteral("El campo «%1» no es %2.").arg(name, kindName)));
    }
    return field;
}

void DocxFormFields::boundaries(const Field& field, pugi::xml_node& separateRun,
                                pugi::xml_node& endRun) const {
    separateRun = {};
    endRun = {};
    int depth = 1;
    const pugi::xml_node begin = field.data.parent();
    for (pugi::xml_node n = nextInDocumentOrder(begin, m_body); n; n = nextInDocumentOrder(n, m_body)) {
        if (std::strcmp(n.name(), "w:fldChar") != 0) {
            continue;
        }
        const char* type = n.attribute("w:fldCharType").value();
        if (std::strcmp(type, "begin") == 0) {
            ++depth;
        } else if (std::strcmp(type, "separate") == 0 && depth == 1) {
            separateRun = n.parent();
        } else if (std::strcmp(type, "end") == 0 && --depth == 0) {
            endRun = n.parent();
            return;
        }
    }
}

Result<QString> DocxFormFields::text(const QString& name) const {
    Result<Field> field = findOfKind(name, "w:textInput", QStringLiteral("un campo de texto"));
    if (!field) {
        return std::unexpected(field.error());
    }
    pugi::xml_node separateRun;
    pugi::xml_node endRun;
    boundaries(*field, separateRun, endRun);
    if (!separateRun || !endRun) {
        return QString();
    }
    QString text;
    for (pugi::xml_node n = nextInDocumentOrder(separateRun, m_body); n && n != endRun;
         n = nextInDocumentOrder(n, m_body)) {
        const char* nodeName = n.name();
        if (std::strcmp(nodeName, "w:t") == 0) {
            text += qstr(n.text().get());
        } else if (std::strcmp(nodeName, "w:tab") == 0 && std::strcmp(n.parent().name(), "w:r") == 0) {
            text += u'\t';
        } else if (std::strcmp(nodeName, "w:br") == 0 || std::strcmp(nodeName, "w:cr") == 0 ||
                   std::strcmp(nodeName, "w:p") == 0) {
            text += u'\n';
        }
    }
    return isEmptyPlaceholder(text) ? QString() : text;
}

Result<void> DocxFormFields::setText(const QString& name, const QString& text) {
    Result<Field> field = findOfKind(name, "w:textInput", QStringLiteral("un campo de texto"));
    if (!field) {
        return std::unexpected(field.error());
    }
    pugi::xml_node separateRun;
    pugi::xml_node endRun;
    boundaries(*field, separateRun, endRun);
    if (!endRun) {
        return std::unexpected(makeError(
            errors::kMalformedXml, QStringLiteral("El campo «%1» del documento está incompleto.").arg(name)));
    }
    if (!separateRun) {
        separateRun = endRun.parent().insert_child_before("w:r", endRun);
        separateRun.append_child("w:fldChar").append_attribute("w:fldCharType") = "separate";
    }

    pugi::xml_node first = separateRun.parent();
    pugi::xml_node last = endRun.parent();
    if (first == last) {
        removeBetween(first, separateRun, endRun);
    } else if (std::strcmp(first.name(), "w:p") == 0 && std::strcmp(last.name(), "w:p") == 0 &&
               first.parent() == last.parent()) {
        // A result over several paragraphs becomes one paragraph again.
        removeBetween(first, separateRun, {});
        for (pugi::xml_node n = first.next_sibling(); n && n != last;) {
            pugi::xml_node next = n.next_sibling();
            first.parent().remove_child(n);
            n = next;
        }
        removeBetween(last, {}, endRun);
        for (pugi::xml_node n = last.first_child(); n;) {
            pugi::xml_node next = n.next_sibling();
            if (std::strcmp(n.name(), "w:pPr") != 0) {
                first.append_move(n);
            }
            n = next;
        }
        last.parent().remove_child(last);
    } else {
        return std::unexpected(makeError(
            errors::kInvalidProcedureCall,
            QStringLiteral(
                "El resultado del campo «%1» cruza los límites de una tabla y no se puede escribir.")
                .arg(name)));
    }
    if (!text.isEmpty()) {
        insertTextRun(separateRun.parent(), separateRun, text, field->beginRun.child("w:rPr"));
    }
    return {};
}

Result<bool> DocxFormFields::isChecked(const QString& name) const {
    Result<Field> field = findOfKind(name, "w:checkBox", QStringLiteral("una casilla de verificación"));
    if (!field) {
        return std::unexpected(field.error());
    }
    const pugi::xml_node box = field->data.child("w:checkBox");
    if (const pugi::xml_node checked = box.child("w:checked")) {
        return isOn(checked);
    }
    return isOn(box.child("w:default"));
}

Result<void> DocxFormFields::setChecked(const QString& name, bool checked) {
    Result<Field> field = findOfKind(name, "w:checkBox", QStringLiteral("una casilla de verificación"));
    if (!field) {
        return std::unexpected(field.error());
    }
    pugi::xml_node box = field->data.child("w:checkBox");
    setVal(ensureChild(box, "w:checked", kCheckBoxOrder),
           checked ? QStringLiteral("1") : QStringLiteral("0"));
    return {};
}

} // namespace velantor
