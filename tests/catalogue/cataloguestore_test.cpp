#include "catalogue/cataloguestore.h"
#include "data/database.h"
#include "data/dberror.h"
#include "support/testdatabase.h"

using namespace catalogue;

namespace {

class CatalogueStore : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        for (const char *id : {"10", "9", "A1"})
            add(QStringLiteral("Component"),
                {{"ID", id},
                 {"Description", QStringLiteral("Piece ") + id},
                 {"Status", "Active"},
                 {"QtyPerBuggy", 12}});
        style =
            add(QStringLiteral("Style"), {{"Customer", "Acme"}, {"Name", "9"}, {"Type", "SOFA"}, {"Status", "Active"}});
        other = add(QStringLiteral("Style"),
                    {{"Customer", "Acme"}, {"Name", "10"}, {"Type", "SOFA"}, {"Status", "Active"}});
        seat = line(style, "10", 1);
        back = line(style, "9", 2);
        arm = line(style, "A1", 2);
        otherSeat = line(other, "10", 1);
        for (qint64 l : {seat, back, otherSeat})
            add(QStringLiteral("StyleOperation"),
                {{"OperationID", "Saw 1"}, {"StyleID", l == otherSeat ? other : style}, {"ComponentID", l}});
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
        return db()
            .query(QStringLiteral("SELECT BuggySheet FROM StyleComponent WHERE ID = %1").arg(lineId))
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

// ---------------------------------------------------------------- catalogue tools

class CatalogueTools : public CatalogueStore {
protected:
    void SetUp() override
    {
        CatalogueStore::SetUp();
        db().execute(
            QStringLiteral("UPDATE Style SET Cost = 5, Price = 10, GroupField = 'G' WHERE ID = %1").arg(style));
        db().execute(QStringLiteral("UPDATE StyleOperation SET Instructions = 'cut', Thickness = 1.5, Width = 2, "
                                    "Length = NULL, SplitQty = 0.25, Operation2ID = 'CNC 1', Plant2 = 'North' "
                                    "WHERE ComponentID = %1")
                         .arg(seat));
        add(QStringLiteral("Style"),
            {{"Customer", "Bravo"}, {"Name", "Taken"}, {"Type", "CHAIR"}, {"Status", "Active"}});
    }
    data::Recordset operationsOf(qint64 lineId)
    {
        return db().query(
            QStringLiteral("SELECT * FROM StyleOperation WHERE ComponentID = %1 ORDER BY ID").arg(lineId));
    }
};

TEST_P(CatalogueTools, CopyTakesLinesAndOperationsButNotGroupsOrPlants)
{
    db().execute(QStringLiteral("UPDATE Style SET Status = 'Inactive' WHERE ID = %1").arg(style));
    // A name and type of another customer are refused, letter case aside.
    EXPECT_FALSE(copyStyle(db(), style, QStringLiteral("taken"), QStringLiteral("chair")));
    const auto copy = copyStyle(db(), style, QStringLiteral("9B"), QStringLiteral("SOFA"));
    ASSERT_TRUE(copy);
    data::Recordset rs = db().query(QStringLiteral("SELECT * FROM Style WHERE ID = %1").arg(*copy));
    EXPECT_EQ(rs.text("Customer"), "Acme");
    EXPECT_EQ(rs.text("Status"), "Inactive");
    EXPECT_DOUBLE_EQ(rs.number("Cost"), 5);
    EXPECT_DOUBLE_EQ(rs.number("Price"), 10);
    EXPECT_TRUE(rs.isNull("GroupField"));

    data::Recordset lines =
        db().query(QStringLiteral("SELECT * FROM StyleComponent WHERE StyleID = %1 ORDER BY ID").arg(*copy));
    ASSERT_EQ(lines.recordCount(), 3);
    EXPECT_EQ(lines.text("ComponentID"), "10");
    EXPECT_TRUE(lines.isNull("BuggySheet"));
    data::Recordset ops = operationsOf(lines.integer("ID"));
    ASSERT_EQ(ops.recordCount(), 1);
    EXPECT_EQ(ops.text("Operation2ID"), "CNC 1");
    EXPECT_DOUBLE_EQ(ops.number("SplitQty"), 0.25);
    EXPECT_TRUE(ops.isNull("Length")) << "an empty size stays empty";
    EXPECT_TRUE(ops.isNull("Plant2"));
    lines.moveLast();
    EXPECT_EQ(operationsOf(lines.integer("ID")).recordCount(), 0) << "a line without operations";

    // A style without lines copies to a style without lines.
    const qint64 bare = add(QStringLiteral("Style"), {{"Customer", "Acme"}, {"Name", "Bare"}, {"Type", "SOFA"}});
    const auto bareCopy = copyStyle(db(), bare, QStringLiteral("Bare2"), QStringLiteral("SOFA"));
    ASSERT_TRUE(bareCopy);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleComponent WHERE StyleID = %1").arg(*bareCopy)), 0);
}

TEST_P(CatalogueTools, DuplicationReplacesTheOperationsOfEveryLineOfTheComponent)
{
    // The other style gets a second line of the seat; the source is never a target.
    const qint64 secondSeat = line(other, "10", 3);
    const auto targets = duplicateTargets(db(), QStringLiteral("10"), style);
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0].styleId, other);
    EXPECT_EQ(targets[0].text, "10-SOFA (Acme)");

    db().execute(QStringLiteral("UPDATE StyleOperation SET SplitQty = NULL, Operation2ID = NULL, Plant2 = NULL "
                                "WHERE ComponentID = %1")
                     .arg(seat));
    add(QStringLiteral("StyleOperation"),
        {{"OperationID", "CNC 1"},
         {"StyleID", style},
         {"ComponentID", seat},
         {"SplitQty", 0.5},
         {"Operation2ID", "Saw 1"},
         {"Plant2", "Main"}});
    duplicateOperations(db(), seat, {other});
    for (qint64 target : {otherSeat, secondSeat}) {
        data::Recordset ops = operationsOf(target);
        ASSERT_EQ(ops.recordCount(), 2);
        EXPECT_EQ(ops.text("OperationID"), "Saw 1");
        EXPECT_DOUBLE_EQ(ops.number("SplitQty"), 0) << "an empty split is stored as 0";
        EXPECT_EQ(ops.text("Operation2ID"), "");
        EXPECT_TRUE(ops.isNull("Length"));
        ops.moveNext();
        EXPECT_EQ(ops.text("Plant2"), "Main");
        EXPECT_EQ(ops.integer("StyleID"), other);
    }

    // No target changes nothing; a source line without operations clears the targets.
    duplicateOperations(db(), seat, {});
    EXPECT_EQ(operationsOf(otherSeat).recordCount(), 2);
    const qint64 third =
        add(QStringLiteral("Style"), {{"Customer", "Acme"}, {"Name", "11"}, {"Type", "SOFA"}, {"Status", "Active"}});
    const qint64 bareSeat = line(third, "10", 1);
    EXPECT_TRUE(duplicateOperations(db(), bareSeat, {other}));
    EXPECT_EQ(operationsOf(otherSeat).recordCount(), 0);
    EXPECT_EQ(operationsOf(secondSeat).recordCount(), 0);
    EXPECT_EQ(operationsOf(seat).recordCount(), 2) << "a style not chosen keeps its own";
}

