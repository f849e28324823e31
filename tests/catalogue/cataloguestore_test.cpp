#include "catalogue/cataloguestore.h"
#include "data/database.h"
#include "support/testdatabase.h"

using namespace catalogue;

namespace {

class CatalogueStore : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        for (const char *id : {"10", "9", "A1"})
            add(QStringLiteral("Component"), {{"ID", id}, {"Description", QStringLiteral("Piece ") + id},
                                              {"Status", "Active"}, {"QtyPerBuggy", 12}});
        style = add(QStringLiteral("Style"), {{"Customer", "Acme"}, {"Name", "9"}, {"Type", "SOFA"}, {"Status", "Active"}});
        other = add(QStringLiteral("Style"), {{"Customer", "Acme"}, {"Name", "10"}, {"Type", "SOFA"}, {"Status", "Active"}});
        seat = line(style, "10", 1);
        back = line(style, "9", 2);
        arm = line(style, "A1", 2);
        otherSeat = line(other, "10", 1);
        for (qint64 l : {seat, back, otherSeat})
            add(QStringLiteral("StyleOperation"), {{"OperationID", "Saw 1"}, {"StyleID", l == otherSeat ? other : style},
                                                   {"ComponentID", l}});
    }
    qint64 add(const QString &table, const std::vector<std::pair<QString, QVariant>> &values)
    {
        data::Recordset rs = data::addRow(db(), table, values);
        return rs.hasField(QStringLiteral("ID")) ? rs.integer(QStringLiteral("ID")) : 0;
    }
    qint64 line(qint64 styleId, const char *component, int group)
    {
        return add(QStringLiteral("StyleComponent"),
                   {{"StyleID", styleId}, {"ComponentID", component}, {"Qty", 1}, {"BuggySheet", group}});
    }
    int count(const QString &statement) { return int(db().query(statement).recordCount()); }
    QString groupOf(qint64 lineId)
    {
        return db().query(QStringLiteral("SELECT BuggySheet FROM StyleComponent WHERE ID = %1").arg(lineId))
            .text(QStringLiteral("BuggySheet"));
    }

    qint64 style = 0, other = 0, seat = 0, back = 0, arm = 0, otherSeat = 0;
};

TEST_P(CatalogueStore, ListsComeInNaturalOrder)
{
    const CatalogueLists lists = loadCatalogueLists(db());
    EXPECT_EQ(lists.componentIds, QStringList({"9", "10", "A1"}));
    EXPECT_EQ(lists.componentTexts.first(), "9-Piece 9");
    EXPECT_EQ(lists.styleTexts, QStringList({"10-SOFA", "9-SOFA"}));
    EXPECT_EQ(lists.styleIds.size(), 2);
}

TEST_P(CatalogueStore, AComponentOffTheBuggiesLeavesEveryStylesGroups)
{
    saveComponent(db(), QStringLiteral("10"), {{"ID", "10"}, {"Description", "Seat"}, {"QtyPerBuggy", 6}});
    EXPECT_EQ(groupOf(seat), "1") << "still on the buggies";
    EXPECT_EQ(db().query("SELECT Description FROM Component WHERE ID = '10'").text("Description"), "Seat");

    saveComponent(db(), QStringLiteral("10"), {{"ID", "10"}, {"QtyPerBuggy", 0}});
    EXPECT_TRUE(groupOf(seat).isEmpty());
    EXPECT_TRUE(groupOf(otherSeat).isEmpty());
    EXPECT_EQ(groupOf(back), "2");

    saveComponent(db(), QStringLiteral("NEW"), {{"ID", "NEW"}, {"Description", "New"}, {"QtyPerBuggy", 0}});
    EXPECT_EQ(count("SELECT * FROM Component"), 4);
}

TEST_P(CatalogueStore, DeletingALineTakesOnlyItsOperations)
{
    deleteComponentLine(db(), seat);
    EXPECT_EQ(count("SELECT * FROM StyleComponent"), 3);
    EXPECT_EQ(count("SELECT * FROM StyleOperation"), 2);
    EXPECT_EQ(count("SELECT * FROM Component WHERE ID = '10'"), 1) << "the component stays";
}

TEST_P(CatalogueStore, BreaksNumberTheBuggyGroups)
{
    // A break at the top counts for nothing; each later break starts a group.
    saveBuggyGroups(db(), {std::nullopt, arm, std::nullopt, seat, back});
    EXPECT_EQ(groupOf(arm), "1");
    EXPECT_EQ(groupOf(seat), "2");
    EXPECT_EQ(groupOf(back), "2");
}

TEST_P(CatalogueStore, KeyedRowsAreAddedOnceThenUpdated)
{
    for (const char *description : {"Sofa", "Sofas"})
        saveKeyedRow(db(), QStringLiteral("StyleType"), QStringLiteral("ID"), QStringLiteral("SOFA"),
                     {{"ID", "SOFA"}, {"Description", description}, {"Status", "Active"}});
    data::Recordset rs = db().query("SELECT * FROM StyleType");
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text("Description"), "Sofas");
}

BUNLINE_ON_EVERY_BACKEND(CatalogueStore);

} // namespace
