#include "catalogues/Decoding.h"

#include <QDir>
#include <QFile>

#include "catalogues/FileErrors.h"
#include "platform/CodePage.h"

namespace velantor::catalogues {
namespace {

Error codeOutOfRange(const QString& where, int column, int code) {
    return makeError(errors::kCodeOutOfRange,
                     QStringLiteral("Carácter no válido %1, columna %2: el código %3 queda fuera del intervalo de 0 "
                                    "a 255")
                         .arg(where)
                         .arg(column)
                         .arg(code));
}

Result<void> writeWorkFile(const QString& path, const QByteArray& plain) {
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return std::unexpected(openFailure(path));
    if (out.write(plain) != plain.size() || !out.flush())
        return std::unexpected(writeFailure(path));
    out.close();
    if (out.error() != QFileDevice::NoError)
        return std::unexpected(writeFailure(path));
    return {};
}

Result<void> decodeToWorkFile(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    const Result<QByteArray> stored = readWholeFile(dir.filePath(fileName));
    if (!stored)
        return std::unexpected(stored.error());
    const Result<QByteArray> plain = shiftCatalogueLines(*stored, -1, fileName);
    if (!plain)
        return std::unexpected(plain.error());
    return writeWorkFile(dir.filePath(QString::fromLatin1(kWorkFileName)), *plain);
}

} // namespace

Result<QString> DesplazaTexto(QStringView text, qint16 amount) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = codepage::windows1252Byte(text[i]);
        if (byte < 0)
            return std::unexpected(makeError(
                errors::kCodeOutOfRange,
                QStringLiteral("El carácter «%1» de la posición %2 no existe en la página de códigos Windows-1252")
                    .arg(text[i])
                    .arg(i + 1)));
        const int code = byte + amount;
        if (code < 0 || code > 255)
            return std::unexpected(codeOutOfRange(QStringLiteral("en el texto"), int(i + 1), code));
        result.append(codepage::windows1252Char(static_cast<unsigned char>(code)));
    }
    return result;
}

Result<QByteArray> shiftCatalogueLines(QByteArrayView stored, int amount, const QString& fileName) {
    QByteArray out;
    out.reserve(stored.size() + stored.size() / 16 + 2);
    const char* p = stored.data();
    const char* const end = p + stored.size();
    int lineNumber = 0;
    while (p < end) {
        const char* eol = p;
        while (eol < end && *eol != '\r' && *eol != '\n')
            ++eol;
        ++lineNumber;
        if (eol > p) {
            const qsizetype start = out.size();
            out.resize(start + (eol - p));
            char* target = out.data() + start;
            for (const char* c = p; c < eol; ++c) {
                const int code = static_cast<unsigned char>(*c) + amount;
                if (code < 0 || code > 255)
                    return std::unexpected(
                        codeOutOfRange(QStringLiteral("en la línea %1 de %2").arg(lineNumber).arg(fileName),
                                       int(c - p + 1), code));
                *target++ = static_cast<char>(code);
            }
            out.append("\r\n", 2);
        }
        if (eol == end)
            break;
        p = (*eol == '\r' && eol + 1 < end && eol[1] == '\n') ? eol + 2 : eol + 1;
    }
    return out;
}

Result<QString> DecodificaFichero(const QString& folder, const QString& fileName, MessageService& messages) {
    const Result<void> decoded = decodeToWorkFile(folder, fileName);
    if (!decoded) {
        // A work file from an earlier catalogue must not pass for this one's text.
        QFile::remove(QDir(folder).filePath(QString::fromLatin1(kWorkFileName)));
        messages.show(Message{decodingFailureText(decoded.error()), {}, MessageIcon::Critical, MessageButtons::Ok});
        return std::unexpected(decoded.error());
    }
    return QString::fromLatin1(kWorkFileName);
}

QString decodingFailureText(const Error& error) {
    return QStringLiteral("Se ha producido el siguiente error ") + QString::number(error.number) + u'-' +
           error.description;
}

} // namespace velantor::catalogues
