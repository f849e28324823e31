#include "invoicing/invoicingmenu.h"

#include "invoicing/invoicesform.h"
#include "invoicing/receivepaymentform.h"
#include "shell/mainwindow.h"

namespace invoicing {

void registerScreens(shell::MainWindow &window)
{
    window.registerScreen(QStringLiteral("CreateInvoices"), [] {
        auto *form = new InvoicesForm;
        form->load();
        return form;
    });
    window.registerScreen(QStringLiteral("ReceivePayments"), [] {
        auto *form = new ReceivePaymentForm;
        form->load();
        return form;
    });
}

} // namespace invoicing
