#include <vector>

#include "tables/FilterExpression.h"

namespace velantor {

namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// "-12", "7", "3.25": the numbers a filter may write without quotes.
bool isPlainNumber(QStringView text) {
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'-')
        ++i;
    const qsizetype digitsStart = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i == digitsStart)
        return false;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype fractionStart = ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
        if (i == fractionStart)
            return false;
    }
    return i == text.size();
}

} // namespace

// Recursive descent over the expression text, building the nodes of a FilterExpression.
class FilterExpressionParser {
public:
    FilterExpressionParser(const QString& text, const QList<FieldDef>& fields, FilterExpression& out)
        : m_text(text), m_fields(fields), m_out(out) {}

    void run() {
        m_out.m_text = m_text;
        advance();
        if (m_token.kind == Kind::End)
            fail(m_token.position, QStringLiteral("la expresión está vacía"));
        m_out.m_root = parseAny();
        if (m_token.kind == Kind::Close)
            fail(m_token.position, QStringLiteral("sobra un paréntesis de cierre"));
        if (m_token.kind != Kind::End)
            fail(m_token.position, QStringLiteral("se esperaba AND, OR o el final de la expresión"));
    }

private:
    using Node = FilterExpression::Node;
    using NodeKind = FilterExpression::Kind;
    using Op = FilterExpression::Op;

    enum class Kind { End, Name, Text, Number, Operator, Open, Close };
    struct Token {
        Kind kind = Kind::End;
        int position = 0;
        QString value; // Name, Number: as written; Text: without quotes, '' made one quote
        Op op = Op::Equal;
    };

    [[noreturn]] void fail(int position, const QString& reason) const {
        throw FilterError(m_text, position, reason);
    }

    bool isKeyword(const Token& token, QStringView word) const {
        return token.kind == Kind::Name && token.value.compare(word, Qt::CaseInsensitive) == 0;
    }

    void advance() {
        const qsizetype n = m_text.size();
        while (m_pos < n && m_text[m_pos].isSpace())
            ++m_pos;
        m_token = Token{};
        m_token.position = static_cast<int>(m_pos);
        if (m_pos >= n)
            return;
        const QChar c = m_text[m_pos];
        if (c == u'(' || c == u')') {
            m_token.kind = c == u'(' ? Kind::Open : Kind::Close;
            ++m_pos;
        } else if (c == u'\'') {
            lexText();
        } else if (c == u'=' || c == u'<' || c == u'>') {
            lexOperator();
        } else if (c.isDigit() || (c == u'-' && m_pos + 1 < n && m_text[m_pos + 1].isDigit())) {
            lexNumber();
        } else if (isNameStart(c)) {
            const qsizetype start = m_pos;
            while (m_pos < n && isNamePart(m_text[m_pos]))
                ++m_pos;
            m_token.kind = Kind::Name;
            m_token.value = m_text.sliced(start, m_pos - start);
        } else {
            fail(m_token.position, QStringLiteral("carácter inesperado «%1»").arg(c));
        }
    }

