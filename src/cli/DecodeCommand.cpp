#include <QDir>
#include <QFile>
#include <QImage>

#include "cli/Command.h"
#include "document/BarcodeErrors.h"
#include "document/BarcodeReader.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor::cli {
namespace {

// PDF and BMP are read by the core; PNG and the other picture formats through Qt's image
// readers, turned to grey here.
Result<QList<FoundBarcode>> readAny(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray magic = file.peek(5);
        if (!magic.startsWith("%PDF") && !magic.startsWith("BM")) {
            QImage image;
            if (!image.load(&file, nullptr)) {
                return std::unexpected(
                    makeError(errors::kBarcodeUnreadable,
                              u"El fichero «%1» no es un PDF ni una imagen que se pueda leer."_s.arg(
                                  QDir::toNativeSeparators(path))));
            }
            const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
            QList<FoundBarcode> found;
            for (const QByteArray& bytes : BarcodeReader::read(grey.constBits(), grey.width(), grey.height(),
                                                               static_cast<int>(grey.bytesPerLine())))
                found.append(FoundBarcode{0, bytes});
            return found;
        }
    }
    return BarcodeReader::readFile(path);
}

int decode(CommandContext& context) {
    if (context.args.isEmpty()) {
        context.err << "Uso: velantor-cli decode FICHERO...\n";
        return kExitUsage;
    }
    int code = kExitOk;
    for (const QString& path : context.args) {
        const auto found = readAny(path);
        if (!found) {
            context.err << "velantor-cli decode: " << found.error().description << '\n';
            const bool badInput = found.error().number == errors::kFileNotFound ||
                                  found.error().number == errors::kBarcodeUnreadable;
            code = std::max(code, badInput ? kExitUsage : kExitFailure);
            continue;
        }
        if (found->isEmpty()) {
            context.err << "velantor-cli decode: no hay ningún código PDF417 legible en «"
                        << QDir::toNativeSeparators(path) << "».\n";
            code = std::max(code, kExitNegative);
            continue;
        }
        for (const FoundBarcode& barcode : *found)
            context.out << barcode.text() << '\n';
    }
    return code;
}

const Registration registration(u"decode"_s,
                                u"decode FICHERO...   lee los códigos PDF417 de PDF (a 300 ppp) o imágenes "
                                u"(PNG, BMP) y escribe cada contenido en una línea, en orden de página"_s,
                                decode);

} // namespace
} // namespace velantor::cli
