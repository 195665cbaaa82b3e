#pragma once

#include <QByteArray>
#include <QString>

namespace velantor::codepage {

// The single-byte code pages the system's files use: Windows-1252 (the "ANSI" code
// page of catalogues, the work file and text files) and 850 (the "OEM" code page of
// the zone names). Each byte maps to exactly one character and back.

QString fromWindows1252(const QByteArray& bytes);
QString fromCp850(const QByteArray& bytes);
QString fromLatin1(const QByteArray& bytes);

// Characters with no byte in the code page become `replacement`.
QByteArray toWindows1252(QStringView text, char replacement = '?');
QByteArray toCp850(QStringView text, char replacement = '?');

// OEM (850) text read as Windows-1252 back to what it says: each character taken as the
// Windows-1252 byte it was read from, and the bytes read again as code page 850.
QString oemToAnsi(const QString& text);

// The text of an XML file as UTF-8, for a parser told to read UTF-8. UTF-16 (with a byte
// order mark or recognised by its first characters) is converted; so is a file declaring
// Windows-1252 or Latin-1, which the XML library does not all know. In a file read as
// UTF-8, a byte that is no part of a valid UTF-8 sequence was typed in the Windows code
// page by a hand edit and is read as the Windows-1252 character it is, rather than shown
// as a broken letter.
QByteArray xmlAsUtf8(const QByteArray& bytes);

// The Windows-1252 byte of a character, or -1 when it has none.
int windows1252Byte(QChar c);
// The character of a Windows-1252 byte (0..255). Bytes undefined in the code page
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number, as Windows does.
QChar windows1252Char(unsigned char byte);

} // namespace velantor::codepage
