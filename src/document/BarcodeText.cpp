#include "document/BarcodeText.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace velantor::barcode {
namespace {

struct Fold {
    QStringView from;
    QStringView to;
};

// Applied in this order, each a replace-all. "&" goes first, so every "&" left in a folded
// text starts one of the two-character letter codes made by the later steps.
// clang-format off
constexpr std::array kFolds{
    Fold{u"&", u" "},                                                                               // 1
    Fold{u"ä", u"&a"}, Fold{u"ë", u"&e"}, Fold{u"ï", u"&i"}, Fold{u"ö", u"&o"}, Fold{u"ü", u"&u"}, // 2
    Fold{u"Ä", u"&A"}, Fold{u"Ë", u"&E"}, Fold{u"Ï", u"&I"}, Fold{u"Ö", u"&O"}, Fold{u"Ü", u"&U"}, // 3
    Fold{u"â", u"&a"}, Fold{u"ê", u"&e"}, Fold{u"î", u"&i"}, Fold{u"ô", u"&o"}, Fold{u"û", u"&u"}, // 4
    Fold{u"Â", u"&A"}, Fold{u"Ê", u"&E"}, Fold{u"Î", u"&I"}, Fold{u"Ô", u"&O"}, Fold{u"Û", u"&U"}, // 5
    Fold{u"á", u"&a"}, Fold{u"é", u"&e"}, Fold{u"í", u"&i"}, Fold{u"ó", u"&o"}, Fold{u"ú", u"&u"}, // 6
    Fold{u"Á", u"&A"}, Fold{u"É", u"&E"}, Fold{u"Í", u"&I"}, Fold{u"Ó", u"&O"}, Fold{u"Ú", u"&U"}, // 7
    Fold{u"à", u"&a"}, Fold{u"è", u"&e"}, Fold{u"ì", u"&i"}, Fold{u"ò", u"&o"}, Fold{u"ù", u"&u"}, // 8
    Fold{u"À", u"&A"}, Fold{u"È", u"&E"}, Fold{u"Ì", u"&I"}, Fold{u"Ò", u"&O"}, Fold{u"Ù", u"&U"}, // 9
    Fold{u"ñ", u"&n"}, Fold{u"Ñ", u"&N"},                                                         // 10
    Fold{u"º", u"."}, Fold{u"ª", u"."},                                                           // 11
    Fold{u"\"", u"'"},                                                                            // 12
    Fold{u"·", u"."},                                                                             // 13
    Fold{u"¿", u" "}, Fold{u"?", u" "}, Fold{u"!", u" "}, Fold{u"¡", u" "},                        // 14
    Fold{u"ç", u"c"}, Fold{u"Ç", u"C"},                                                           // 15
};
// clang-format on

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes the code page leaves
// undefined stand for the C1 control of the same number, as Windows maps them.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

} // namespace

BarcodeStamp BarcodeStamp::at(const QDateTime& moment) {
    return BarcodeStamp{moment.toString(u"dd/MM/yyyy"_s), moment.toString(u"HH:mm:ss"_s)};
}

QString foldBarcodeText(QStringView text) {
    QString folded = text.toString();
    for (const Fold& fold : kFolds)
        folded.replace(fold.from.constData(), fold.from.size(), fold.to.constData(), fold.to.size());
    return folded;
}

QByteArray barcodeBytes(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    // Walk by code point, so a character outside the basic plane becomes one blank, not two.
    for (char32_t c : text.toUcs4()) {
        const int byte = windows1252Byte(c);
        bytes.append(byte < 0 ? ' ' : static_cast<char>(byte));
    }
    return bytes;
}

QString barcodeTextFromBytes(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.append(value >= 0x80 && value < 0xA0 ? QChar(kHighControls[value - 0x80])
                                                  : QChar(char16_t(value)));
    }
    return text;
}

QString barcodePositionEntry(qint64 orden, const QString& codConvocatoria) {
    return QString::number(orden).rightJustified(4, u'0') + codConvocatoria.rightJustified(5, u' ');
}

QString barcodePositionText(std::span<const BarcodePosition> positions) {
    QString text;
    text.reserve(static_cast<qsizetype>(positions.size()) * 9);
    for (const BarcodePosition& position : positions)
        text += barcodePositionEntry(position.orden, position.codConvocatoria);
    return text;
}

QString barcodePayload(const QString& header, const BarcodeStamp& stamp, QChar letter, int page,
                       const QString& body) {
    return header + stamp.date + stamp.time + letter + QString::number(page).rightJustified(3, u'0') + body +
           u'F';
}

QString firstPagePayload(const QString& header, const BarcodeStamp& stamp, const QString& applicationRecord) {
    return barcodePayload(header, stamp, kFirstPageLetter, 1, applicationRecord);
}

} // namespace velantor::barcode
