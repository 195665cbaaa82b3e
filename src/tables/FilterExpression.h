#pragma once

#include <optional>
#include <vector>

#include <QList>
#include <QString>

#include "tables/Table.h"
#include "tables/TableColumn.h"

namespace velantor {

// A filter expression parsed once into a tree and then evaluated row by row.
//
// Grammar (keywords and field names without regard to case, blanks free everywhere):
//   expression := and-group { OR and-group }
//   and-group  := primary { AND primary }
//   primary    := "(" [ expression ] ")" | field operator value
//   operator   := "=" | "<>" | "<" | "<=" | ">" | ">=" | LIKE
//   value      := 'text' ('' inside stands for one quote) | number (digits, optional "-", optional ".digits")
// "( )" is a group without conditions and matches no row.
//
// Comparisons:
//   - a text field against text or a number compares text with text, exactly as stored
//     (leading zeros and case count; "<", ">" order by UTF-16 code units);
//   - an integer field against a number, or against quoted text holding a number,
//     compares numbers; quoted text that is no number is an error;
//   - LIKE takes a quoted pattern in which "%" stands for any run of characters (also
//     none); it ignores letter case. On an integer field it matches the decimal text.
class FilterExpression {
public:
    // Throws FilterError (expression, 0-based position, Spanish reason) for text that
    // does not parse or names a field the list does not have.
    static FilterExpression parse(const QString& expression, const QList<FieldDef>& fields);

    const QString& text() const { return m_text; }
    bool matches(const std::vector<TableColumn>& columns, int row) const {
        return evaluate(m_root, columns, row);
    }

    // When the whole expression is one "field = value", the field and the value as the
    // field's text would show it (an integer in canonical decimal), for index look-ups.
    struct Equality {
        int field;
        QString key;
    };
    std::optional<Equality> asEquality() const;

private:
    friend class FilterExpressionParser;

    enum class Kind : quint8 { Never, All, Any, Text, Integer, Real, Like };
    enum class Op : quint8 { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual, Like };

    struct LikePattern {
        // The pattern split at every "%": the first part must start the value unless the
        // pattern starts with "%", the last must end it unless the pattern ends with "%".
        // Parts with letters are stored case-folded and compared with the folded value.
        std::vector<QString> parts;
        std::vector<bool> folded;
    };
    static LikePattern likePattern(const QString& pattern);

    struct Node {
        Kind kind = Kind::Never;
        Op op = Op::Equal;
        int field = -1;
        int firstChild = 0; // All / Any: range in m_children
        int childCount = 0;
        QString text;       // Text: the literal
        qint64 integer = 0; // Integer
        double real = 0;    // Real: a literal with decimals or too large for 64 bits
        int pattern = -1;   // Like: index in m_patterns
    };

    bool evaluate(int node, const std::vector<TableColumn>& columns, int row) const;
    static bool holds(Op op, int comparison);
    // A rough price of evaluating a node, used to test cheap conditions first.
    int cost(int node) const;
    void orderChildrenByCost();
    static bool likeMatches(const LikePattern& pattern, QStringView value);

    QString m_text;
    std::vector<Node> m_nodes;
    std::vector<int> m_children;
    std::vector<LikePattern> m_patterns;
    int m_root = 0;
};

} // namespace velantor
