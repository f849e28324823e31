#pragma once

#include "shipping/loadplanform.h"

class QLineEdit;

namespace shipping {

// frmGlueSprayPrint: plans an order's truck loads like the load sheet screen
// and prints everything the planned load needs: glue and spray line sheets,
// supply sheets, tie sheets and the load sheet, each with the order suffix.
// Any rows can be deleted, several at once.
class GlueSprayPrintForm : public LoadPlanForm {
    Q_OBJECT
public:
    explicit GlueSprayPrintForm(QWidget *parent = nullptr);

    QLineEdit *txtHeader;

protected:
    void deleteRows() override;
    void printPlan(production::Printout &out) override;
};

} // namespace shipping
