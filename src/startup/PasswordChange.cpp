#include "startup/PasswordChange.h"

#include "startup/UserRegistry.h"

namespace velantor {

QString newPasswordProblem(const QString& password, const QString& repeated) {
    if (password.size() < kMinPasswordLength || repeated.size() < kMinPasswordLength)
        return QStringLiteral("El password debe tener al menos 6 caracteres");
    if (password != repeated)
        return QStringLiteral("Escriba la misma contraseña en las dos casillas");
    return {};
}

PasswordChange acceptNewPassword(UserRegistry& registry, const QString& dni, const QString& password,
                                 const QString& repeated) {
    const QString problem = newPasswordProblem(password, repeated);
    if (!problem.isEmpty())
        return {PasswordChangeOutcome::Refused, problem};
    const Result<void> stored = registry.replaceUser(dni, password.toUpper());
    if (!stored)
        return {PasswordChangeOutcome::NotSaved, stored.error().description};
    return {PasswordChangeOutcome::Stored, {}};
}

} // namespace velantor
