#pragma once

#include "shipping/loadplanform.h"

namespace shipping {

// frmLoadSheet: plans an order's truck loads and prints the load sheet.
// An order line's own row cannot be deleted, only the rows added to it.
class LoadSheetForm : public LoadPlanForm {
    Q_OBJECT
public:
    explicit LoadSheetForm(QWidget *parent = nullptr);

protected:
    void deleteRows() override;
    void printPlan(production::Printout &out) override;
};

} // namespace shipping
