#pragma once

#include <QList>
#include <QString>

namespace velantor {

// One column shown by a data-bound list or grid: the table field, its heading and its
// width in twips (the unit the layouts are designed in; 15 twips make about one pixel).
// A width of 0 lets the view size the column to its contents. A hidden column stays
// bound (its values can be read) but is not drawn.
struct DataGridColumn {
    QString field;
    QString caption;
    int widthTwips = 0;
    bool hidden = false;

    static DataGridColumn shown(const QString& field, const QString& caption, int widthTwips = 0) {
        return {field, caption, widthTwips, false};
    }
    static DataGridColumn hiddenField(const QString& field) { return {field, field, 0, true}; }
};

using DataGridColumns = QList<DataGridColumn>;

inline int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

} // namespace velantor
