#pragma once

#include <vector>

#include <QString>
#include <QStringList>

namespace velantor {

// How a row of a printed list is set so that every name in it is whole on paper: each
// text is fitted to its cell by shrinking its font, from the list's size down to a
// legible 6 pt, then (where the printing machine has it) set in the condensed face from
// 7 pt down to 6 pt, and what still does not fit on one line wraps, the row growing to
// hold it. The widths are those of Arial (the template's face; LibreOffice prints it with
// a face of the same widths) and of Arial Narrow, so the fit is the same on every machine
// with the same faces.

inline constexpr double kPrintedListPoints = 8.0;
inline constexpr double kPrintedMinimumPoints = 6.0;
// The height of a one-line row of the position lists; numPlazasPorPag of them fill a page.
inline constexpr int kPositionRowTwips = 200;
// The condensed face, and how much narrower than Arial it sets the same text.
inline constexpr char16_t kCondensedFamily[] = u"Arial Narrow";
inline constexpr double kCondensedWidthFactor = 0.82;

// Whether the print can use the condensed face: the machine's fonts give a face of Arial
// Narrow's widths for it (Liberation Sans Narrow, of fonts-liberation). Asked once.
bool condensedFaceAvailable();

// The width in points of `text` set in Arial at `points`.
double arialTextWidth(QStringView text, double points);
// The lines `text` takes in Arial at `points` wrapped at spaces into `widthPoints` (a word
// longer than the width is broken where it has to be); at least 1.
int wrappedLineCount(QStringView text, double points, double widthPoints);

struct CellFit {
    double points = kPrintedListPoints;
    int lines = 1;
    bool condensed = false; // set in kCondensedFamily
};
// The largest size, in half points from `points` down to 6 pt, at which `text` fits one
// line of a cell `cellTwips` wide; with `condensed`, then in the condensed face from 7 pt
// down to 6 pt; at 6 pt (condensed when allowed) on as many lines as it needs when none does.
CellFit fitCellText(QStringView text, int cellTwips, double points = kPrintedListPoints, bool condensed = false);

struct RowFit {
    std::vector<CellFit> cells;
    int heightTwips = kPositionRowTwips; // the one-line height, or what the wrapped cells need
    bool grown() const { return heightTwips > kPositionRowTwips; }
};
// Fits each text to the column of the same index (widths in twips, as the template's).
RowFit fitRow(const QStringList& texts, const std::vector<int>& columnTwips,
              double points = kPrintedListPoints, bool condensed = false);

} // namespace velantor
