#pragma once

// "Order Selection": one order chosen from a list of every order (customer -
// order number), then Print. The same screen serves Reports > Production
// (frmFabMgrReports), Reports > Shipping > Shipping Mangager
// (frmShipMgrReports) and the order entry control report
// (frmOrderEntryReport); what Print does is given by whoever opens it.

#include <QWidget>
#include <functional>

class QComboBox;
class QPushButton;

namespace production {

class OrderSelectionForm : public QWidget {
    Q_OBJECT
public:
    // formName: the screen's objectName; print: what Print does with the
    // chosen order's ID (the screen closes afterwards).
    OrderSelectionForm(const QString &formName, std::function<void(qint64 orderId)> print, QWidget *parent = nullptr);

    // Fills the order list (on opening); no order is chosen.
    void load();

    QComboBox *cmbOrder;
    QComboBox *cmbID; // hidden: the ID of each entry of cmbOrder
    QPushButton *btnPrint;
    QPushButton *btnCancel;

private:
    void printClicked();
    std::function<void(qint64)> m_print;
};

} // namespace production
