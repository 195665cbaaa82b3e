#include "document/BarcodeErrors.h"

namespace velantor::errors {

QString description(Barcode status) {
    switch (status) {
    case kBarcodeInvalidDate:
        return QStringLiteral("Fecha del código de barras no válida");
    case kBarcodeTooLong:
        return QStringLiteral("Los datos no caben en el código de barras");
    case kBarcodeEncoder:
        return QStringLiteral("No se ha podido dibujar el código de barras");
    case kBarcodeUnreadable:
        return QStringLiteral("Imagen o documento ilegible");
    case kBarcodeMismatch:
        return QStringLiteral("El código de barras no se lee como sus datos");
    }
    return {};
}

} // namespace velantor::errors
