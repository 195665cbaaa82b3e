#pragma once

namespace velantor::errors {

// Failures of the barcode pictures, numbered apart from the shared list in platform/Error.h.
inline constexpr int kBarcodeInvalidDate = 1101; // a date of the record is not DD/MM/YYYY
inline constexpr int kBarcodeTooLong = 1102;     // the payload does not fit one PDF417 symbol in its box
inline constexpr int kBarcodeEncoder = 1103;     // the encoder refused the payload
inline constexpr int kBarcodeUnreadable = 1104;  // a picture or document that cannot be read as an image
inline constexpr int kBarcodeMismatch = 1105;    // a barcode that does not read back as its payload

} // namespace velantor::errors
