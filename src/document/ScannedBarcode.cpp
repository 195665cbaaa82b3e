#include "document/ScannedBarcode.h"

#include <QRegularExpression>

#include "document/BarcodeRecord.h"

namespace velantor {

std::optional<ScannedBarcode> ScannedBarcode::parse(const QString& text) {
    // The first date and time after the header mark its end; the group column before the
    // body code has no fixed width.
    static const QRegularExpression pattern(
        QStringLiteral("^(.{9})(.*?)(\\d{5})(.)(\\d\\d/\\d\\d/\\d{4})(\\d\\d:\\d\\d:\\d\\d)([PVR])(\\d{3})(.*)F$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    ScannedBarcode barcode;
    barcode.dni = match.captured(1);
    barcode.cuerpoGrupo = match.captured(2);
    barcode.cuerpo = match.captured(3);
    barcode.grupo = match.captured(4);
    barcode.printed = QDateTime::fromString(match.captured(5) + u' ' + match.captured(6),
                                            QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    if (!barcode.printed.isValid())
        return std::nullopt;
    barcode.letter = match.captured(7).front();
    barcode.page = match.captured(8).toInt();
    barcode.body = match.captured(9);
    if (barcode.letter == barcode::kFirstPageLetter && barcode.page != 1)
        return std::nullopt;
    return barcode;
}

QString ScannedBarcode::solicitudId() const {
    return dni.trimmed() + u'_' + cuerpo + grupo.trimmed() + u'_' +
           printed.toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString ScannedBarcode::applicationKey() const {
    return dni.trimmed() + u'_' + cuerpo + grupo.trimmed();
}

QString ScannedBarcode::sheet() const {
    return letter + QStringLiteral("%1").arg(page, 3, 10, QChar(u'0'));
}

QStringList ScannedBarcode::recordFields() const {
    if (letter != barcode::kFirstPageLetter || !body.endsWith(u'|'))
        return {};
    QStringList fields = body.split(u'|');
    fields.removeLast();
    return fields.size() == barcode::kApplicationRecordFields ? fields : QStringList();
}

std::optional<QList<barcode::BarcodePosition>> ScannedBarcode::positions() const {
    constexpr int kEntry = 9;
    if (letter == barcode::kFirstPageLetter || body.size() % kEntry != 0)
        return std::nullopt;
    QList<barcode::BarcodePosition> list;
    for (qsizetype at = 0; at < body.size(); at += kEntry) {
        bool ok = false;
        const qint64 orden = body.mid(at, 4).toLongLong(&ok);
        const QString code = body.mid(at + 4, 5).trimmed();
        if (!ok || code.isEmpty())
            return std::nullopt;
        list.append(barcode::BarcodePosition{orden, code});
    }
    return list;
}

QString unfoldBarcodeText(const QString& folded) {
    static const QString plain = QStringLiteral("aeiouAEIOUnN");
    static const QString spelled = QStringLiteral("áéíóúÁÉÍÓÚñÑ");
    QString text;
    text.reserve(folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const qsizetype at = i + 1 < folded.size() && folded[i] == u'&' ? plain.indexOf(folded[i + 1]) : -1;
        if (at >= 0) {
            text += spelled[at];
            ++i;
        } else {
            text += folded[i];
        }
    }
    return text;
}

} // namespace velantor
