#pragma once

#include "shell/unsavedchanges.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace shell {
class Grid;
} // namespace shell

namespace shipping {

// frmShipmentEntry: one shipment against one open order, the quantity of each
// line shipped now; saving sets the order's status from what has been shipped.
class ShipmentEntryForm : public QWidget, public shell::UnsavedChanges {
    Q_OBJECT
public:
    explicit ShipmentEntryForm(QWidget *parent = nullptr);

    // A date or quantity changed since the screen opened, an order was
    // chosen or the shipment was loaded.
    bool hasUnsavedChanges() const override { return m_edits.changed(); }

    void FillOrder(qint64 orderId);
    void OpenShipment(qint64 shipmentId);

    QGroupBox *Frame1;
    QLineEdit *txtID;
    QDateEdit *dtDate;
    QComboBox *cmbCustomer;
    QComboBox *cmbOrder;
    QComboBox *cmbOrderID; // hidden: the order ID beside each entry of cmbOrder
    QLineEdit *txtShipTo, *txtAddress1, *txtAddress2, *txtCity, *txtState, *txtZip;
    QGroupBox *Frame2;
    shell::Grid *vsfgItems;
    QPushButton *btnShipAll;
    QPushButton *btnSave;
    QPushButton *btnExit;

    enum Column { ColItem, ColOrdered, ColPrevShipped, ColThisShipment, ColStyle, ColPriceEach, ColPriceExt };

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void customerChosen();
    void cellEdited(int row, int column);
    void shipAll();
    void save();
    qint64 chosenOrderId() const;
    double open(int row) const;

    bool m_filling = false;
    shell::SavedState m_edits{this};
};

} // namespace shipping
