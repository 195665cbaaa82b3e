#pragma once

class QLineEdit;

namespace velantor {

class MessageService;

// Applies the identity number rule to a text field: rewrites its text (padded, and in
// upper case when valid), shows it in black when valid and in red when not, and tells
// the user about an invalid number. Returns whether the number is valid.
bool ValidarDNI(QLineEdit& field, MessageService& messages);

} // namespace velantor
