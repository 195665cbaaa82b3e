#include "startup/TableRegistry.h"

namespace velantor {

void TableRegistry::add(const TablePtr& table) {
    if (table)
        m_tables.push_back(table);
}

void TableRegistry::closeAll() noexcept {
    for (const TablePtr& table : m_tables) {
        try {
            if (table->isOpen())
                table->close();
        } catch (...) {
            // The program is ending: a table that cannot be closed is left as it is.
        }
    }
    // Releasing drops our references; clones held elsewhere keep their rows alive.
    m_tables.clear();
}

void CerrarTablas(TableRegistry& registry) noexcept {
    registry.closeAll();
}

} // namespace velantor
