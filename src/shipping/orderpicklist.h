#pragma once

#include <QString>

class QComboBox;
class QWidget;

namespace shipping {

// The customer's open orders as a pick list: their texts in orders and their
// IDs, in the same order, in the hidden list orderIds; nothing is chosen.
// A database error is shown over parent and leaves the lists empty.
void fillOpenOrders(QComboBox *orders, QComboBox *orderIds, const QString &customer, QWidget *parent);
// The ID of the chosen order; 0 when none is chosen.
qint64 chosenOrderId(const QComboBox *orderIds);

} // namespace shipping
