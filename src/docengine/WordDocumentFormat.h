#pragma once

#include <optional>

#include <QString>

namespace velantor {

// Paragraph alignment of the document engine.
enum class ParagraphAlignment { Left, Centre, Right, Justify };

// Formatting given to text already in a table area and to text typed there later.
// An unset member leaves that property as it is.
struct TextFormat {
    std::optional<double> fontPoints; // stored in half-points
    std::optional<bool> bold;
    std::optional<ParagraphAlignment> alignment;
    std::optional<QString> fontFamily; // the face of the text, for every script
};

// A table row's height in twips (1/1440 inch). Auto grows with the text (twips is
// then 0); AtLeast grows beyond the height; Exact keeps it.
struct RowHeight {
    enum class Rule { Auto, AtLeast, Exact };
    int twips = 0;
    Rule rule = Rule::Auto;

    bool operator==(const RowHeight&) const = default;
};

} // namespace velantor
