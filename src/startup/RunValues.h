#pragma once

#include <QString>

namespace velantor {

// The values of one run that the windows share. The login writes the identity number
// and whether it has a password; the selection window chooses the saved application.
// The open application window itself is held by the window layer.
struct RunValues {
    QString DNIUsuario;           // normalised identity number that logged in (nine characters)
    bool UsuarioValidado = false; // the login succeeded
    bool UsuarioConPwd = false;   // that identity number has a password in the user registry
    QString FicheroSolicitud;     // file name (no folder) of the chosen application; empty: a new one
};

} // namespace velantor
