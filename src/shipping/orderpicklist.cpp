#include "shipping/orderpicklist.h"

#include "data/database.h"
#include "shell/messages.h"
#include "shipping/shipments.h"

#include <QComboBox>

namespace shipping {

void fillOpenOrders(QComboBox *orders, QComboBox *orderIds, const QString &customer, QWidget *parent)
{
    orders->clear();
    orderIds->clear();
    shell::reportingDbErrors(
        [&] {
            for (const OrderChoice &o : openOrders(data::sharedDatabase(), customer)) {
                orders->addItem(o.text);
                orderIds->addItem(QString::number(o.id));
            }
        },
        parent);
    orders->setCurrentIndex(-1);
    orderIds->setCurrentIndex(-1);
}

qint64 chosenOrderId(const QComboBox *orderIds)
{
    return orderIds->currentText().toLongLong();
}

} // namespace shipping