TEST_P(CatalogueTools, DuplicationCopiesFromTheLineWithItsOwnStyleAndComponent)
{
    // Three styles, each with one line of the seat and one operation of its own.
    const qint64 third =
        add(QStringLiteral("Style"), {{"Customer", "Acme"}, {"Name", "11"}, {"Type", "SOFA"}, {"Status", "Active"}});
    const qint64 thirdSeat = line(third, "10", 1);
    add(QStringLiteral("StyleOperation"), {{"OperationID", "CNC 2"}, {"StyleID", third}, {"ComponentID", thirdSeat}});
    db().execute(
        QStringLiteral("UPDATE StyleOperation SET OperationID = 'Saw 2' WHERE ComponentID = %1").arg(otherSeat));

    // The list was made for another style (the source's own style among the
    // targets): the source is still the line, read with its own style.
    EXPECT_TRUE(duplicateOperations(db(), seat, {style, third}));
    data::Recordset source = operationsOf(seat);
    ASSERT_EQ(source.recordCount(), 1) << "the source's own style is never a target";
    EXPECT_EQ(source.text("Instructions"), "cut");
    data::Recordset copied = operationsOf(thirdSeat);
    ASSERT_EQ(copied.recordCount(), 1);
    EXPECT_EQ(copied.text("OperationID"), "Saw 1");
    EXPECT_EQ(copied.text("Instructions"), "cut");
    EXPECT_EQ(copied.integer("StyleID"), third);
    EXPECT_EQ(operationsOf(otherSeat).text("OperationID"), "Saw 2") << "a style not chosen";

    // A source line deleted meanwhile: refused, nothing written.
    db().execute(QStringLiteral("DELETE FROM StyleOperation WHERE ComponentID = %1").arg(otherSeat));
    db().execute(QStringLiteral("DELETE FROM StyleComponent WHERE ID = %1").arg(otherSeat));
    EXPECT_FALSE(duplicateOperations(db(), otherSeat, {style, third}));
    EXPECT_EQ(operationsOf(seat).recordCount(), 1);
    EXPECT_EQ(operationsOf(thirdSeat).text("OperationID"), "Saw 1");
}

