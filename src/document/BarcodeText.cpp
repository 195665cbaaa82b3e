#include "document/BarcodeText.h"

#include <array>

#include "platform/CodePage.h"

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
    // One blank for each character without a byte: a character outside the basic plane is
    // two UTF-16 units, so it is first made a single unmappable one.
    QString units;
    units.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            units.append(QChar::ReplacementCharacter);
            ++i;
        } else {
            units.append(text[i]);
        }
    }
    return codepage::toWindows1252(units, ' ');
}

QString barcodeTextFromBytes(const QByteArray& bytes) {
    return codepage::fromWindows1252(bytes);
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
