#include "tables/TableColumn.h"

#include <algorithm>
#include <stdexcept>

namespace velantor {

QString TableColumn::text(std::size_t row) const {
    if (m_integer)
        return QString::number(m_numbers[row]);
    const QStringView value = view(row);
    return value.isEmpty() ? QString() : value.toString();
}

bool TableColumn::setText(std::size_t row, QStringView value) {
    Cell& cell = m_cells[row];
    if (view(row) == value)
        return false;
    const std::size_t length = static_cast<std::size_t>(value.size());
    if (length <= cell.length) {
        // A value no longer than the old one takes its place.
        std::copy(value.utf16(), value.utf16() + length, m_chars.begin() + cell.start);
        m_wasted += cell.length - length;
        cell.length = static_cast<std::uint32_t>(length);
    } else {
        if (m_chars.size() + length > UINT32_MAX)
            throw std::length_error("TableColumn: more text than one column holds");
        m_wasted += cell.length;
        cell.start = static_cast<std::uint32_t>(m_chars.size());
        cell.length = static_cast<std::uint32_t>(length);
        m_chars.insert(m_chars.end(), value.utf16(), value.utf16() + length);
    }
    if (m_wasted > 4096 && m_wasted * 2 > m_chars.size())
        compact();
    return true;
}

bool TableColumn::setNumber(std::size_t row, qint64 value) {
    if (m_numbers[row] == value)
        return false;
    m_numbers[row] = value;
    return true;
}

void TableColumn::append() {
    if (m_integer)
        m_numbers.push_back(0);
    else
        m_cells.push_back({static_cast<std::uint32_t>(m_chars.size()), 0});
}

void TableColumn::erase(std::size_t row) {
    if (m_integer) {
        m_numbers.erase(m_numbers.begin() + static_cast<std::ptrdiff_t>(row));
        return;
    }
    m_wasted += m_cells[row].length;
    m_cells.erase(m_cells.begin() + static_cast<std::ptrdiff_t>(row));
    if (m_wasted > 4096 && m_wasted * 2 > m_chars.size())
        compact();
}

void TableColumn::clear() {
    m_numbers.clear();
    m_chars.clear();
    m_cells.clear();
    m_wasted = 0;
}

void TableColumn::compact() {
    std::vector<char16_t> chars;
    chars.reserve(m_chars.size() - m_wasted);
    for (Cell& cell : m_cells) {
        const auto begin = m_chars.begin() + cell.start;
        cell.start = static_cast<std::uint32_t>(chars.size());
        chars.insert(chars.end(), begin, begin + cell.length);
    }
    m_chars = std::move(chars);
    m_wasted = 0;
}

} // namespace velantor
