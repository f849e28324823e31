#pragma once

#include <QDate>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace shell {
class ListGrid;
} // namespace shell

namespace shipping {

// The shipment search: a customer, a ship-date range and part of the order
// number; empty criteria find every shipment.
struct ShipmentCriteria {
    QString customer;
    bool useShipDate = false;
    QDate startDate, endDate;
    QString orderNumber;
};
QString shipmentSearchStatement(const ShipmentCriteria &criteria);
// "Ship To, Address 1, Address 2, City, ST  Zip", every part present.
QString shipToLine(const QString &shipTo, const QString &address1, const QString &address2, const QString &city,
                   const QString &state, const QString &zip);

// frmShipmentNavigator: finds shipments, shows the lines of the one under the
// cursor and opens it in shipment entry by double-click.
class ShipmentNavigatorForm : public QWidget {
    Q_OBJECT
public:
    explicit ShipmentNavigatorForm(QWidget *parent = nullptr);
    ~ShipmentNavigatorForm() override;

    // Runs the search with the criteria shown (shipment entry calls it on closing).
    void UpdateGrids();
    ShipmentCriteria criteria() const;

    QGroupBox *Frame1;
    QComboBox *cmbCustomer;
    QCheckBox *chkShipDate;
    QDateEdit *dtStartDate;
    QDateEdit *dtEndDate;
    QLineEdit *txtOrderNumber;
    QPushButton *btnFind;
    QPushButton *btnClear;
    QPushButton *btnExit;
    QGroupBox *Frame2;
    shell::ListGrid *vsfgShipments;
    QGroupBox *Frame3;
    shell::ListGrid *vsfgItems;

    enum Column { ColCustomer, ColOrderNumber, ColShipmentId, ColDate, ColOrderId, ColShipTo };

protected:
    void showEvent(QShowEvent *event) override;

private:
    void shipmentSelected(int row);
    void openSelected();
    void clearCriteria();

    bool m_placed = false;
};

// True exactly while the shipment navigator is open.
bool shipmentNavigatorOpen();
// Searches again in the open navigator (nothing when it is closed).
void refreshShipmentNavigator();

} // namespace shipping
