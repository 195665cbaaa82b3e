#include "startup/ui/ValidarDNI.h"

#include <QColor>
#include <QLineEdit>
#include <QPalette>

#include "platform/MessageService.h"
#include "startup/Validacion.h"

namespace velantor {

bool ValidarDNI(QLineEdit& field, MessageService& messages) {
    const DniCheck check = checkDni(field.text());
    if (field.text() != check.text)
        field.setText(check.text);

    QPalette palette = field.palette();
    palette.setColor(QPalette::Text, check.valid ? QColor(0, 0, 0) : QColor(254, 0, 0));
    field.setPalette(palette);

    if (!check.valid)
        messages.show(Message{QStringLiteral("DNI no válido"), QStringLiteral("Error en DNI"),
                              MessageIcon::Exclamation, MessageButtons::Ok});
    return check.valid;
}

} // namespace velantor
