#!/bin/sh
# Starts Velantor from this portable folder, which is its program folder: the saved
# applications and the user registry are written here, so the folder must be writable.
here="$(cd "$(dirname "$0")" && pwd)"
if [ ! -w "$here" ] || [ ! -w "$here/ficheros/temp" ]; then
    echo "velantor: no se puede escribir en $here; copie la carpeta a un lugar donde pueda escribir." >&2
    exit 1
fi
missing="$(ldd "$here/velantor" 2>/dev/null | sed -n 's/^[[:space:]]*\([^ ]*\) => not found.*/\1/p')"
if [ -n "$missing" ]; then
    echo "velantor: faltan bibliotecas del sistema:" $missing >&2
    echo "Instale los paquetes que indica LEEME.txt." >&2
    exit 1
fi
exec "$here/velantor" "$@"
