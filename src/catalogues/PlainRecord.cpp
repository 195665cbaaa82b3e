#include "catalogues/PlainRecord.h"

#include <array>

#include "platform/CodePage.h"

namespace velantor::catalogues {

QString fromAnsi(QByteArrayView bytes) {
    static const std::array<QChar, 256> chars = [] {
        std::array<QChar, 256> table{};
        for (int b = 0; b < 256; ++b)
            table[static_cast<std::size_t>(b)] = codepage::windows1252Char(static_cast<unsigned char>(b));
        return table;
    }();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes)
        *out++ = chars[static_cast<unsigned char>(c)];
    return text;
}

QStringView trimSpaces(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.sliced(first, last - first);
}

QStringView fieldValue(QStringView line, int start, int length) {
    const qsizetype from = start - 1;
    if (from >= line.size())
        return {};
    return trimSpaces(line.sliced(from, std::min<qsizetype>(length, line.size() - from)));
}

void forEachLine(QStringView text, const std::function<void(QStringView line)>& visit) {
    qsizetype p = 0;
    const qsizetype end = text.size();
    while (p < end) {
        qsizetype eol = p;
        while (eol < end && text[eol] != u'\r' && text[eol] != u'\n')
            ++eol;
        visit(text.sliced(p, eol - p));
        if (eol == end)
            break;
        p = (text[eol] == u'\r' && eol + 1 < end && text[eol + 1] == u'\n') ? eol + 2 : eol + 1;
    }
}

} // namespace velantor::catalogues
