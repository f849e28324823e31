// Planned truck loads: the work table, the load sheet and the whole run of
// sheets for the planned load, on every backend.
#include "shippingfixture.h"
#include "support/testdatabase.h"

#include "data/recordset.h"
#include "reporting/reportlayout.h"
#include "shipping/loadsheet.h"

using namespace fixture;

namespace {

struct Loaded {
    int item, qty, truck, printOrder;
    bool operator==(const Loaded &) const = default;
};

void PrintTo(const Loaded &l, std::ostream *os)
{
    *os << "{" << l.item << "," << l.qty << ", truck " << l.truck << ", #" << l.printOrder << "}";
}

std::vector<Loaded> workTable(data::Database &db)
{
    std::vector<Loaded> out;
    for (data::Recordset rs = db.query(s("SELECT * FROM tmpLoadSheet ORDER BY Truck,PrintOrder")); !rs.isEOF();
         rs.moveNext())
        out.push_back({int(rs.integer(s("ItemNumber"))), int(rs.number(s("Qty"))), int(rs.integer(s("Truck"))),
                       int(rs.integer(s("PrintOrder")))});
    return out;
}

const shipping::PlanRow kBreak{shipping::kBreakText, {}};

class LoadSheet : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        addPlant(db());
        addSofaOrder(db());
    }
};

TEST_P(LoadSheet, PlanRowsBecomeTrucksInPrintOrder)
{
    const struct {
        const char *what;
        shipping::Plan plan;
        std::vector<Loaded> expected;
    } cases[] = {
        {"a line split by a break", {{s("1"), s("30")}, kBreak, {s("1"), s("30")}}, {{1, 30, 1, 1}, {1, 30, 2, 1}}},
        {"two breaks leave a truck empty",
         {{s("1"), s("5")}, kBreak, kBreak, {s("2"), s("4")}, {s("1"), s("2")}},
         {{1, 5, 1, 1}, {2, 4, 3, 1}, {1, 2, 3, 2}}},
        {"a break at the top starts nothing", {kBreak, {s("2"), s("3")}}, {{2, 3, 1, 1}}},
        {"letters, zero and negatives are skipped",
         {{s("1"), s("abc")}, {s("1"), s("0")}, {s("2"), s("-4")}, {s("2"), s("")}, {s("2"), s("7")}},
         {{2, 7, 1, 1}}},
        {"an empty plan", {}, {}},
    };
    for (const auto &c : cases) {
        shipping::fillLoadSheet(db(), 1001, c.plan);
        EXPECT_EQ(workTable(db()), c.expected) << c.what;
    }
}

TEST_P(LoadSheet, EachConnectionHasItsOwnLoad)
{
    std::unique_ptr<data::Database> other = temp().openAnother();
    shipping::fillLoadSheet(db(), 1001, {{s("1"), s("3")}});
    shipping::fillLoadSheet(*other, 1001, {{s("2"), s("9")}, {s("1"), s("1")}});
    EXPECT_EQ(workTable(db()), (std::vector<Loaded>{{1, 3, 1, 1}}));
    EXPECT_EQ(workTable(*other).size(), 2u);
}

TEST_P(LoadSheet, LoadSheetListsShippingComponentsPerTruckWithFoamVolume)
{
    shipping::fillLoadSheet(db(), 1001, {{s("1"), s("4")}, kBreak, {s("2"), s("2")}});
    production::Printout out;
    shipping::PrintLoadSheet(out, db());
    ASSERT_EQ(out.count(), 1);
    const reporting::BoundData &rows = out.copies()[0].report->data();
    // Seat, back and bolster travel with the shipment; arm, wrap and filler not.
    ASSERT_EQ(rows.rowCount(), 6);
    EXPECT_EQ(rows.value(0, s("Truck")).toInt(), 1);
    // Within a line, thinnest first: back, seat, bolster.
    EXPECT_EQ(rows.value(1, s("ComponentID")).toString(), s("SEAT"));
    EXPECT_DOUBLE_EQ(rows.value(1, s("Qty")).toDouble(), 8); // 2 per sofa x 4 loaded
    EXPECT_EQ(rows.value(3, s("Truck")).toInt(), 2);
    EXPECT_TRUE(out.copies()[0].report->textsSet().isEmpty());

    const reporting::LaidReport laid = out.copies()[0].report->layout();
    EXPECT_EQ(laid.pages.size(), 2u) << "one truck per page";
}

TEST_P(LoadSheet, RunPrintsStationTieAndLoadSheetsWithTheSuffix)
{
    shipping::fillLoadSheet(db(), 1001, {{s("1"), s("4")}, kBreak, {s("2"), s("2")}});
    production::Printout out;
    shipping::PrintLoadRun(out, db(), s("-B"));
    QStringList titles;
    for (const production::Copy &c : out.copies()) {
        titles << c.report->name() + s(": ") + c.report->title();
        EXPECT_EQ(c.report->texts().value(s("txtOrderSuffix")), s("-B")) << c.report->name().toStdString();
        EXPECT_TRUE(c.plant.isEmpty());
    }
    EXPECT_EQ(titles,
              (QStringList{s("crptGlueSprayLine: Glue 2 Team 1"), s("crptGlueSprayLine: Glue 2 Team 2"),
                           s("crptGlueSprayLine: Glue 2 Team 3"), s("crptGlueSprayLine: Spray 1"),
                           s("crptGlueSprayLine: Supply"), s("crptTie: Tie Sheet Saw"),
                           s("crptTie: Tie Sheet Fabrication"), s("crptLoadSheet: Load Sheet")}));
    // Quantities come from the plan: line 1 loads 4 sofas, not the 10 ordered.
    const reporting::BoundData &glue = out.copies()[0].report->data();
    EXPECT_DOUBLE_EQ(glue.value(0, s("OrderItems.Qty")).toDouble(), 4);
    // Tie sheets by the bun: the seat is foam, the wrap is fiber.
    const reporting::Report &foam = *out.copies()[5].report, &fiber = *out.copies()[6].report;
    EXPECT_EQ(foam.texts().value(s("txtDepartment")), s("Saw Department"));
    EXPECT_EQ(foam.data().value(0, s("ComponentID")).toString(), s("SEAT"));
    EXPECT_EQ(fiber.texts().value(s("txtDepartment")), s("Fabrication Department"));
    EXPECT_EQ(fiber.data().value(0, s("ComponentID")).toString(), s("WRAP"));
}

TEST_P(LoadSheet, AnEmptyPlanStillPrintsTheLoadSheet)
{
    shipping::fillLoadSheet(db(), 1001, {});
    production::Printout out;
    shipping::PrintLoadRun(out, db(), s("-C"));
    ASSERT_EQ(out.count(), 1);
    EXPECT_EQ(out.copies()[0].report->name(), s("crptLoadSheet"));
    EXPECT_EQ(out.copies()[0].report->data().rowCount(), 0);
    EXPECT_GE(out.copies()[0].report->layout().pages.size(), 1u);
}

} // namespace

BUNLINE_ON_EVERY_BACKEND(LoadSheet);
