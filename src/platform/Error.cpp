#include "platform/Error.h"

namespace velantor::errors {

QString description(Platform status) {
    switch (status) {
    case kInvalidProcedureCall:
        return QStringLiteral("Llamada a un paso no válida");
    case kFileNotFound:
        return QStringLiteral("Archivo no encontrado");
    case kDiskFull:
        return QStringLiteral("Disco lleno");
    case kFileAccess:
        return QStringLiteral("Error de acceso al archivo");
    case kPathNotFound:
        return QStringLiteral("Ruta de acceso no encontrada");
    case kCodeOutOfRange:
        return QStringLiteral("Carácter fuera de rango");
    case kMalformedXml:
        return QStringLiteral("Documento XML no válido");
    case kMissingXmlItem:
        return QStringLiteral("Falta un elemento o atributo XML");
    case kWriteFailed:
        return QStringLiteral("No se ha podido escribir el archivo completo");
    case kMalformedFilter:
        return QStringLiteral("Filtro no válido");
    case kExternalProgram:
        return QStringLiteral("Falta un programa externo o ha fallado");
    case kUnsafeName:
        return QStringLiteral("Nombre que sale de su carpeta");
    case kUnknownControl:
        return QStringLiteral("Control desconocido");
    case kFileLocked: return QStringLiteral("Archivo en uso por otra ejecución");
    case kNotAnApplication: return QStringLiteral("El documento no es una solicitud");
    case kMissingFormField:
        return QStringLiteral("Falta un campo del documento");
    }
    return {};
}

} // namespace velantor::errors
