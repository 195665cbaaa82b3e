#include <random>

#include <gtest/gtest.h>

#include "tables/TableColumn.h"

using namespace velantor;

// Values shorter than before are written in place, longer ones at the end of the shared
// buffer, and the buffer is compacted once most of it is stale: through any such mix,
// every row must read back exactly what was last written to it.
TEST(TableColumn, ReadsBackWhatWasWrittenThroughRewritesDeletesAndCompaction) {
    std::mt19937 random(99);
    TableColumn column;
    std::vector<QString> expected;
    auto randomText = [&] {
        QString text;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i)
            text += QChar(u"aZ09 ñÁ'%"[random() % 9]);
        return text;
    };
    for (int step = 0; step < 60000; ++step) {
        const unsigned choice = random() % 10;
        if (choice < 2 || expected.empty()) {
            column.append();
            expected.emplace_back();
        } else if (choice < 9) {
            const std::size_t row = random() % expected.size();
            const QString value = randomText();
            EXPECT_EQ(column.setText(row, value), value != expected[row]);
            expected[row] = value;
        } else {
            const std::size_t row = random() % expected.size();
            column.erase(row);
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(row));
        }
        if (step % 5000 == 0) {
            ASSERT_EQ(column.size(), expected.size());
            for (std::size_t row = 0; row < expected.size(); ++row)
                ASSERT_EQ(column.text(row), expected[row]) << "row " << row << " at step " << step;
        }
    }
    ASSERT_EQ(column.size(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row)
        ASSERT_EQ(column.view(row), expected[row]);
    column.clear();
    EXPECT_EQ(column.size(), 0u);
}

TEST(TableColumn, IntegerColumnsShowTheirDecimalText) {
    TableColumn column(true);
    column.append();
    EXPECT_EQ(column.text(0), QStringLiteral("0"));
    EXPECT_TRUE(column.setNumber(0, -42));
    EXPECT_FALSE(column.setNumber(0, -42));
    EXPECT_EQ(column.text(0), QStringLiteral("-42"));
    EXPECT_EQ(column.number(0), -42);
}
