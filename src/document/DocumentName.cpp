#include "document/DocumentName.h"

namespace velantor {
namespace {

QString leftFilled(const QString& value, int width, QChar fill) {
    const QString taken = value.left(width);
    return QString(qMax(0, width - int(taken.size())), fill) + taken;
}

// What makes a part of the name unsafe, "" when nothing does.
QString unsafeReason(const QString& part) {
    for (QChar c : part) {
        if (c == u'/' || c == u'\\')
            return QStringLiteral("contiene el separador de carpetas «%1»").arg(c);
        if (c == u':')
            return QStringLiteral("contiene «:»");
    }
    if (part.contains(QStringLiteral("..")))
        return QStringLiteral("contiene «..»");
    return {};
}

} // namespace

Result<QString> documentFileName(const QString& dni, const QString& bodyCode, const QString& group) {
    const QString dniPart = leftFilled(dni, 9, u'0');
    const QString bodyPart = leftFilled(bodyCode, 6, u'_');
    const QString groupPart = leftFilled(group.left(1), 2, u'0');
    const struct {
        const char* what;
        const QString& value;
        const QString& part;
    } parts[] = {
        {"el DNI", dni, dniPart},
        {"el código de la categoría", bodyCode, bodyPart},
        {"el grupo", group, groupPart},
    };
    for (const auto& p : parts) {
        if (const QString reason = unsafeReason(p.part); !reason.isEmpty())
            return std::unexpected(makeError(
                errors::kUnsafeName,
                QStringLiteral("No se puede formar el nombre del documento: %1 «%2» %3. Corrija el dato y "
                               "vuelva a guardar.")
                    .arg(QString::fromUtf8(p.what), p.value, reason)));
    }
    // Two safe parts can still meet in ".." ("x." followed by ".y").
    const QString name = dniPart + bodyPart + groupPart + QStringLiteral(".doc");
    if (name.contains(QStringLiteral("..")))
        return std::unexpected(makeError(
            errors::kUnsafeName,
            QStringLiteral("No se puede formar el nombre del documento «%1»: contiene «..». Corrija el DNI o "
                           "el código de la categoría y vuelva a guardar.")
                .arg(name)));
    return name;
}

} // namespace velantor
