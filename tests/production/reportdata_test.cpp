// The report work table: how quantities are summed, split and moved, on every
// backend, and that each connection keeps its own rows.
#include "production/ordersheets.h"
#include "production/reportdata.h"
#include "productionfixture.h"
#include "support/testdatabase.h"

#include <set>

using namespace fixture;
using production::ComponentList;

namespace {

struct Row {
    QString station, plant, type;
    double qty;
    bool operator<(const Row &o) const { return std::tie(station, plant, qty) < std::tie(o.station, o.plant, o.qty); }
    bool operator==(const Row &o) const
    {
        return station == o.station && plant == o.plant && type == o.type && qty == o.qty;
    }
};

std::ostream &operator<<(std::ostream &os, const Row &r)
{
    return os << r.station.toStdString() << "/" << r.plant.toStdString() << "/" << r.type.toStdString() << "=" << r.qty;
}

std::vector<Row> workTable(data::Database &db, const QString &component = {})
{
    std::vector<Row> rows;
    data::Recordset rs = db.query(s("SELECT OperationID,Plant,ReportType,Qty,ComponentID FROM tmpReportData"));
    for (; !rs.isEOF(); rs.moveNext())
        if (component.isEmpty() || rs.text(s("ComponentID")) == component)
            rows.push_back(
                {rs.text(s("OperationID")), rs.text(s("Plant")), rs.text(s("ReportType")), rs.number(s("Qty"))});
    std::sort(rows.begin(), rows.end());
    return rows;
}

class ReportData : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        addPlant(db());
    }

    // One style of a single component line with one operation, on an order
    // of one line of qty sofas.
    ComponentList single(const char *component, double qty, const char *station, QVariant split, const char *station2,
                         const char *plant2, qint64 order = 1)
    {
        const qint64 style = addStyle(db(), s("Amberline"), s("S%1").arg(order), s("SOFA"));
        const qint64 line = addLine(db(), style, component, 1);
        addOperation(db(), style, line, station, split, station2, plant2);
        addOrder(db(), order, s("Amberline"));
        addItem(db(), order, 1, "L1", qty, style);
        return {line};
    }
};

TEST_P(ReportData, PartBunsMoveToTheSecondStationOnlyWhenTheSplitExceedsTheFraction)
{
    // SEAT: 4 rails of 5 pieces, 20 pieces a bun.
    struct Case {
        double qty;
        QVariant split;
        std::vector<Row> expected;
    };
    const Case cases[] = {
        // 2.5 buns; 0.5 is not above 0.5: everything stays.
        {50, 0.5, {{s("Band Saw 1"), s("North"), s("Band Saw"), 50}}},
        // 2.25 buns: two whole buns stay, the quarter bun moves to the South plant.
        {45, 0.5, {{s("Band Saw 1"), s("North"), s("Band Saw"), 40}, {s("Band Saw 2"), s("South"), s("Band Saw"), 5}}},
        // 2.225 buns: the part bun's 4.5 pieces round to the even neighbour.
        {44.5,
         0.5,
         {{s("Band Saw 1"), s("North"), s("Band Saw"), 40}, {s("Band Saw 2"), s("South"), s("Band Saw"), 4}}},
        // Whole buns: the moved row of 0 is removed.
        {40, 0.5, {{s("Band Saw 1"), s("North"), s("Band Saw"), 40}}},
        // No split, and a split never set.
        {45, 0.0, {{s("Band Saw 1"), s("North"), s("Band Saw"), 45}}},
        {45, QVariant(), {{s("Band Saw 1"), s("North"), s("Band Saw"), 45}}},
    };
    qint64 order = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.qty);
        const ComponentList list = single("SEAT", c.qty, "Band Saw 1", c.split, "Band Saw 2", "South", order++);
        production::BuildReportData(db(), qint32(order - 1), list);
        EXPECT_EQ(workTable(db()), c.expected);
    }
}

TEST_P(ReportData, FiberBelowTheRollThresholdMovesWhole)
{
    // 25 pieces at 10 a roll is 2.5 rolls: below 3, all of it goes to Fiber 2
    // in the component's own plant.
    const ComponentList list = single("WRAP", 25, "Fiber 1", 3.0, "Fiber 2", "", 1);
    production::BuildReportData(db(), 1, list);
    EXPECT_EQ(workTable(db()), (std::vector<Row>{{s("Fiber 2"), s("South"), s("Fiber Table"), 25}}));
    const ComponentList enough = single("WRAP", 30, "Fiber 1", 3.0, "Fiber 2", "", 2);
    production::BuildReportData(db(), 2, enough);
    EXPECT_EQ(workTable(db()), (std::vector<Row>{{s("Fiber 1"), s("South"), s("Fiber Table"), 30}}));
}

