#include "platform/FilterExpression.h"

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
        const QString& value = columns[node.field].texts[row];
        if (node.op == Op::Equal)
            return value == node.text;
        if (node.op == Op::NotEqual)
            return value != node.text;
        return holds(node.op, QString::compare(value, node.text, Qt::CaseSensitive));
    }
    case Kind::Integer:
        return holds(node.op, threeWay(columns[node.field].numbers[row], node.integer));
    case Kind::Real:
        return holds(node.op, threeWay(static_cast<double>(columns[node.field].numbers[row]), node.real));
    case Kind::Like: {
        const TableColumn& column = columns[node.field];
        if (column.integer)
            return likeMatches(m_patterns[node.pattern], QString::number(column.numbers[row]));
        return likeMatches(m_patterns[node.pattern], column.texts[row]);
    }
    }
    return false;
}

bool FilterExpression::likeMatches(const LikePattern& pattern, QStringView value) {
    const std::vector<QString>& parts = pattern.parts;
    const QString& first = parts.front();
    if (parts.size() == 1)
        return value.compare(first, pattern.partCase.front()) == 0;

    // The value must start with the first part and end with the last; the parts in
    // between must appear in order in what is left. Taking each at its leftmost place
    // leaves the most room for the rest, so no backtracking is needed.
    if (!value.startsWith(first, pattern.partCase.front()))
        return false;
    qsizetype begin = first.size();
    qsizetype end = value.size();
    const QString& last = parts.back();
    if (end - begin < last.size() ||
        !value.sliced(end - last.size()).startsWith(last, pattern.partCase.back()))
        return false;
    end -= last.size();
    for (std::size_t i = 1; i + 1 < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty())
            continue;
        const qsizetype at = value.sliced(begin, end - begin).indexOf(part, 0, pattern.partCase[i]);
        if (at < 0)
            return false;
        begin += at + part.size();
    }
    return true;
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
