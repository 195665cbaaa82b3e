#include "catalogues/Decoding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "catalogues/FileErrors.h"
#include "platform/CodePage.h"

namespace velantor::catalogues {
namespace {

Error codeOutOfRange(const QString& where, int column, int code) {
    return makeError(
        errors::kCodeOutOfRange,
        QStringLiteral("Carácter no válido %1, columna %2: el código %3 queda fuera del intervalo de 0 "
                       "a 255")
            .arg(where)
            .arg(column)
            .arg(code));
}

// The first byte, line ends aside, whose code moved by `amount` would leave 0..255.
const unsigned char* firstOutOfRange(const unsigned char* begin, const unsigned char* end, int amount) {
    if (amount == -1) // the decoding: only a zero byte cannot go down
        return static_cast<const unsigned char*>(std::memchr(begin, 0, std::size_t(end - begin)));
    if (amount == 1)
        return static_cast<const unsigned char*>(std::memchr(begin, 0xFF, std::size_t(end - begin)));
    for (const auto* p = begin; p < end; ++p) {
        const int code = *p + amount;
        if (*p != '\r' && *p != '\n' && (code < 0 || code > 255))
            return p;
    }
    return nullptr;
}

struct Place {
    int line;
    int column;
};

// Line and column (from 1) of a byte, counting line ends as the decoding does.
Place placeOf(const unsigned char* begin, const unsigned char* at) {
    Place place{1, 1};
    for (const auto* p = begin; p < at; ++p) {
        if (*p == '\r' || *p == '\n') {
            if (*p == '\r' && p + 1 < at && p[1] == '\n')
                ++p;
            ++place.line;
            place.column = 1;
        } else {
            ++place.column;
        }
    }
    return place;
}

// Sixteen bytes handled as one value (GCC and Clang vector extension; plain SSE2 on x86-64).
using Bytes16 = unsigned char __attribute__((vector_size(16)));

// Moves the bytes from `from` up to the next CR, LF or `end` by `amount` into `out` (which may
// be `from` itself or lie before it) and returns where the line ends. Sixteen bytes go at a
// time while none of them ends the line. The caller has checked that no byte leaves 0..255.
const unsigned char* shiftLine(const unsigned char* from, const unsigned char* end, int amount,
                               unsigned char* out) {
    const auto step = static_cast<unsigned char>(amount);
    while (end - from >= 16) {
        Bytes16 chunk;
        std::memcpy(&chunk, from, 16);
        const auto lineEnds = (chunk == '\n') | (chunk == '\r');
        std::uint64_t halves[2];
        std::memcpy(halves, &lineEnds, 16);
        chunk += step;
        if (halves[0] | halves[1]) {
            // Only the bytes before the line end are this line's; the rest is still to be read.
            const int length =
                halves[0] ? std::countr_zero(halves[0]) / 8 : 8 + std::countr_zero(halves[1]) / 8;
            std::memcpy(out, &chunk, std::size_t(length));
            return from + length;
        }
        std::memcpy(out, &chunk, 16);
        from += 16;
        out += 16;
    }
    while (from < end && *from != '\r' && *from != '\n')
        *out++ = static_cast<unsigned char>(*from++ + step);
    return from;
}

struct ShiftProgress {
    qsizetype consumed; // input bytes taken, up to the end of the last complete line
    qsizetype written;  // plain bytes produced
};

// Room for the plain text of `size` stored bytes: a line end of one byte becomes two.
qsizetype plainCapacity(qsizetype size) {
    return size + size / 2 + 2;
}

// Moves every complete line of [begin, end) by `amount` into `out` (plainCapacity of the
// range), each ended by CR LF; empty lines are left out. A line is complete when its line
// end is in the range, except a CR at the very end (a LF may follow), and, when `final`,
// also at the end of the range. `lines` counts the lines taken, across calls.
Result<ShiftProgress> shiftLines(const unsigned char* begin, const unsigned char* end, bool final, int amount,
                                 unsigned char* out, int& lines, const QString& fileName) {
    if (const auto* bad = firstOutOfRange(begin, end, amount)) {
        const Place place = placeOf(begin, bad);
        return std::unexpected(
            codeOutOfRange(QStringLiteral("en la línea %1 de %2").arg(lines + place.line).arg(fileName),
                           place.column, *bad + amount));
    }
    const auto* p = begin;
    unsigned char* target = out;
    while (p < end) {
        const auto* eol = shiftLine(p, end, amount, target);
        qsizetype next;
        if (eol == end) {
            if (!final)
                break;
            next = end - begin;
        } else if (*eol == '\r') {
            if (eol + 1 == end && !final)
                break;
            next = (eol + 1 < end && eol[1] == '\n' ? eol + 2 : eol + 1) - begin;
        } else {
            next = eol + 1 - begin;
        }
        if (eol > p) {
            target += eol - p;
            *target++ = '\r';
            *target++ = '\n';
        }
        ++lines;
        p = begin + next;
    }
    return ShiftProgress{p - begin, target - out};
}

// Decodes the catalogue in pieces into memory, so that each piece is read and moved while
// it is in the processor's cache.
Result<QByteArray> decodeFile(const QString& folder, const QString& fileName) {
    const QString path = QDir(folder).filePath(fileName);
    QFile in(path);
    if (QFileInfo(path).isDir() || !in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::unexpected(openFailure(path));

    constexpr qsizetype kPiece = 64 * 1024;
    std::vector<unsigned char> input(2 * kPiece);
    QByteArray out(plainCapacity(qsizetype(std::max<qint64>(in.size(), 0))), Qt::Uninitialized);
    qsizetype carried = 0; // the start of a line whose end has not been read yet
    qsizetype written = 0;
    int lines = 0;
    for (;;) {
        if (qsizetype(input.size()) - carried < kPiece) // a line longer than a piece
            input.resize(input.size() * 2);
        const qint64 read =
            in.read(reinterpret_cast<char*>(input.data() + carried), qint64(input.size()) - carried);
        if (read < 0)
            return std::unexpected(fileAccessFailure(path));
        const bool final = read == 0;
        const qsizetype available = carried + qsizetype(read);
        // The file may have grown since its size was taken.
        if (out.size() - written < plainCapacity(available))
            out.resize(written + plainCapacity(available));
        const Result<ShiftProgress> piece =
            shiftLines(input.data(), input.data() + available, final, -1,
                       reinterpret_cast<unsigned char*>(out.data()) + written, lines, fileName);
        if (!piece)
            return std::unexpected(piece.error());
        written += piece->written;
        carried = available - piece->consumed;
        std::memmove(input.data(), input.data() + piece->consumed, std::size_t(carried));
        if (final)
            break;
    }
    out.truncate(written);
    return out;
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
                QStringLiteral(
                    "El carácter «%1» de la posición %2 no existe en la página de códigos Windows-1252")
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
    QByteArray out(plainCapacity(stored.size()), Qt::Uninitialized);
    int lines = 0;
    const auto* begin = reinterpret_cast<const unsigned char*>(stored.data());
    const Result<ShiftProgress> done =
        shiftLines(begin, begin + stored.size(), true, amount, reinterpret_cast<unsigned char*>(out.data()),
                   lines, fileName);
    if (!done)
        return std::unexpected(done.error());
    out.truncate(done->written);
    return out;
}

Result<QByteArray> DecodificaFichero(const QString& folder, const QString& fileName) {
    return decodeFile(folder, fileName);
}

QString decodingFailureText(const Error& error) {
    return QStringLiteral("Se ha producido el siguiente error ") + QString::number(error.number) + u'-' +
           error.description;
}

} // namespace velantor::catalogues