TEST_P(CatalogueTools, ACopiedStylesOperationsBelongToItsNewLines)
{
    // Read as the style screen and the sheets read them: by style and line together.
    add(QStringLiteral("StyleOperation"), {{"OperationID", "CNC 1"}, {"StyleID", style}, {"ComponentID", back}});
    const auto copy = copyStyle(db(), style, QStringLiteral("9C"), QStringLiteral("SOFA"));
    ASSERT_TRUE(copy);
    const auto lineOf = [this](qint64 styleId, const char *component) {
        return db()
            .query(QStringLiteral("SELECT ID FROM StyleComponent WHERE StyleID = %1 AND ComponentID = '%2'")
                       .arg(styleId)
                       .arg(QLatin1String(component)))
            .integer("ID");
    };
    const auto stations = [this](qint64 styleId, qint64 lineId) {
        QStringList s;
        for (data::Recordset rs = db().query(
                 QStringLiteral("SELECT OperationID FROM StyleOperation WHERE StyleID = %1 AND ComponentID = %2 "
                                "ORDER BY ID")
                     .arg(styleId)
                     .arg(lineId));
             !rs.isEOF(); rs.moveNext())
            s << rs.text("OperationID");
        return s;
    };
    struct Case {
        const char *component;
        QStringList stations;
    };
    for (const Case &c : {Case{"10", {"Saw 1"}}, Case{"9", {"Saw 1", "CNC 1"}}, Case{"A1", {}}}) {
        SCOPED_TRACE(c.component);
        const qint64 newLine = lineOf(*copy, c.component);
        ASSERT_NE(newLine, lineOf(style, c.component));
        EXPECT_EQ(stations(*copy, newLine), c.stations);
        EXPECT_EQ(stations(style, lineOf(style, c.component)), c.stations) << "the source keeps its own";
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID = %1").arg(*copy)), 3);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID <> %1 AND ComponentID IN (SELECT ID "
                                   "FROM StyleComponent WHERE StyleID = %1)")
                        .arg(*copy)),
              0)
        << "no operation of another style on the new lines";
}

TEST_P(CatalogueTools, AFailurePartWayLeavesTheCatalogueAsItWas)
{
    // Every new operation is refused, as a full disk or a lost connection would.
    if (isPostgres()) {
        db().execute(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                                    "'BEGIN RAISE EXCEPTION ''refused''; END'"));
        db().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON StyleOperation FOR EACH ROW "
                                    "EXECUTE FUNCTION refuse()"));
    } else {
        db().execute(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON StyleOperation "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    }
    const int styles = count("SELECT * FROM Style"), lines = count("SELECT * FROM StyleComponent");
    EXPECT_THROW(copyStyle(db(), style, QStringLiteral("9B"), QStringLiteral("SOFA")), data::DbError);
    EXPECT_EQ(count("SELECT * FROM Style"), styles);
    EXPECT_EQ(count("SELECT * FROM StyleComponent"), lines);

    EXPECT_THROW(duplicateOperations(db(), seat, {other}), data::DbError);
    EXPECT_EQ(operationsOf(otherSeat).recordCount(), 1) << "the target keeps its operations";
}

TEST_P(CatalogueTools, PriceChangesApplyTheConfirmedRateToTheChosenStyles)
{
    const qint64 third =
        add(QStringLiteral("Style"), {{"Customer", "Acme"}, {"Name", "11"}, {"Type", "SOFA"}, {"Price", 10.0}});
    struct Case {
        double rate, price;
    };
    for (const Case c : {Case{0.05, 10.5}, Case{0.034, 10.34}, Case{0, 10}, Case{-0.1, 9}, Case{-1, 0}}) {
        SCOPED_TRACE(c.rate);
        db().execute(QStringLiteral("UPDATE Style SET Price = 10"));
        changeStylePrices(db(), {style, third}, c.rate);
        for (qint64 id : {style, third})
            EXPECT_DOUBLE_EQ(
                db().query(QStringLiteral("SELECT Price FROM Style WHERE ID = %1").arg(id)).number("Price"), c.price);
        EXPECT_DOUBLE_EQ(db().query(QStringLiteral("SELECT Price FROM Style WHERE ID = %1").arg(other)).number("Price"),
                         10);
    }

    EXPECT_EQ(styleCustomers(db()), QStringList({"Acme", "Bravo"}));
    const auto styles = customerStylePrices(db(), QStringLiteral("Acme"));
    ASSERT_EQ(styles.size(), 3u);
    EXPECT_EQ(styles[0].text, "10-SOFA    ($10.00)");
}

BUNLINE_ON_EVERY_BACKEND(CatalogueStore);
BUNLINE_ON_EVERY_BACKEND(CatalogueTools);

} // namespace
