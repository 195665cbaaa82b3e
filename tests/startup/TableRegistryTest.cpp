#include <gtest/gtest.h>

#include "tables/Table.h"
#include "startup/TableRegistry.h"

using namespace velantor;

namespace {

TablePtr makeTable(const QString& name) {
    TablePtr table = Table::create(name, {FieldDef::text(QStringLiteral("Cod"), 10)});
    table->addRow();
    table->setText(0, QStringLiteral("X"));
    return table;
}

} // namespace

TEST(CerrarTablas, ClosesEveryOpenTableAndReleasesThem) {
    TableRegistry registry;
    const TablePtr first = makeTable(QStringLiteral("rsCuerpos"));
    const TablePtr closed = makeTable(QStringLiteral("rsGrupos"));
    const TablePtr last = makeTable(QStringLiteral("rsSolicitudes"));
    closed->close();
    registry.add(first);
    registry.add(nullptr);
    registry.add(closed);
    registry.add(last);
    ASSERT_EQ(registry.tables().size(), 3u);
    EXPECT_EQ(registry.tables().front(), first);

    CerrarTablas(registry);
    EXPECT_FALSE(first->isOpen());
    EXPECT_FALSE(closed->isOpen());
    EXPECT_FALSE(last->isOpen());
    EXPECT_TRUE(registry.empty());
    // Only the registry's references went: our own still reach the rows.
    EXPECT_EQ(first.use_count(), 1);
    EXPECT_EQ(first->totalRowCount(), 1);

    // Nothing left to close: a second clean-up is harmless.
    CerrarTablas(registry);
    EXPECT_TRUE(registry.empty());
}