TEST_P(ReportData, ASplitWithoutASecondStationKeepsThePiecesAtTheFirst)
{
    struct Case {
        const char *component, *station;
        double split;
        Row expected;
    };
    // 25 seats at 20 a bun (a quarter bun over) and 25 wraps at 10 a roll
    // (below 3 rolls) would move, but there is nowhere to move them to.
    const Case cases[] = {
        {"SEAT", "Band Saw 1", 0.5, {s("Band Saw 1"), s("North"), s("Band Saw"), 25}},
        {"WRAP", "Fiber 1", 3.0, {s("Fiber 1"), s("South"), s("Fiber Table"), 25}},
    };
    qint64 order = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.component);
        const ComponentList list = single(c.component, 25, c.station, c.split, "", "South", order++);
        production::BuildReportData(db(), qint32(order - 1), list);
        EXPECT_EQ(workTable(db()), std::vector<Row>{c.expected});
        EXPECT_TRUE(db().query(s("SELECT * FROM tmpReportData WHERE OperationID = ''")).isEmpty());
    }
    // The wraps are bought too: they stand on the fiber order.
    production::Printout out;
    production::PrintFiberOrder(out, db(), 2, s("South"));
    ASSERT_EQ(out.count(), 1);
    EXPECT_EQ(out.copies().front().report->data().value(0, s("Qty")).toDouble(), 25);
}

TEST_P(ReportData, LinesOfOneComponentAreSummedUnderTheHighestLine)
{
    const Sofa f = addSofaOrder(db());
    production::BuildReportData(db(), 1001, {f.seat, f.back, f.arm, f.wrap, f.scrap, f.bolster});
    // BACK: 10 + 12.5 pieces at the CNC, one row.
    EXPECT_EQ(workTable(db(), s("BACK")), (std::vector<Row>{{s("CNC"), s("North"), s("CNC"), 22.5}}));
    data::Recordset rs = db().query(s("SELECT LineNumber,StyleName FROM tmpReportData WHERE ComponentID = 'BACK'"));
    EXPECT_EQ(rs.text(s("LineNumber")), s("L2"));
    EXPECT_EQ(rs.text(s("StyleName")), s("1200-SOFA"));
    // A moved row keeps the first station's report type.
    EXPECT_EQ(workTable(db(), s("SEAT")),
              (std::vector<Row>{{s("Band Saw 1"), s("North"), s("Band Saw"), 40},
                                {s("Band Saw 2"), s("South"), s("Band Saw"), 5}}));
    // The stencil build replaces its own rows only, and is idempotent.
    const size_t before = workTable(db()).size();
    production::BuildStencilReportData(db(), 1001, {f.seat, f.back, f.arm, f.wrap, f.scrap, f.bolster});
    production::BuildStencilReportData(db(), 1001, {f.seat, f.back, f.arm, f.wrap, f.scrap, f.bolster});
    EXPECT_EQ(workTable(db()).size(), before);
    EXPECT_EQ(workTable(db(), s("BOLSTER")).size(), 1u);
    // Nothing chosen: nothing to cut.
    production::BuildReportData(db(), 1001, {});
    EXPECT_TRUE(workTable(db()).empty());
}

TEST_P(ReportData, EachConnectionBuildsItsOwnTable)
{
    const Sofa f = addSofaOrder(db());
    const qint64 style = addStyle(db(), s("Amberline"), s("O'Neil \"Big\""), s("CHAIR"));
    const qint64 line = addLine(db(), style, "SEAT", 1);
    addOperation(db(), style, line, "CNC");
    addOrder(db(), 2002, s("Amberline"));
    addItem(db(), 2002, 1, "L'1", 7, style);
    std::unique_ptr<data::Database> other = temp().openAnother();
    production::BuildReportData(db(), 1001, {f.seat, f.back});
    production::BuildReportData(*other, 2002, {line});
    EXPECT_EQ(workTable(*other), (std::vector<Row>{{s("CNC"), s("North"), s("CNC"), 7}}));
    EXPECT_EQ(workTable(db()).size(), 3u);
    EXPECT_TRUE(db().query(s("SELECT * FROM tmpReportData WHERE OrderID = 2002")).isEmpty());
    EXPECT_EQ(other->query(s("SELECT StyleName FROM tmpReportData")).text(s("StyleName")), s("O'Neil \"Big\"-CHAIR"));
}

TEST(RoundedRemainder, IsTheFractionRoundedToFourDecimals)
{
    EXPECT_DOUBLE_EQ(production::RoundedRemainder(2.25, 1), 0.25);
    EXPECT_DOUBLE_EQ(production::RoundedRemainder(2.0, 1), 0);
    EXPECT_DOUBLE_EQ(production::RoundedRemainder(-0.25, 1), 0.75);
    EXPECT_DOUBLE_EQ(production::RoundedRemainder(7, 3), 1);
}

BUNLINE_ON_EVERY_BACKEND(ReportData);

} // namespace
