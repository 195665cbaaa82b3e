#pragma once

#include <functional>
#include <memory>

#include <QString>

#include "platform/Error.h"

namespace velantor {

// The user registry, "usuarios.xml" in the program folder: one `Usuario` entry per
// identity number that has a password, holding the digests (HashTexto) of the number
// and of the upper-case password under a `Usuarios` element. Loaded once per run and
// kept in memory; adding an entry reads the file again, makes the change and writes it
// back under the file's lock, so that entries other runs added meanwhile are kept.
//
// Identity numbers are normalised before hashing (upper case, padded to nine
// characters) and passwords are upper-cased, so neither depends on how it was typed.
class UserRegistry {
public:
    UserRegistry();
    ~UserRegistry();
    UserRegistry(const UserRegistry&) = delete;
    UserRegistry& operator=(const UserRegistry&) = delete;

    // Loads the registry at `path` and remembers the path. A missing file or one that
    // is not well-formed XML leaves an empty registry (everybody logs in without a
    // password); false only when the document cannot be built at all.
    bool CargarUsuarios(const QString& path);
    const QString& path() const;

    bool ExisteUsuario(const QString& dni) const;
    // The password digest of the first entry of the number; empty when there is none.
    QString PwdUsuario(const QString& dni) const;
    // Whether the password is the one registered for the number (never for an
    // unregistered number).
    bool ComprobarUsuario(const QString& dni, const QString& pwd) const;

    // Appends an entry for the number and writes the registry file. A registry without
    // a `Usuarios` element gets one; nothing else in the file changes. When the file
    // cannot be written, the entry is taken back out and the error returned, so the
    // registry in memory still matches the file.
    Result<void> AltaUsuario(const QString& dni, const QString& pwd);
    // Removes the first entry of the number from memory only; the file changes at the
    // next AltaUsuario.
    void BajaUsuario(const QString& dni);

    // BajaUsuario then AltaUsuario as one step: the number ends with exactly one entry,
    // placed last. On a failed write the registry in memory is left as it was.
    Result<void> replaceUser(const QString& dni, const QString& pwd);

    // Whether AltaUsuario may write the file: false when the file existed but could not
    // be read or parsed, since writing it would throw away what it holds.
    bool canSave() const;
    int entryCount() const;

    // The form in which an identity number is hashed.
    static QString normalisedDni(const QString& dni);

private:
    Result<void> changeLocked(const std::function<void()>& change);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velantor
