#pragma once

#include <QString>

namespace velantor {

class MessageService;

// Pads `text` to `width` characters with `pad` on the left (right-aligned result) or on
// the right. A longer text comes back whole. A pad text that is not exactly one
// character is reported through `messages` and gives an empty text.
QString Rellenar(const QString& text, int width, bool left, const QString& pad, MessageService& messages);

// Converts a text from the OEM code page (850) to the ANSI one (Windows-1252): the
// text's characters are taken as the Windows-1252 bytes they were read from, and those
// bytes are read again as code page 850. The result has the same length.
QString OemAAnsi(const QString& text);

} // namespace velantor
