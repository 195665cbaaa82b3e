#pragma once

#include <span>
#include <string>

#include <QString>

#include <pugixml.hpp>

// Small helpers over the word-processing markup shared by the document engine's
// classes. The markup is addressed with the conventional prefixes ("w:", "r:", "wp:")
// that word processors write; pugixml does not resolve namespaces.
namespace velantor::docx {

QString qstr(const pugi::char_t* text);
std::string utf8(const QString& text);

// The "w:val" attribute of an element ("" when absent).
QString val(pugi::xml_node element);
void setVal(pugi::xml_node element, const QString& value);
// An on/off property: present without a value means on.
bool isOn(pugi::xml_node element);

// The child `name` of `parent`, created when missing at the place the schema's
// sequence `order` gives it (word processors reject properties out of order).
pugi::xml_node ensureChild(pugi::xml_node parent, const char* name, std::span<const char* const> order);
void removeChildren(pugi::xml_node parent, const char* name);

// Property orders of the schema, for ensureChild().
extern const std::span<const char* const> kRunPropertyOrder;
extern const std::span<const char* const> kParagraphPropertyOrder;
extern const std::span<const char* const> kTablePropertyOrder;
extern const std::span<const char* const> kCellPropertyOrder;

// The properties element ("w:rPr", "w:pPr", "w:tblPr", "w:tcPr", "w:trPr") of a
// run, paragraph, table, cell or row, created as its first child when missing.
pugi::xml_node ensureProperties(pugi::xml_node owner, const char* name);

// A run holding `text`, placed in `container` after `after` (at the start when
// `after` is null). Line ends ("\r\n", "\r", "\n") become line breaks, tabs become tab
// marks; characters that XML cannot carry are left out. The run gets a copy of
// `properties` (a "w:rPr", may be null).
pugi::xml_node insertTextRun(pugi::xml_node container, pugi::xml_node after, const QString& text,
                             pugi::xml_node properties);

// The text of the runs under `node`: tabs as "\t", line breaks as "\n", paragraphs
// separated by "\n".
QString textOf(pugi::xml_node node);

// The node after `node` in document order (its first child, else its next sibling,
// else the next sibling of the nearest ancestor that has one), staying inside `root`.
pugi::xml_node nextInDocumentOrder(pugi::xml_node node, pugi::xml_node root);

// The nearest ancestor of `node` named `name`, `node` itself included.
pugi::xml_node ancestor(pugi::xml_node node, const char* name);

} // namespace velantor::docx
