#pragma once

#include <span>

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace velantor::barcode {

// The texts every page barcode carries: the date and time of the print, the page's
// letter and number and the page's own data, all folded to a reduced character set
// and sent to the encoder as Windows-1252 bytes.

// Date and time of one print. Taken once, so every barcode of a print carries the same stamp.
struct BarcodeStamp {
    QString date; // "dd/MM/yyyy"
    QString time; // "HH:mm:ss"

    static BarcodeStamp at(const QDateTime& moment);
};

// One requested position as a position page lists it.
struct BarcodePosition {
    qint64 orden = 0;
    QString codConvocatoria;
};

inline constexpr QChar kFirstPageLetter = u'P';
inline constexpr QChar kVacanciesLetter = u'V';
inline constexpr QChar kResultasLetter = u'R';

// Folds the characters the barcode readers of the receiving office do not take: accented
// vowels and "ñ" become "&" plus the bare letter, "&" itself a blank, "º" and "ª" a
// full stop, quotes an apostrophe, question and exclamation marks blanks, "ç" a "c".
QString foldBarcodeText(QStringView text);

// The Windows-1252 bytes of a folded payload; a character with no byte there becomes a blank.
QByteArray barcodeBytes(QStringView text);
// The text of Windows-1252 bytes read from a barcode.
QString barcodeTextFromBytes(const QByteArray& bytes);

// "0001" + " 1234": the order padded with "0" to 4 and the position code padded with
// blanks to 5, 9 characters for each position. Longer values are kept whole.
QString barcodePositionEntry(qint64 orden, const QString& codConvocatoria);
QString barcodePositionText(std::span<const BarcodePosition> positions);

// header + date + time + letter + page number (3 digits, "0"-padded) + body + "F". The
// first page is letter "P", page 1, with the application record as its body.
QString barcodePayload(const QString& header, const BarcodeStamp& stamp, QChar letter, int page,
                       const QString& body);
QString firstPagePayload(const QString& header, const BarcodeStamp& stamp, const QString& applicationRecord);

} // namespace velantor::barcode
