#pragma once

#include <QString>

#include "platform/Error.h"

namespace velantor {

class UserRegistry;

// Shortest password the password window accepts, in both of its fields.
inline constexpr int kMinPasswordLength = 6;

// The message that refuses a new password typed twice, or an empty text when the pair
// is acceptable: both at least six characters long and exactly equal (case included,
// although the registry later ignores case).
QString newPasswordProblem(const QString& password, const QString& repeated);

enum class PasswordChangeOutcome {
    Stored,   // the registry file holds the new password
    Refused,  // the pair was not acceptable: message tells why, the fields are cleared
    NotSaved, // the registry file could not be written: message holds the error
};

struct PasswordChange {
    PasswordChangeOutcome outcome = PasswordChangeOutcome::Refused;
    QString message;
};

// What accepting the password window does: checks the pair, then replaces the entry
// of the identity number by one with the (upper-case) password, placed last.
PasswordChange acceptNewPassword(UserRegistry& registry, const QString& dni, const QString& password,
                                 const QString& repeated);

} // namespace velantor
