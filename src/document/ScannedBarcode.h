#pragma once

#include <optional>

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "document/BarcodeText.h"

namespace velantor {

// A page barcode read back: the header, the print stamp, the page's letter and number and
// its data, split the way the printing put them together.
struct ScannedBarcode {
    QString dni;         // 9 characters as printed (blank-padded)
    QString cuerpoGrupo; // the chosen body's group column
    QString cuerpo;      // 5 digits
    QString grupo;       // 1 character (blank when none)
    QDateTime printed;   // the print's date and time
    QChar letter;        // P, V or R
    int page = 0;
    QString body; // the application record (P) or the position text (V, R)

    // Barcode texts that are not a page of an application give nothing.
    static std::optional<ScannedBarcode> parse(const QString& text);

    // "<NIF>_<body><group>_<yyyyMMddHHmmss>": one print of one application.
    QString solicitudId() const;
    // The applicant's application whatever the print: identity number, body and group.
    QString applicationKey() const;
    // "P001", "V003", "R005".
    QString sheet() const;

    // The 37 fields of a first page's record; empty when the record does not split so.
    QStringList recordFields() const;
    // The positions of a vacancies or resultas page; nothing when the text is not made
    // of 9-character entries.
    std::optional<QList<barcode::BarcodePosition>> positions() const;
};

// Undoes the barcode folding where the Spanish spelling leaves one answer: "&n" is "ñ",
// and "&a", "&e", "&i", "&o", "&u" are the acute vowels (the only accents Spanish puts on
// them, but for "ü"). Blanks that stood for "&", "¿" or "!" and the other foldings cannot
// be told apart and stay as they are.
QString unfoldBarcodeText(const QString& folded);

} // namespace velantor
