#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace velantor {

// The values of one field over all rows, in insertion order. Integer fields keep a
// vector of numbers. Text fields keep every value's characters in one buffer and each
// row's (start, length) in it: tens of thousands of short codes then take a few bytes
// each instead of an allocation each, and a filter scans them in memory order.
class TableColumn {
public:
    explicit TableColumn(bool integer = false) : m_integer(integer) {}

    bool isInteger() const { return m_integer; }
    std::size_t size() const { return m_integer ? m_numbers.size() : m_cells.size(); }

    // Text fields. The view stays valid until the column next changes.
    QStringView view(std::size_t row) const {
        const Cell& cell = m_cells[row];
        return QStringView(m_chars.data() + cell.start, static_cast<qsizetype>(cell.length));
    }
    // The value as text, for either kind of field.
    QString text(std::size_t row) const;
    // Returns false when the value was already stored.
    bool setText(std::size_t row, QStringView value);

    qint64 number(std::size_t row) const { return m_numbers[row]; }
    bool setNumber(std::size_t row, qint64 value);

    void append();
    void erase(std::size_t row);
    void clear();

private:
    struct Cell {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
    };
    void compact();

    bool m_integer;
    std::vector<qint64> m_numbers;
    std::vector<char16_t> m_chars;
    std::vector<Cell> m_cells;
    std::size_t m_wasted = 0; // characters no cell refers to any more
};

} // namespace velantor
