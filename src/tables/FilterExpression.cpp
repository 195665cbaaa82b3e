#include "tables/FilterExpression.h"

#include <algorithm>

namespace velantor {

namespace {

template <class T> int threeWay(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

bool FilterExpression::holds(Op op, int comparison) {
    switch (op) {
    case Op::Equal:
    case Op::Like:
        return comparison == 0;
    case Op::NotEqual:
        return comparison != 0;
    case Op::Less:
        return comparison < 0;
    case Op::LessEqual:
        return comparison <= 0;
    case Op::Greater:
        return comparison > 0;
    case Op::GreaterEqual:
        return comparison >= 0;
    }
    return false;
}

bool FilterExpression::evaluate(int index, const std::vector<TableColumn>& columns, int row) const {
    const Node& node = m_nodes[index];
    switch (node.kind) {
    case Kind::Never:
        return false;
    case Kind::All:
        for (int i = 0; i < node.childCount; ++i) {
            if (!evaluate(m_children[node.firstChild + i], columns, row))
                return false;
        }
        return true;
    case Kind::Any:
        for (int i = 0; i < node.childCount; ++i) {
            if (evaluate(m_children[node.firstChild + i], columns, row))
                return true;
        }
        return false;
    case Kind::Text: {
        const QStringView value = columns[node.field].view(row);
        if (node.op == Op::Equal)
            return value == node.text;
        if (node.op == Op::NotEqual)
            return value != node.text;
        return holds(node.op, value.compare(node.text, Qt::CaseSensitive));
    }
    case Kind::Integer:
        return holds(node.op, threeWay(columns[node.field].number(row), node.integer));
    case Kind::Real:
        return holds(node.op, threeWay(static_cast<double>(columns[node.field].number(row)), node.real));
    case Kind::Like: {
        const TableColumn& column = columns[node.field];
        if (column.isInteger())
            return likeMatches(m_patterns[node.pattern], QString::number(column.number(row)));
        return likeMatches(m_patterns[node.pattern], column.view(row));
    }
    }
    return false;
}

namespace {

// Case folding of one UTF-16 unit, as QString's case-insensitive comparison does it.
inline char16_t fold(char16_t c) {
    if (c < 128)
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    return static_cast<char16_t>(QChar::toCaseFolded(static_cast<char32_t>(c)));
}

bool hasCase(const QString& part) {
    return std::any_of(part.begin(), part.end(), [](QChar c) { return c.unicode() >= 128 || c.isLetter(); });
}

inline bool partAt(const char16_t* value, const QString& part, bool folded) {
    const char16_t* p = QStringView(part).utf16();
    const qsizetype n = part.size();
    if (!folded)
        return std::equal(p, p + n, value);
    for (qsizetype i = 0; i < n; ++i) {
        if (fold(value[i]) != p[i])
            return false;
    }
    return true;
}

// Leftmost place at or after `from` (and ending by `end`) where the part occurs, or -1.
// Values are short (codes, names), so a direct search beats any preprocessing.
qsizetype findPart(const char16_t* value, qsizetype from, qsizetype end, const QString& part, bool folded) {
    const qsizetype n = part.size();
    const char16_t first = QStringView(part).utf16()[0];
    for (qsizetype at = from; at + n <= end; ++at) {
        const char16_t c = folded ? fold(value[at]) : value[at];
        if (c == first && partAt(value + at, part, folded))
            return at;
    }
    return -1;
}

} // namespace

FilterExpression::LikePattern FilterExpression::likePattern(const QString& text) {
    LikePattern pattern;
    for (const QString& part : text.split(u'%')) {
        // ASCII digits, blanks and punctuation have no case: compared as they are.
        const bool folded = hasCase(part);
        QString stored = part;
        if (folded) {
            for (QChar& c : stored)
                c = QChar(fold(c.unicode()));
        }
        pattern.parts.push_back(stored);
        pattern.folded.push_back(folded);
    }
    return pattern;
}

bool FilterExpression::likeMatches(const LikePattern& pattern, QStringView value) {
    const std::vector<QString>& parts = pattern.parts;
    const char16_t* text = value.utf16();
    const qsizetype size = value.size();
    const QString& first = parts.front();
    if (parts.size() == 1)
        return size == first.size() && partAt(text, first, pattern.folded.front());

    // The value must start with the first part and end with the last; the parts in
    // between must appear in order in what is left. Taking each at its leftmost place
    // leaves the most room for the rest, so no backtracking is needed.
    const QString& last = parts.back();
    if (size < first.size() + last.size())
        return false;
    if (!partAt(text, first, pattern.folded.front()) ||
        !partAt(text + size - last.size(), last, pattern.folded.back()))
        return false;
    qsizetype begin = first.size();
    const qsizetype end = size - last.size();
    for (std::size_t i = 1; i + 1 < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty())
            continue;
        const qsizetype at = findPart(text, begin, end, part, pattern.folded[i]);
        if (at < 0)
            return false;
        begin = at + part.size();
    }
    return true;
}

int FilterExpression::cost(int index) const {
    const Node& node = m_nodes[index];
    switch (node.kind) {
    case Kind::Never:
        return 0;
    case Kind::Integer:
    case Kind::Real:
        return 1;
    case Kind::Text:
        return node.op == Op::Equal || node.op == Op::NotEqual ? 2 : 4;
    case Kind::Like:
        return 8 + 2 * static_cast<int>(m_patterns[node.pattern].parts.size());
    case Kind::All:
    case Kind::Any: {
        int sum = 0;
        for (int i = 0; i < node.childCount; ++i)
            sum += cost(m_children[node.firstChild + i]);
        return sum;
    }
    }
    return 0;
}

void FilterExpression::orderChildrenByCost() {
    // AND and OR have no side effects, so their conditions may run in any order; the
    // cheap ones first let most rows be decided before a like is tried.
    for (const Node& node : m_nodes) {
        if (node.kind != Kind::All && node.kind != Kind::Any)
            continue;
        const auto begin = m_children.begin() + node.firstChild;
        std::stable_sort(begin, begin + node.childCount, [this](int a, int b) { return cost(a) < cost(b); });
    }
}

std::optional<FilterExpression::Equality> FilterExpression::asEquality() const {
    const Node& root = m_nodes[m_root];
    if (root.op != Op::Equal)
        return std::nullopt;
    if (root.kind == Kind::Text)
        return Equality{root.field, root.text};
    if (root.kind == Kind::Integer)
        return Equality{root.field, QString::number(root.integer)};
    return std::nullopt;
}

} // namespace velantor
