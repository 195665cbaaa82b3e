#pragma once

#include <optional>

#include <QChar>
#include <QDate>
#include <QString>

namespace velantor {

class FormView;
class MessageService;

// ---- Key filter -------------------------------------------------------------------

// What becomes of one typed character: whether it reaches the field, as which
// character, and whether the focus moves on to the next field (Enter acts as Tab).
struct KeyFilterResult {
    bool keep;
    QChar character;
    bool moveFocus;
};

// Numeric mode: Enter moves the focus and is dropped; "-" passes; "." and "n" become
// ","; digits and backspace pass; "," passes only while currentText has no comma yet;
// anything else is dropped. Text mode: the quotes ' and " are dropped, Enter moves the
// focus and is dropped, everything else passes. currentText is the text the character
// joins (without a selected part that the character replaces).
KeyFilterResult FiltroTeclas(const QString& currentText, QChar typed, bool numeric);

// ---- Dates ------------------------------------------------------------------------

// A date typed as day, month and four-digit year, each pair separated by "/", "-" or
// "."; rewritten as DD/MM/YYYY and accepted from 01/01/1900 up to today. `rewritten`
// is set whenever the text is a date, in range or not.
struct DateCheck {
    enum Status { Ok, NotADate, OutOfRange } status;
    QString rewritten;
};
DateCheck checkDate(const QString& text, QDate today);
// The date of a text in any of the spellings checkDate accepts; invalid when none.
QDate parseDate(const QString& text);

// ---- Numbers ----------------------------------------------------------------------

// A decimal number written with a comma as the decimal separator ("12,5", ",5", "-3"),
// blanks around it allowed. No thousands separators: "1.000" is not a number.
std::optional<double> parseDecimal(const QString& text);
// To the nearest integer, halves to the even neighbour (2,5 → 2; 3,5 → 4). Values
// beyond the 64-bit range are clamped to it; NaN gives 0.
qint64 roundHalfEven(double value);
// A course year: a number from 1950 up to the current year.
bool isValidYear(const QString& text, int currentYear);
// A course's hours: a number of at least 1.
bool isValidHours(const QString& text);
// The order of a requested position: a number above 0 and at most 32000.
bool isValidOrder(const QString& text);

// ---- Checks on leaving a field ----------------------------------------------------

// Runs the check of a field the user has just left (dates of birth, entry, situation
// and taking up the post; course year and hours; requested positions' order). Empty
// fields and fields without a check pass. Shows the field's message, rewrites or
// empties the field and puts the focus back as the field's rule says. Returns true
// when the focus has been sent back to the field.
bool onFieldLeft(FormView& view, MessageService& messages, QStringView control, QDate today);

// ---- Option pairs -----------------------------------------------------------------

// The other option of an option pair ("" for a name that is not a paired option).
QString optionPartner(QStringView option);

// Runs the rule of the pair the option belongs to, after the option has been selected
// (by the user or by the program). The rule reads the pair's state, so either member
// leads to the same result; a pair with neither member selected is left alone.
void applyOptionRule(FormView& view, QStringView option);

// A row has been chosen in cboSituaciones. A situation marked "esOtras" shows txtSitAdm
// empty and focused, for the user to name it; any other situation hides txtSitAdm and
// puts the chosen situation's code (the list's text) in it, so that a saved document
// brings the same situation back into the list when it is loaded.
void onSituationChosen(FormView& view);

} // namespace velantor
