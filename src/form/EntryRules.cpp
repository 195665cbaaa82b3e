#include "form/EntryRules.h"

#include <cmath>
#include <limits>

#include <QRegularExpression>

#include "form/FormView.h"
#include "platform/MessageService.h"
#include "form/ControlNames.h"

namespace velantor {

KeyFilterResult FiltroTeclas(const QString& currentText, QChar typed, bool numeric) {
    if (typed == u'\r')
        return {false, typed, true};
    if (!numeric) {
        const bool quote = typed == u'\'' || typed == u'"';
        return {!quote, typed, false};
    }
    if (typed == u'-')
        return {true, typed, false};
    if (typed == u'.' || typed == u'n')
        typed = u',';
    const bool keep =
        (typed >= u'0' && typed <= u'9') || typed == u'\b' || (typed == u',' && !currentText.contains(u','));
    return {keep, typed, false};
}

QDate parseDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(R"(^(\d{1,2})[/.\-](\d{1,2})[/.\-](\d{4})$)"));
    const auto match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
}

DateCheck checkDate(const QString& text, QDate today) {
    const QDate date = parseDate(text);
    if (!date.isValid())
        return {DateCheck::NotADate, {}};
    const QString rewritten = date.toString(QStringLiteral("dd/MM/yyyy"));
    const bool inRange = date >= QDate(1900, 1, 1) && date <= today;
    return {inRange ? DateCheck::Ok : DateCheck::OutOfRange, rewritten};
}

std::optional<double> parseDecimal(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(R"(^-?(\d+,?\d*|,\d+)$)"));
    const QString trimmed = text.trimmed();
    if (!pattern.match(trimmed).hasMatch())
        return std::nullopt;
    QString c = trimmed;
    c.replace(u',', u'.');
    if (c.endsWith(u'.'))
        c.chop(1);
    bool ok = false;
    const double value = c.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

qint64 roundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit)
        return std::numeric_limits<qint64>::max();
    if (value < -limit)
        return std::numeric_limits<qint64>::min();
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1.0;
    if (rounded >= limit)
        return std::numeric_limits<qint64>::max();
    return qint64(rounded);
}

bool isValidYear(const QString& text, int currentYear) {
    const auto value = parseDecimal(text);
    return value && *value >= 1950 && *value <= currentYear;
}

bool isValidHours(const QString& text) {
    const auto value = parseDecimal(text);
    return value && *value >= 1;
}

bool isValidOrder(const QString& text) {
    const auto value = parseDecimal(text);
    return value && *value > 0 && *value <= 32000;
}

namespace {

const QString kDateMessage = QStringLiteral("Fecha Errónea");
const QString kDateTitle = QStringLiteral("Formato de Fecha erróneo");

bool leaveDate(FormView& view, MessageService& messages, const QString& control, QDate today,
               bool plainWhenNoDate) {
    const DateCheck check = checkDate(view.text(control), today);
    if (check.status != DateCheck::NotADate)
        view.setText(control, check.rewritten);
    if (check.status == DateCheck::Ok)
        return false;
    if (check.status == DateCheck::NotADate && plainWhenNoDate)
        messages.inform(kDateMessage);
    else
        messages.inform(kDateMessage, kDateTitle, MessageIcon::Exclamation);
    view.setFocus(control);
    return true;
}

bool leaveNumber(FormView& view, MessageService& messages, const QString& control, bool valid,
                 const QString& message, const QString& title) {
    if (valid)
        return false;
    messages.inform(message, title, MessageIcon::Exclamation);
    view.setText(control, QString());
    view.setFocus(control);
    return true;
}

} // namespace

bool onFieldLeft(FormView& view, MessageService& messages, QStringView control, QDate today) {
    const QString name = control.toString();
    const QString text = view.text(name);
    if (text.isEmpty())
        return false;
    if (name == ctl::txtFecNacimiento)
        return leaveDate(view, messages, name, today, true);
    if (name == ctl::txtFechaIngreso || name == ctl::txtFechaSit || name == ctl::txtFecPosesion)
        return leaveDate(view, messages, name, today, false);
    if (name == ctl::txtAno)
        return leaveNumber(view, messages, name, isValidYear(text, today.year()),
                           QStringLiteral("El año introducido es erróneo"), QStringLiteral("Datos erróneos"));
    if (name == ctl::txtHoras)
        return leaveNumber(view, messages, name, isValidHours(text),
                           QStringLiteral("El número de horas debe ser mayor de 0"),
                           QStringLiteral("Datos Erróneos"));
    if (name == ctl::txtOrdenVacante || name == ctl::txtOrdenResultas) {
        if (!isValidOrder(text))
            view.setText(name, QString());
        return false;
    }
    return false;
}

} // namespace velantor
