#pragma once

// "Report Selection": the production paperwork of one order. The user marks
// the reports (per department) and the order's component lines to print, and
// Print prints every marked report for every plant of the plant list.

#include "production/paperwork.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace shell {
class Grid;
} // namespace shell

namespace production {

class PrintOrderReportsForm : public QWidget {
    Q_OBJECT
public:
    explicit PrintOrderReportsForm(QWidget *parent = nullptr);

    // Shows the order and fills the component grid with its lines, every row
    // marked. The plant list is emptied: the caller adds the plants next.
    void FillOrderID(qint64 orderId);
    void AddPlant(const QString &plant);
    // Checks exactly the given report boxes (1 to 19).
    void checkOnly(const std::vector<int> &boxes);

    // The grid's columns.
    enum GridColumn {
        ColPrint,
        ColItem,
        ColLine,
        ColQty,
        ColStyleID,
        ColStyle,
        ColStyleComponentID,
        ColComponentID,
        ColComponentName
    };

    QLineEdit *txtOrderID;
    QComboBox *cmbPlant;
    QLineEdit *txtHeader;
    QPushButton *btnPrint;
    QPushButton *btnCancel;
    QTabWidget *SSTab1;
    QCheckBox *chk[kReportBoxes + 1] = {}; // chk[1] to chk[19]
    QPushButton *btnMarkAll;
    QPushButton *btnUnMarkAll;
    shell::Grid *vsfgComponents;
    QPushButton *btnMarkAllGrid;
    QPushButton *btnUnMarkAllGrid;

private:
    // Lists the order's component lines, every row marked.
    void fillGrid(qint32 orderId);
    void setAllBoxes(bool checked);
    void setAllRows(bool print);
    void printClicked();
    PaperworkRequest request(data::Database &db) const;

    qint32 m_gridOrder = -1; // the order the grid lists
};

} // namespace production
