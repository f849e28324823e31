#include "orders/reportselectionlink.h"

#include "orders/orderstore.h"
#include "shell/mainwindow.h"

#include <QMetaObject>
#include <QWidget>

namespace orders {

void openReportSelection(data::Database &db, qint64 orderId)
{
    if (!shell::mainWindow() || !shell::mainWindow()->hasScreen(QStringLiteral("frmReportSelection")))
        return;
    QWidget *screen = shell::openScreen(QStringLiteral("frmReportSelection"));
    if (!screen)
        return;
    QMetaObject::invokeMethod(screen, "FillOrderID", Q_ARG(QString, QString::number(orderId)));
    for (const QString &plant : plantNames(db))
        QMetaObject::invokeMethod(screen, "AddPlant", Q_ARG(QString, plant));
}

} // namespace orders