    void lexText() {
        const qsizetype n = m_text.size();
        QString value;
        qsizetype i = m_pos + 1;
        for (;;) {
            if (i >= n)
                fail(m_token.position, QStringLiteral("falta la comilla que cierra el texto"));
            if (m_text[i] == u'\'') {
                if (i + 1 < n && m_text[i + 1] == u'\'') {
                    value += u'\'';
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            value += m_text[i++];
        }
        m_pos = i;
        m_token.kind = Kind::Text;
        m_token.value = value;
    }

    void lexOperator() {
        const QChar c = m_text[m_pos++];
        const QChar next = m_pos < m_text.size() ? m_text[m_pos] : QChar();
        m_token.kind = Kind::Operator;
        if (c == u'=') {
            m_token.op = Op::Equal;
        } else if (c == u'<' && next == u'>') {
            m_token.op = Op::NotEqual;
            ++m_pos;
        } else if (c == u'<' && next == u'=') {
            m_token.op = Op::LessEqual;
            ++m_pos;
        } else if (c == u'<') {
            m_token.op = Op::Less;
        } else if (next == u'=') {
            m_token.op = Op::GreaterEqual;
            ++m_pos;
        } else {
            m_token.op = Op::Greater;
        }
    }

    void lexNumber() {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (isNamePart(m_text[m_pos]) || m_text[m_pos] == u'.' ||
                                         (m_pos == start && m_text[m_pos] == u'-')))
            ++m_pos;
        m_token.kind = Kind::Number;
        m_token.value = m_text.sliced(start, m_pos - start);
        if (!isPlainNumber(m_token.value))
            fail(m_token.position, QStringLiteral("«%1» no es un número; un texto va entre comillas simples")
                                       .arg(m_token.value));
    }

    int addNode(Node node) {
        m_out.m_nodes.push_back(std::move(node));
        return static_cast<int>(m_out.m_nodes.size() - 1);
    }

    int combine(NodeKind kind, const std::vector<int>& children) {
        if (children.size() == 1)
            return children.front();
        Node node;
        node.kind = kind;
        node.firstChild = static_cast<int>(m_out.m_children.size());
        node.childCount = static_cast<int>(children.size());
        m_out.m_children.insert(m_out.m_children.end(), children.begin(), children.end());
        return addNode(std::move(node));
    }

    int parseAny() {
        std::vector<int> children{parseAll()};
        while (isKeyword(m_token, u"OR")) {
            advance();
            children.push_back(parseAll());
        }
        return combine(NodeKind::Any, children);
    }

    int parseAll() {
        std::vector<int> children{parsePrimary()};
        while (isKeyword(m_token, u"AND")) {
            advance();
            children.push_back(parsePrimary());
        }
        return combine(NodeKind::All, children);
    }

    int parsePrimary() {
        if (m_token.kind == Kind::Open) {
            const int open = m_token.position;
            advance();
            if (m_token.kind == Kind::Close) {
                advance();
                return addNode(Node{}); // "( )": no condition, no row
            }
            const int inner = parseAny();
            if (m_token.kind != Kind::Close)
                fail(m_token.kind == Kind::End ? open : m_token.position,
                     m_token.kind == Kind::End
                         ? QStringLiteral("falta el paréntesis que cierra este grupo")
                         : QStringLiteral("se esperaba AND, OR o un paréntesis de cierre"));
            advance();
            return inner;
        }
        if (m_token.kind == Kind::Name && !isKeyword(m_token, u"AND") && !isKeyword(m_token, u"OR") &&
            !isKeyword(m_token, u"LIKE"))
            return parseComparison();
        if (m_token.kind == Kind::End)
            fail(m_token.position, QStringLiteral("falta una condición al final de la expresión"));
        fail(m_token.position, QStringLiteral("se esperaba el nombre de un campo o un paréntesis"));
    }

    int parseComparison() {
        const Token name = m_token;
        int field = -1;
        for (int i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].name.compare(name.value, Qt::CaseInsensitive) == 0) {
                field = i;
                break;
            }
        }
        if (field < 0)
            fail(name.position, QStringLiteral("no hay ningún campo llamado «%1»").arg(name.value));
        advance();

        Op op;
        if (m_token.kind == Kind::Operator)
            op = m_token.op;
        else if (isKeyword(m_token, u"LIKE"))
            op = Op::Like;
        else
            fail(m_token.position,
                 QStringLiteral("se esperaba =, <>, <, <=, >, >= o like después de «%1»").arg(name.value));
        advance();

        const Token value = m_token;
        if (value.kind != Kind::Text && value.kind != Kind::Number)
            fail(value.position, QStringLiteral("falta el valor con el que comparar «%1»").arg(name.value));
        advance();
        return addNode(comparison(field, op, value));
    }

    Node comparison(int field, Op op, const Token& value) {
        const FieldDef& def = m_fields[field];
        Node node;
        node.field = field;
        node.op = op;
        if (op == Op::Like) {
            if (value.kind != Kind::Text)
                fail(value.position, QStringLiteral("el patrón de like va entre comillas simples"));
            node.kind = NodeKind::Like;
            node.pattern = static_cast<int>(m_out.m_patterns.size());
            m_out.m_patterns.push_back(FilterExpression::likePattern(value.value));
            return node;
        }
        if (def.type == FieldType::Text) {
            node.kind = NodeKind::Text;
            node.text = value.value;
            return node;
        }
        const QString number = value.kind == Kind::Text ? value.value.trimmed() : value.value;
        if (!isPlainNumber(number))
            fail(value.position, QStringLiteral("el campo «%1» es numérico y «%2» no es un número")
                                     .arg(def.name, value.value));
        bool exact = false;
        node.integer = number.toLongLong(&exact);
        node.kind = exact ? NodeKind::Integer : NodeKind::Real;
        if (!exact)
            node.real = number.toDouble();
        return node;
    }

    const QString& m_text;
    const QList<FieldDef>& m_fields;
    FilterExpression& m_out;
    qsizetype m_pos = 0;
    Token m_token;
};

FilterExpression FilterExpression::parse(const QString& expression, const QList<FieldDef>& fields) {
    FilterExpression result;
    FilterExpressionParser(expression, fields, result).run();
    result.orderChildrenByCost();
    return result;
}

} // namespace velantor
