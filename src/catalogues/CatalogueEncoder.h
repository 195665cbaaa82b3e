#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringView>

#include "platform/Error.h"

namespace velantor::catalogues {

// Columns of a plain record that hold OEM (code page 850) text rather than Windows-1252.
struct OemColumns {
    int start; // counted from 1
    int length;
};

// The OEM columns of a catalogue by its file name: the zone names of "F0013".
std::optional<OemColumns> oemColumnsFor(const QString& fileName);

// The inverse of decoding: every line of `plainText` (ended by LF or CR LF) to Windows-1252
// bytes (the OEM columns to code page 850), every byte one code up, each line ended by CR LF.
// A character with no byte in its code page, one whose stored byte would pass for a line end
// (tab, form feed) and the byte 255 (nothing above it) are errors naming line and column.
Result<QByteArray> encodeCatalogue(QStringView plainText, std::optional<OemColumns> oem = std::nullopt);

} // namespace velantor::catalogues
