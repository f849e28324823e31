#pragma once

// An order's production paperwork as the report selection screen prints it:
// the work table rebuilt for the chosen components, the order report, then
// for each plant in turn every chosen report in the floor's order.

#include "production/printout.h"

#include <QStringList>
#include <bitset>
#include <optional>

namespace data {
class Database;
} // namespace data

namespace production {

// The report boxes of the selection screen, 1 to 19.
constexpr int kReportBoxes = 19;
// Each box's caption and the heading it stands under.
QString reportBoxCaption(int box);
QString reportBoxHeading(int box);

// One row of the selection screen's component grid.
struct OrderComponent {
    qint64 itemNumber = 0;
    QString line;
    double qty = 0; // line quantity x component quantity, whole pieces
    qint64 styleId = 0;
    QString styleName; // Name-Type
    qint64 styleComponentId = 0;
    QString componentId;
    QString componentName;
};
std::vector<OrderComponent> orderComponents(data::Database &db, qint32 orderId);

// Every plant, by name.
QStringList plantNames(data::Database &db);

// An order ID as typed: digits (blanks around them allowed) within 32 bits.
std::optional<qint32> parseOrderId(const QString &text);
// The order's ID checked against the orders: a PaperworkError with a message
// fit for the user when the text is not a number or no order has it.
qint32 checkedOrderId(data::Database &db, const QString &text);

struct PaperworkRequest {
    qint32 orderId = 0;
    QStringList plants;
    std::bitset<kReportBoxes + 1> boxes; // boxes[1] to boxes[19]
    ComponentList components;
    QString orderSuffix;

    void checkAll() { boxes.set(); }
};

// Rebuilds the work table and gathers every copy in print order. With no
// components chosen nothing is built and only the order report (box 1) is
// gathered.
void collectPaperwork(Printout &out, data::Database &db, const PaperworkRequest &request);

} // namespace production
