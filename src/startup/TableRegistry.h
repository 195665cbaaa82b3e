#pragma once

#include <vector>

#include "tables/Table.h"

namespace velantor {

// The in-memory tables that live for the whole run (catalogue tables and the list of
// saved applications), in the order they were registered, so they can all be closed
// when the program ends.
class TableRegistry {
public:
    void add(const TablePtr& table);
    const std::vector<TablePtr>& tables() const { return m_tables; }
    bool empty() const { return m_tables.empty(); }

    // Closes every open table in turn and then releases them all. A table that fails
    // to close does not stop the others.
    void closeAll() noexcept;

private:
    std::vector<TablePtr> m_tables;
};

// The program's clean-up at the end of a run: closes and releases every registered table.
void CerrarTablas(TableRegistry& registry) noexcept;

} // namespace velantor
