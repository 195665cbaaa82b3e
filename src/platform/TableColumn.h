#pragma once

#include <vector>

#include <QString>
#include <QtGlobal>

namespace velantor {

// The values of one field over all rows, in insertion order. Text fields use `texts`,
// integer fields `numbers`. Keeping each field in a vector of its own lets a filter
// scan touch only the fields it names.
struct TableColumn {
    bool integer = false;
    std::vector<QString> texts;
    std::vector<qint64> numbers;

    QString textAt(int row) const { return integer ? QString::number(numbers[row]) : texts[row]; }
};

} // namespace velantor
