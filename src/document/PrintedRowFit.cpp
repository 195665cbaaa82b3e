#include "document/PrintedRowFit.h"

#include <algorithm>
#include <cmath>

#include <QProcess>

using namespace Qt::Literals::StringLiterals;

namespace velantor {
namespace {

// Arial's advance widths, in thousandths of the font size, for the printable ASCII
// characters (space to "~"). Accented letters take the width of their base letter.
constexpr short kAsciiWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // space - /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // 0 - ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // @ - O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P - _
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` - o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p - ~

// The cell's margins (85 twips each side in the template's table style) and a small
// allowance for rounding in the word processor's layout.
constexpr int kCellMarginTwips = 2 * 85;
constexpr double kWidthSlack = 0.96;
// Line height of Arial as a multiple of its size, and the cell's top and bottom margins.
constexpr double kLineFactor = 1.15;
constexpr int kCellVerticalMarginTwips = 2 * 28;

int charWidth(QChar c) {
    ushort u = c.unicode();
    if (u >= 0x80) {
        const QString base = QString(c).normalized(QString::NormalizationForm_D);
        if (!base.isEmpty() && base.at(0).unicode() < 0x80)
            u = base.at(0).unicode();
        else if (u == 0xBA || u == 0xAA)
            return 365; // º ª
        else
            return 556;
    }
    if (u < 32 || u > 126)
        return 0;
    return kAsciiWidths[u - 32];
}

double availablePoints(int cellTwips) {
    return std::max(0, cellTwips - kCellMarginTwips) / 20.0 * kWidthSlack;
}

int lineTwips(double points) {
    return int(std::ceil(points * kLineFactor * 20.0));
}

} // namespace

double arialTextWidth(QStringView text, double points) {
    int units = 0;
    for (QChar c : text)
        units += charWidth(c);
    return units * points / 1000.0;
}

int wrappedLineCount(QStringView text, double points, double widthPoints) {
    const QString simplified = text.toString().simplified();
    if (simplified.isEmpty() || widthPoints <= 0)
        return 1;
    const double space = arialTextWidth(u" ", points);
    int lines = 1;
    double used = 0;
    for (const QString& word : simplified.split(u' ')) {
        double width = arialTextWidth(word, points);
        if (used > 0 && used + space + width <= widthPoints) {
            used += space + width;
            continue;
        }
        if (used > 0)
            ++lines;
        // A word wider than the line is broken over as many lines as it needs.
        while (width > widthPoints) {
            ++lines;
            width -= widthPoints;
        }
        used = width;
    }
    return lines;
}

CellFit fitCellText(QStringView text, int cellTwips, double points, bool condensed) {
    const double width = availablePoints(cellTwips);
    for (double size = points; size >= kPrintedMinimumPoints; size -= 0.5) {
        if (arialTextWidth(text.trimmed(), size) <= width)
            return CellFit{size, 1, false};
    }
    if (!condensed)
        return CellFit{kPrintedMinimumPoints, wrappedLineCount(text, kPrintedMinimumPoints, width), false};
    // Arial's widths scaled stand for the condensed face's: measuring in Arial at a size
    // and a width both divided by the factor is the same.
    const double arialWidth = width / kCondensedWidthFactor;
    for (double size = std::min(points, 7.0); size >= kPrintedMinimumPoints; size -= 0.5) {
        if (arialTextWidth(text.trimmed(), size) <= arialWidth)
            return CellFit{size, 1, true};
    }
    return CellFit{kPrintedMinimumPoints, wrappedLineCount(text, kPrintedMinimumPoints, arialWidth), true};
}

bool condensedFaceAvailable() {
    static const bool available = [] {
        QProcess match;
        match.start(u"fc-match"_s, {u"-f"_s, u"%{family}"_s, QString::fromUtf16(kCondensedFamily)});
        if (!match.waitForFinished(5000) || match.exitStatus() != QProcess::NormalExit || match.exitCode() != 0)
            return false;
        return QString::fromUtf8(match.readAllStandardOutput()).contains(u"Narrow"_s, Qt::CaseInsensitive);
    }();
    return available;
}

RowFit fitRow(const QStringList& texts, const std::vector<int>& columnTwips, double points, bool condensed) {
    RowFit row;
    for (qsizetype c = 0; c < texts.size(); ++c) {
        const int width = c < qsizetype(columnTwips.size()) ? columnTwips[size_t(c)] : 0;
        const CellFit cell = width > 0 ? fitCellText(texts.at(c), width, points, condensed) : CellFit{points, 1, false};
        row.cells.push_back(cell);
        if (cell.lines > 1)
            row.heightTwips =
                std::max(row.heightTwips, cell.lines * lineTwips(cell.points) + kCellVerticalMarginTwips);
    }
    return row;
}

} // namespace velantor
