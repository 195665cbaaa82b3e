#include "document/ApplicationIdentity.h"

#include "docengine/WordDocument.h"
#include "form/ControlNames.h"
#include "form/FormControl.h"

namespace velantor {

Result<void> checkIsApplication(const WordDocument& document, const QString& fileName) {
    const auto refused = [&](const QString& why) {
        return std::unexpected(makeError(
            errors::kNotAnApplication,
            QStringLiteral("El documento «%1» no es una solicitud de este programa: %2").arg(fileName, why)));
    };
    const FormControl* identity = findFormControl(ctl::txtDNI);
    const Result<QString> dni = identity ? document.fieldText(identity->tag)
                                         : Result<QString>(std::unexpected(Error{errors::kMissingFormField, {}}));
    if (!dni) {
        if (dni.error().number != errors::kMissingFormField)
            return std::unexpected(dni.error());
        return refused(QStringLiteral("no tiene los campos del formulario de solicitud."));
    }
    const QString number = dni->trimmed();
    if (number.isEmpty())
        return refused(QStringLiteral("no lleva el DNI de quien la presenta."));
    // The name begins with the number's first nine characters, "0"-filled on the left.
    const QString named = number.left(9).rightJustified(9, u'0');
    if (fileName.left(9).compare(named, Qt::CaseInsensitive) != 0)
        return refused(QStringLiteral("guarda el DNI «%1», que no es el de su nombre de archivo.").arg(number));
    return {};
}

} // namespace velantor
