#include "core/formats.h"
#include "shell/grid.h"
#include "shell/listgrid.h"

#include <gtest/gtest.h>

using namespace shell;
using namespace core;

TEST(GridTest, RowsKeepTheirKeysAndBreaksThroughMoves)
{
    Grid grid({QStringLiteral("Item"), QStringLiteral("Qty")});
    grid.addRow({QStringLiteral("1"), QStringLiteral("10")}, 11);
    grid.addRow({QStringLiteral("2"), QStringLiteral("20")}, 22);
    grid.insertBreakRow(1, QStringLiteral("Buggy 1"));
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_TRUE(grid.isBreakRow(1));
    EXPECT_EQ(grid.rowWithKey(22), 2);

    grid.moveRow(2, 1);
    EXPECT_EQ(grid.cell(1, 0), QStringLiteral("2"));
    EXPECT_EQ(grid.rowKey(1), QVariant(22));
    EXPECT_TRUE(grid.isBreakRow(2));
    EXPECT_FALSE(grid.isBreakRow(1));
    EXPECT_EQ(grid.currentRowIndex(), 1);
    EXPECT_EQ(grid.columnOf(QStringLiteral("Qty")), 1);
    EXPECT_EQ(grid.item(0, 0)->textAlignment(), int(Qt::AlignCenter));

    grid.clearRows();
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.columnCount(), 2);
}

TEST(ListGridTest, RowsFromASourceAreMadeOnlyWhenAsked)
{
    ListGrid grid({QStringLiteral("Order"), QStringLiteral("Total")});
    int made = 0;
    grid.setSource(100000, [&made](int row, int column) {
        ++made;
        return QStringLiteral("%1:%2").arg(row).arg(column);
    });
    EXPECT_EQ(grid.rowCount(), 100000);
    EXPECT_LT(made, 5000); // sizing the columns reads only the first rows
    EXPECT_EQ(grid.cell(99999, 1), QStringLiteral("99999:1"));
    EXPECT_EQ(grid.cell(100000, 0), QString());
    grid.selectRowIndex(5);
    EXPECT_EQ(grid.currentRowIndex(), 5);
    grid.addRow({QStringLiteral("typed")});
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral("typed"));
    grid.setHeaders({});
    EXPECT_EQ(grid.columnCount(), 0);
}
