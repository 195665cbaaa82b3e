#include "catalogues/CatalogueEncoder.h"

#include <QFileInfo>

#include "platform/CodePage.h"

namespace velantor::catalogues {
namespace {

Error unencodable(int line, qsizetype column, QChar c, const QString& why) {
    return makeError(errors::kCodeOutOfRange,
                     QStringLiteral("Línea %1, columna %2: el carácter «%3» (U+%4) %5")
                         .arg(line)
                         .arg(column)
                         .arg(c)
                         .arg(c.unicode(), 4, 16, QChar(u'0'))
                         .arg(why));
}

bool inOem(const std::optional<OemColumns>& oem, qsizetype column) {
    return oem && column >= oem->start && column < oem->start + oem->length;
}

Result<void> encodeLine(QStringView line, int lineNumber, const std::optional<OemColumns>& oem,
                        QByteArray& out) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        const qsizetype column = i + 1;
        const QChar c = line[i];
        int byte = -1;
        if (inOem(oem, column)) {
            const QByteArray oemByte = codepage::toCp850(line.sliced(i, 1), '\0');
            if (oemByte.size() == 1 && (oemByte[0] != '\0' || c.unicode() == 0))
                byte = static_cast<unsigned char>(oemByte[0]);
            if (byte < 0)
                return std::unexpected(unencodable(lineNumber, column, c,
                                                   QStringLiteral("no existe en la página de códigos 850")));
        } else {
            byte = codepage::windows1252Byte(c);
            if (byte < 0)
                return std::unexpected(unencodable(
                    lineNumber, column, c, QStringLiteral("no existe en la página de códigos Windows-1252")));
        }
        const int stored = byte + 1;
        if (stored > 255)
            return std::unexpected(
                unencodable(lineNumber, column, c, QStringLiteral("no tiene código siguiente")));
        if (stored == '\r' || stored == '\n')
            return std::unexpected(
                unencodable(lineNumber, column, c, QStringLiteral("se leería como fin de línea")));
        out.append(static_cast<char>(stored));
    }
    out.append("\r\n", 2);
    return {};
}

} // namespace

std::optional<OemColumns> oemColumnsFor(const QString& fileName) {
    if (QFileInfo(fileName).completeBaseName().compare(u"F0013", Qt::CaseInsensitive) == 0)
        return OemColumns{5, 50};
    return std::nullopt;
}

Result<QByteArray> encodeCatalogue(QStringView plainText, std::optional<OemColumns> oem) {
    QByteArray out;
    out.reserve(plainText.size() + plainText.size() / 16 + 2);
    int lineNumber = 0;
    qsizetype p = 0;
    while (p < plainText.size()) {
        qsizetype eol = plainText.indexOf(u'\n', p);
        if (eol < 0)
            eol = plainText.size();
        QStringView line = plainText.sliced(p, eol - p);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (const Result<void> encoded = encodeLine(line, ++lineNumber, oem, out); !encoded)
            return std::unexpected(encoded.error());
        p = eol + 1;
    }
    return out;
}

} // namespace velantor::catalogues
