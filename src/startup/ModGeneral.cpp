#include "startup/ModGeneral.h"

#include "platform/CodePage.h"
#include "platform/MessageService.h"

namespace velantor {

QString Rellenar(const QString& text, int width, bool left, const QString& pad, MessageService& messages) {
    if (pad.size() != 1) {
        messages.show(
            Message{QStringLiteral("Sólo se admiten caracteres, no cadenas en el argumento 'caracter'"),
                    QStringLiteral("Error"), MessageIcon::None, MessageButtons::Ok});
        return {};
    }
    const qsizetype missing = width - text.size();
    if (missing <= 0)
        return text;
    const QString padding(missing, pad.at(0));
    return left ? padding + text : text + padding;
}

QString OemAAnsi(const QString& text) {
    return codepage::oemToAnsi(text);
}

} // namespace velantor
