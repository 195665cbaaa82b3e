#include "docengine/DocxXml.h"

#include <array>
#include <cstring>

namespace velantor::docx {

namespace {

// clang-format off
constexpr std::array kRunOrder{
    "w:rStyle", "w:rFonts", "w:b", "w:bCs", "w:i", "w:iCs", "w:caps", "w:smallCaps", "w:strike", "w:dstrike",
    "w:outline", "w:shadow", "w:emboss", "w:imprint", "w:noProof", "w:snapToGrid", "w:vanish", "w:webHidden",
    "w:color", "w:spacing", "w:w", "w:kern", "w:position", "w:sz", "w:szCs", "w:highlight", "w:u", "w:effect",
    "w:bdr", "w:shd", "w:fitText", "w:vertAlign", "w:rtl", "w:cs", "w:em", "w:lang", "w:eastAsianLayout",
    "w:specVanish", "w:oMath"};

constexpr std::array kParagraphOrder{
    "w:pStyle", "w:keepNext", "w:keepLines", "w:pageBreakBefore", "w:framePr", "w:widowControl", "w:numPr",
    "w:suppressLineNumbers", "w:pBdr", "w:shd", "w:tabs", "w:suppressAutoHyphens", "w:kinsoku", "w:wordWrap",
    "w:overflowPunct", "w:topLinePunct", "w:autoSpaceDE", "w:autoSpaceDN", "w:bidi", "w:adjustRightInd",
    "w:snapToGrid", "w:spacing", "w:ind", "w:contextualSpacing", "w:mirrorIndents", "w:suppressOverlap", "w:jc",
    "w:textDirection", "w:textAlignment", "w:textboxTightWrap", "w:outlineLvl", "w:divId", "w:cnfStyle", "w:rPr",
    "w:sectPr", "w:pPrChange"};

constexpr std::array kTableOrder{
    "w:tblStyle", "w:tblpPr", "w:tblOverlap", "w:bidiVisual", "w:tblStyleRowBandSize", "w:tblStyleColBandSize",
    "w:tblW", "w:jc", "w:tblCellSpacing", "w:tblInd", "w:tblBorders", "w:shd", "w:tblLayout", "w:tblCellMar",
    "w:tblLook"};

constexpr std::array kCellOrder{
    "w:cnfStyle", "w:tcW", "w:gridSpan", "w:hMerge", "w:vMerge", "w:tcBorders", "w:shd", "w:noWrap", "w:tcMar",
    "w:textDirection", "w:tcFitText", "w:vAlign", "w:hideMark"};
// clang-format on

// Tab, line feed and carriage return aside, XML 1.0 cannot carry the control characters.
bool xmlCanCarry(char16_t c) {
    return c >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r';
}

void appendText(pugi::xml_node run, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    pugi::xml_node t = run.append_child("w:t");
    if (text.front().isSpace() || text.back().isSpace()) {
        t.append_attribute("xml:space") = "preserve";
    }
    t.text().set(utf8(text).c_str());
}

} // namespace

const std::span<const char* const> kRunPropertyOrder{kRunOrder};
const std::span<const char* const> kParagraphPropertyOrder{kParagraphOrder};
const std::span<const char* const> kTablePropertyOrder{kTableOrder};
const std::span<const char* const> kCellPropertyOrder{kCellOrder};

QString qstr(const pugi::char_t* text) {
    return QString::fromUtf8(text);
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

QString val(pugi::xml_node element) {
    return qstr(element.attribute("w:val").value());
}

void setVal(pugi::xml_node element, const QString& value) {
    pugi::xml_attribute a = element.attribute("w:val");
    if (!a) {
        a = element.append_attribute("w:val");
    }
    a.set_value(utf8(value).c_str());
}

bool isOn(pugi::xml_node element) {
    if (!element) {
        return false;
    }
    const pugi::xml_attribute a = element.attribute("w:val");
    if (!a) {
        return true;
    }
    const QString v = qstr(a.value()).toLower();
    return v != QStringLiteral("0") && v != QStringLiteral("false") && v != QStringLiteral("off");
}

pugi::xml_node ensureChild(pugi::xml_node parent, const char* name, std::span<const char* const> order) {
    if (pugi::xml_node existing = parent.child(name)) {
        return existing;
    }
    std::size_t rank = order.size();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (std::strcmp(order[i], name) == 0) {
            rank = i;
            break;
        }
    }
    // Before the first child that the schema puts after `name`.
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        for (std::size_t i = rank + 1; i < order.size(); ++i) {
            if (std::strcmp(order[i], child.name()) == 0) {
                return parent.insert_child_before(name, child);
            }
        }
    }
    return parent.append_child(name);
}

void removeChildren(pugi::xml_node parent, const char* name) {
    while (pugi::xml_node child = parent.child(name)) {
        parent.remove_child(child);
    }
}

pugi::xml_node ensureProperties(pugi::xml_node owner, const char* name) {
    if (pugi::xml_node existing = owner.child(name)) {
        return existing;
    }
    return owner.prepend_child(name);
}

pugi::xml_node insertTextRun(pugi::xml_node container, pugi::xml_node after, const QString& text,
                             pugi::xml_node properties) {
    pugi::xml_node run = after ? container.insert_child_after("w:r", after) : container.prepend_child("w:r");
    if (properties) {
        run.append_copy(properties);
    }
    QString pending;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\r' || c == u'\n') {
            appendText(run, pending);
            pending.clear();
            run.append_child("w:br");
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                ++i;
            }
        } else if (c == u'\t') {
            appendText(run, pending);
            pending.clear();
            run.append_child("w:tab");
        } else if (xmlCanCarry(c)) {
            pending.append(QChar(c));
        }
    }
    appendText(run, pending);
    return run;
}

QString textOf(pugi::xml_node node) {
    QString text;
    bool firstParagraph = true;
    for (pugi::xml_node n = node; n; n = nextInDocumentOrder(n, node)) {
        const char* name = n.name();
        if (std::strcmp(name, "w:t") == 0) {
            text += qstr(n.text().get());
        } else if (std::strcmp(name, "w:tab") == 0 && std::strcmp(n.parent().name(), "w:r") == 0) {
            text += u'\t';
        } else if (std::strcmp(name, "w:br") == 0 || std::strcmp(name, "w:cr") == 0) {
            text += u'\n';
        } else if (std::strcmp(name, "w:p") == 0) {
            if (!firstParagraph) {
                text += u'\n';
            }
            firstParagraph = false;
        }
    }
    return text;
}

pugi::xml_node nextInDocumentOrder(pugi::xml_node node, pugi::xml_node root) {
    if (pugi::xml_node child = node.first_child()) {
        return child;
    }
    for (pugi::xml_node n = node; n && n != root; n = n.parent()) {
        if (pugi::xml_node sibling = n.next_sibling()) {
            return sibling;
        }
    }
    return {};
}

pugi::xml_node ancestor(pugi::xml_node node, const char* name) {
    for (pugi::xml_node n = node; n; n = n.parent()) {
        if (std::strcmp(n.name(), name) == 0) {
            return n;
        }
    }
    return {};
}

} // namespace velantor::docx
