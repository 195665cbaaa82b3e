#pragma once

#include <QString>

namespace velantor::errors {

// Failures of the barcode pictures, numbered apart from the shared list in platform/Error.h.
enum Barcode : int {
    kBarcodeInvalidDate = 1101, // a date of the record is not DD/MM/YYYY
    kBarcodeTooLong = 1102,     // the payload does not fit one PDF417 symbol in its box
    kBarcodeEncoder = 1103,     // the encoder refused the payload
    kBarcodeUnreadable = 1104,  // a picture or document that cannot be read as an image
    kBarcodeMismatch = 1105,    // a barcode that does not read back as its payload
};
inline constexpr Barcode kBarcodeStatuses[] = {kBarcodeInvalidDate, kBarcodeTooLong, kBarcodeEncoder,
                                               kBarcodeUnreadable, kBarcodeMismatch};
QString description(Barcode status);

} // namespace velantor::errors
