#include "orders/orderentryform.h"

#include "data/database.h"
#include "orders/ordernavigatorform.h"
#include "core/clock.h"
#include "core/configuration.h"
#include "core/cursor.h"
#include "shell/datefield.h"
#include "shell/enterkey.h"
#include "core/formats.h"
#include "shell/grid.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"
#include "core/vbnumeric.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

namespace orders {

namespace {
OrderSavedHook g_orderSaved;
} // namespace

void setOrderSavedHook(OrderSavedHook hook)
{
    g_orderSaved = std::move(hook);
}

using shell::named;

namespace {

enum Column { ColItem, ColLine, ColQty, ColStyle, ColPriceEach, ColPriceExt, ColStyleId };

QDateEdit *datePicker(const char *name)
{
    QDateEdit *d = shell::dateField(name);
    shell::allowEmptyDate(d);
    return d;
}

QLabel *valueLabel(const char *name)
{
    auto *l = named(new QLabel, name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(90);
    return l;
}

} // namespace

OrderEntryForm::OrderEntryForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmOrderEntry"));
    setWindowTitle(QStringLiteral("Order Entry"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    wireBehaviour();

    core::BusyCursor busy;
    {
        // Filling the list picks no customer, so the ship-to stays blank.
        const QSignalBlocker quiet(cmbCustomer);
        shell::reportingDbErrors([&] { cmbCustomer->addItems(activeCustomers(data::sharedDatabase())); }, this);
        cmbCustomer->setCurrentIndex(-1);
    }
    lblTotal->setText(core::formatMoney(0));
    applyHiddenPrices();
    RefreshGrid();
}

void OrderEntryForm::buildLayout()
{
    Frame1 = named(new QGroupBox(QStringLiteral("Order Info")), "Frame1");
    cmbCustomer = named(new QComboBox, "cmbCustomer");
    cmbCustomer->setMinimumWidth(220);
    txtOrderNumber = named(new QLineEdit, "txtOrderNumber");
    dtOrderDate = datePicker("dtOrderDate");
    dtDueDate = datePicker("dtDueDate");
    lblStatus = valueLabel("lblStatus");
    lblID = valueLabel("lblID");
    txtShipTo = named(new QLineEdit, "txtShipTo");
    txtAddress1 = named(new QLineEdit, "txtAddress1");
    txtAddress2 = named(new QLineEdit, "txtAddress2");
    txtCity = named(new QLineEdit, "txtCity");
    txtState = named(new QLineEdit, "txtState");
    txtState->setMaximumWidth(50);
    txtZip = named(new QLineEdit, "txtZip");
    txtZip->setMaximumWidth(90);
    txtPhone = named(new QLineEdit, "txtPhone");
    txtFax = named(new QLineEdit, "txtFax");
    lblTotal = valueLabel("lblTotal");
    lblTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Two captioned fields a row: the order on the left, where it ships on the right.
    auto *header = new QGridLayout(Frame1);
    auto label = [](const QString &text, QWidget *buddy, const char *name = nullptr) {
        auto *l = new QLabel(text);
        if (name)
            l->setObjectName(QLatin1String(name));
        l->setBuddy(buddy);
        return l;
    };
    auto place = [&](int row, int column, QLabel *caption, std::initializer_list<QWidget *> fields) {
        header->addWidget(caption, row, column);
        auto *line = new QHBoxLayout;
        for (QWidget *field : fields)
            line->addWidget(field);
        header->addLayout(line, row, column + 1);
    };
    const std::pair<const char *, QWidget *> left[] = {{"Customer", cmbCustomer},
                                                       {"Order Number", txtOrderNumber},
                                                       {"Order Date", dtOrderDate},
                                                       {"Due Date", dtDueDate}};
    for (int row = 0; row < int(std::size(left)); ++row)
        place(row, 0, label(QLatin1String(left[row].first), left[row].second), {left[row].second});
    place(4, 0, label(QStringLiteral("Status/ID"), lblStatus), {lblStatus, lblID});
    place(5, 0, label(QStringLiteral("Order Total"), lblTotal, "lblTotalCaption"), {lblTotal});
    place(0, 2, label(QStringLiteral("Ship To"), txtShipTo), {txtShipTo});
    place(1, 2, label(QStringLiteral("Address 1"), txtAddress1), {txtAddress1});
    place(2, 2, label(QStringLiteral("Address 2"), txtAddress2), {txtAddress2});
    place(3, 2, label(QStringLiteral("City/St/Zip"), txtCity), {txtCity, txtState, txtZip});
    place(4, 2, label(QStringLiteral("Ship To Phone"), txtPhone), {txtPhone});
    place(5, 2, label(QStringLiteral("Ship To Fax"), txtFax), {txtFax});
    header->setColumnStretch(3, 1);

    Frame2 = named(new QGroupBox(QStringLiteral("Line Items")), "Frame2");
    lblItem = valueLabel("lblItem");
    lblItem->setMinimumWidth(40);
    txtLine = named(new QLineEdit, "txtLine");
    cmbStyle = named(new QComboBox, "cmbStyle");
    cmbStyle->setMinimumWidth(160);
    txtQty = named(new QLineEdit, "txtQty");
    txtPriceEach = named(new QLineEdit, "txtPriceEach");
    lblPriceExt = valueLabel("lblPriceExt");
    lblPriceExt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    btnSaveItem = named(new QPushButton(QStringLiteral("Save")), "btnSaveItem");
    btnDeleteItem = named(new QPushButton(QStringLiteral("Delete")), "btnDeleteItem");
    vsfgItems = named(new shell::Grid({QStringLiteral("Item Number"), QStringLiteral("Line"), QStringLiteral("Qty"),
                                       QStringLiteral("Style"), QStringLiteral("Price Each"),
                                       QStringLiteral("Price Ext."), QStringLiteral("Style ID")}),
                      "vsfgItems");

    auto *editor = new QGridLayout;
    const std::pair<QString, QWidget *> fields[] = {{QStringLiteral("Item"), lblItem},
                                                    {QStringLiteral("Line"), txtLine},
                                                    {QStringLiteral("Style"), cmbStyle},
                                                    {QStringLiteral("Qty Ordered"), txtQty},
                                                    {QStringLiteral("Price Each"), txtPriceEach},
                                                    {QStringLiteral("Price Ext"), lblPriceExt}};
    int column = 0;
    for (const auto &[text, widget] : fields) {
        QLabel *caption = label(text, widget);
        if (widget == txtPriceEach)
            caption->setObjectName(QStringLiteral("lblPriceEachCaption"));
        if (widget == lblPriceExt)
            caption->setObjectName(QStringLiteral("lblPriceExtCaption"));
        editor->addWidget(caption, 0, column);
        editor->addWidget(widget, 1, column++);
    }
    editor->addWidget(btnSaveItem, 1, column++);
    editor->addWidget(btnDeleteItem, 1, column++);
    editor->setColumnStretch(2, 1);
    auto *lines = new QVBoxLayout(Frame2);
    lines->addLayout(editor);
    lines->addWidget(vsfgItems, 1);

    btnOpenOrder = named(new QPushButton(QStringLiteral("Open Order")), "btnOpenOrder");
    btnClose = named(new QPushButton(QStringLiteral("Close Order")), "btnClose");
    btnVoidOrder = named(new QPushButton(QStringLiteral("Void Order")), "btnVoidOrder");
    btnSave = named(new QPushButton(QStringLiteral("Save and Close")), "btnSave");
    btnExit = named(new QPushButton(QStringLiteral("Exit")), "btnExit");
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {btnOpenOrder, btnClose, btnVoidOrder})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnExit);

    auto *main = new QVBoxLayout(this);
    main->addWidget(Frame1);
    main->addWidget(Frame2, 1);
    main->addLayout(buttons);

    // Tab order as the fields read: header, ship-to, line editor, buttons.
    QWidget *order[] = {cmbCustomer, txtOrderNumber, dtOrderDate, dtDueDate,    txtShipTo,   txtAddress1,
                        txtAddress2, txtCity,        txtState,    txtZip,       txtPhone,    txtFax,
                        txtLine,     cmbStyle,       txtQty,      txtPriceEach, btnSaveItem, btnDeleteItem,
                        vsfgItems,   btnOpenOrder,   btnClose,    btnVoidOrder, btnSave,     btnExit};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    resize(860, 640);
}

void OrderEntryForm::wireBehaviour()
{
    shell::attachTypeAhead(cmbCustomer);
    shell::attachTypeAhead(cmbStyle);
    for (QLineEdit *field : {txtOrderNumber, txtShipTo, txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone,
                             txtFax, txtQty, txtPriceEach})
        shell::attachSelectOnFocus(field);

    // Enter walks the line editor: Line, Style, Qty, Price (when prices show), Save.
    shell::enterWalk({txtLine, cmbStyle, txtQty, txtPriceEach, btnSaveItem});

    connect(cmbCustomer, &QComboBox::currentIndexChanged, this, [this] { customerChosen(); });
    connect(cmbStyle, &QComboBox::currentIndexChanged, this, [this] { styleChosen(); });
    connect(txtQty, &QLineEdit::editingFinished, this, [this] { updatePriceExt(); });
    connect(txtPriceEach, &QLineEdit::editingFinished, this, [this] {
        if (const auto price = core::parseMoney(txtPriceEach->text()))
            txtPriceEach->setText(core::formatMoney(*price));
        updatePriceExt();
    });
    connect(vsfgItems, &QTableWidget::currentCellChanged, this, [this](int row) { rowSelected(row); });
    connect(btnSaveItem, &QPushButton::clicked, this, [this] { saveItem(); });
    connect(btnDeleteItem, &QPushButton::clicked, this, [this] { deleteItem(); });
    // The three status buttons only change the status shown; saving stores it.
    struct StatusButton {
        QPushButton *button;
        const char *question, *title, *status;
    };
    for (const StatusButton &b :
         {StatusButton{btnOpenOrder, "Are you sure you want to open this order?", "Open Order Confirmations", "Open"},
          StatusButton{btnClose, "Are you sure you want to close this order?", "Close Order Confirmations", "Closed"},
          StatusButton{btnVoidOrder, "Are you sure you want to void this order?", "Void Order Confirmations", "Void"}})
        connect(b.button, &QPushButton::clicked, this,
                [this, b] { setStatus(QLatin1String(b.question), QLatin1String(b.title), QLatin1String(b.status)); });
    connect(btnSave, &QPushButton::clicked, this, [this] { saveOrder(); });
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
}

void OrderEntryForm::applyHiddenPrices()
{
    const bool hide = core::currentConfiguration().hidePrices;
    for (QWidget *w : {static_cast<QWidget *>(txtPriceEach), static_cast<QWidget *>(lblPriceExt),
                       static_cast<QWidget *>(lblTotal), findChild<QWidget *>(QStringLiteral("lblPriceEachCaption")),
                       findChild<QWidget *>(QStringLiteral("lblPriceExtCaption")),
                       findChild<QWidget *>(QStringLiteral("lblTotalCaption"))})
        if (w)
            w->setVisible(!hide);
    vsfgItems->setColumnHidden(ColPriceEach, hide);
    vsfgItems->setColumnHidden(ColPriceExt, hide);
}

// A new customer brings its default ship-to and its styles.
void OrderEntryForm::customerChosen()
{
    const QString customer = cmbCustomer->currentText();
    shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            if (const auto shipTo = customerShipTo(db, customer)) {
                txtShipTo->setText(shipTo->name);
                txtAddress1->setText(shipTo->address1);
                txtAddress2->setText(shipTo->address2);
                txtCity->setText(shipTo->city);
                txtState->setText(shipTo->state);
                txtZip->setText(shipTo->zip);
                txtPhone->setText(shipTo->phone);
                txtFax->setText(shipTo->fax);
            }
            // The style list follows the customer (it is not kept from an earlier choice).
            const QSignalBlocker block(cmbStyle);
            cmbStyle->clear();
            m_styles.clear();
            if (!customer.isEmpty())
                for (const StyleChoice &style : customerStyles(db, customer)) {
                    m_styles.push_back(style);
                    cmbStyle->addItem(style.text);
                }
            cmbStyle->setCurrentIndex(-1);
        },
        this);
}

void OrderEntryForm::styleChosen()
{
    const int i = cmbStyle->currentIndex();
    if (i < 0 || cmbStyle->currentText().isEmpty())
        return;
    txtPriceEach->setText(core::formatMoney(m_styles[size_t(i)].price));
}

void OrderEntryForm::updatePriceExt()
{
    const double price = core::parseMoney(txtPriceEach->text()).value_or(0);
    const double qty = core::IsNumeric(txtQty->text()) ? core::Val(txtQty->text()) : 0;
    lblPriceExt->setText(core::formatMoney(price * qty));
}

// Selects the style of a line; a style no longer among the customer's active
// ones is added to the list so that the line keeps it.
int OrderEntryForm::selectStyle(const QString &text, qint64 id, double price)
{
    for (size_t i = 0; i < m_styles.size(); ++i)
        if (m_styles[i].id == id) {
            cmbStyle->setCurrentIndex(int(i));
            return int(i);
        }
    m_styles.push_back({id, text, price});
    cmbStyle->addItem(text);
    cmbStyle->setCurrentIndex(cmbStyle->count() - 1);
    return cmbStyle->count() - 1;
}

void OrderEntryForm::rowSelected(int row)
{
    if (row < 0 || row >= int(m_lines.size()))
        return;
    const OrderLine &l = m_lines[size_t(row)];
    m_editingRow = row;
    lblItem->setText(QString::number(l.itemNumber));
    txtLine->setText(l.line);
    txtQty->setText(core::formatNumber(l.qty));
    selectStyle(l.styleText, l.styleId, l.priceEach);
    txtPriceEach->setText(core::formatMoney(l.priceEach)); // the line's own price, not the catalogue's
    lblPriceExt->setText(core::formatMoney(l.priceExt()));
    txtQty->setFocus();
}

void OrderEntryForm::clearEditor()
{
    m_editingRow = -1;
    lblItem->clear();
    txtLine->clear();
    txtQty->clear();
    {
        const QSignalBlocker block(cmbStyle);
        cmbStyle->setCurrentIndex(-1);
    }
    txtPriceEach->clear();
    lblPriceExt->clear();
}

// The lines of an order on an invoice are what the invoice printed; the
// editor refuses to change them. Answers true when it refused.
bool OrderEntryForm::refuseInvoicedLines()
{
    if (!m_invoice)
        return false;
    shell::showMessage(QStringLiteral("Order Invoiced"), invoicedLinesMessage(txtOrderNumber->text(), *m_invoice));
    return true;
}

void OrderEntryForm::saveItem()
{
    if (refuseInvoicedLines())
        return;
    if (cmbStyle->currentText().isEmpty() || cmbStyle->currentIndex() < 0 || txtQty->text().isEmpty()
        || txtPriceEach->text().isEmpty()) {
        shell::showMessage(QStringLiteral("Not Enough Information"),
                           QStringLiteral("You must enter a Style, Quantity, and Price before saving."));
        return;
    }
    // A quantity or price that is no number would be saved as 0; refuse it here.
    if (!core::IsNumeric(txtQty->text())) {
        shell::showMessage(QStringLiteral("Invalid Information"), QStringLiteral("Qty Ordered must be a number."));
        txtQty->setFocus();
        return;
    }
    const std::optional<double> price = core::parseMoney(txtPriceEach->text());
    if (!price) {
        shell::showMessage(QStringLiteral("Invalid Information"), QStringLiteral("Price Each must be a number."));
        txtPriceEach->setFocus();
        return;
    }
    OrderLine line;
    line.line = txtLine->text();
    line.qty = core::Val(txtQty->text());
    line.styleText = cmbStyle->currentText();
    line.styleId = m_styles[size_t(cmbStyle->currentIndex())].id;
    line.priceEach = *price;
    const bool editing = !lblItem->text().isEmpty() && m_editingRow >= 0 && m_editingRow < int(m_lines.size());
    if (editing) {
        line.itemNumber = m_lines[size_t(m_editingRow)].itemNumber;
        m_lines[size_t(m_editingRow)] = line;
    } else {
        line.itemNumber = m_lines.empty() ? 1 : m_lines.back().itemNumber + 1;
        m_lines.push_back(line);
    }
    showLines();
    clearEditor();
    (editing ? txtQty : txtLine)->setFocus();
    UpdateTotal();
}

void OrderEntryForm::deleteItem()
{
    const int row = m_editingRow;
    if (lblItem->text().isEmpty() || row < 0 || row >= int(m_lines.size()) || refuseInvoicedLines())
        return;
    if (!shell::askYesDefaultNo(
            QStringLiteral("Delete Confirmation"),
            QStringLiteral("Are you sure you want to delete Line Item %1?").arg(m_lines[size_t(row)].itemNumber),
            shell::MessageIcon::None, this))
        return;
    m_lines.erase(m_lines.begin() + row);
    showLines();
    clearEditor();
    txtLine->setFocus();
    UpdateTotal();
}

void OrderEntryForm::showLines()
{
    std::vector<QStringList> rows;
    rows.reserve(m_lines.size());
    for (const OrderLine &l : m_lines)
        rows.push_back({QString::number(l.itemNumber), l.line, core::formatNumber(l.qty), l.styleText,
                        core::formatMoneyCell(l.priceEach), core::formatMoneyCell(l.priceExt()),
                        QString::number(l.styleId)});
    const QSignalBlocker block(vsfgItems);
    vsfgItems->setRows(rows);
    vsfgItems->setCurrentCell(-1, -1);
}

void OrderEntryForm::UpdateTotal()
{
    m_total = 0;
    for (const OrderLine &l : m_lines)
        m_total += l.priceExt();
    lblTotal->setText(core::formatMoney(m_total));
}

void OrderEntryForm::RefreshGrid()
{
    m_lines.clear();
    if (m_orderId)
        shell::reportingDbErrors([&] { m_lines = loadLines(data::sharedDatabase(), *m_orderId); }, this);
    showLines();
    applyHiddenPrices();
}

void OrderEntryForm::OpenOrder(qlonglong orderId)
{
    std::optional<OrderHeader> order;
    if (!shell::reportingDbErrors([&] { order = loadOrder(data::sharedDatabase(), orderId); }, this) || !order)
        return;
    // An order of a customer made inactive since still opens with its customer.
    if (cmbCustomer->findText(order->customer, Qt::MatchFixedString) < 0)
        cmbCustomer->addItem(order->customer);
    cmbCustomer->setCurrentIndex(cmbCustomer->findText(order->customer, Qt::MatchFixedString));
    customerChosen(); // also when the index did not change
    txtOrderNumber->setText(order->orderNumber);
    shell::setDateOrEmpty(dtOrderDate, order->orderDate);
    shell::setDateOrEmpty(dtDueDate, order->dueDate);
    lblStatus->setText(order->status);
    lblID->setText(QString::number(*order->id));
    m_orderId = order->id;
    m_invoice.reset();
    shell::reportingDbErrors([&] { m_invoice = invoiceOfOrder(data::sharedDatabase(), *order->id); }, this);
    const ShipTo &s = order->shipTo;
    txtShipTo->setText(s.name);
    txtAddress1->setText(s.address1);
    txtAddress2->setText(s.address2);
    txtCity->setText(s.city);
    txtState->setText(s.state);
    txtZip->setText(s.zip);
    txtPhone->setText(s.phone);
    txtFax->setText(s.fax);
    m_total = order->total;
    lblTotal->setText(core::formatMoney(m_total));
    for (QWidget *locked : {static_cast<QWidget *>(cmbCustomer), static_cast<QWidget *>(txtOrderNumber),
                            static_cast<QWidget *>(dtOrderDate), static_cast<QWidget *>(dtDueDate)})
        locked->setEnabled(false);
    clearEditor();
    RefreshGrid();
}

void OrderEntryForm::setStatus(const QString &question, const QString &title, const QString &status)
{
    if (shell::askYesNo(title, question, shell::MessageIcon::None, this))
        lblStatus->setText(status);
}

void OrderEntryForm::saveOrder()
{
    const QString customer = cmbCustomer->currentText();
    const QString number = txtOrderNumber->text();
    if (customer.isEmpty() || number.isEmpty() || m_lines.empty()) {
        shell::showMessage(
            QStringLiteral("Required Fields"),
            QStringLiteral("Customer, Order Number, and atleast one item must be entered before saving Order."));
        return;
    }
    data::Database &db = data::sharedDatabase();
    if (!m_orderId) {
        bool exists = false;
        if (!shell::reportingDbErrors([&] { exists = orderNumberExists(db, customer, number); }, this))
            return;
        if (exists
            && !shell::askYesDefaultNo(
                QStringLiteral("Order Number Exists"),
                QStringLiteral("Order Number %1 already exists for %2. This will not overwrite the previous "
                               "Order. Are you sure you want two Orders with the same number?")
                    .arg(number, customer),
                shell::MessageIcon::None, this))
            return;
    }
    OrderHeader header;
    header.id = m_orderId;
    header.customer = customer;
    header.orderNumber = number;
    header.orderDate = shell::dateOrEmpty(dtOrderDate);
    header.dueDate = shell::dateOrEmpty(dtDueDate);
    header.status = lblStatus->text();
    header.shipTo = {txtShipTo->text(), txtAddress1->text(), txtAddress2->text(), txtCity->text(),
                     txtState->text(),  txtZip->text(),      txtPhone->text(),    txtFax->text()};
    header.total = m_total;

    core::BusyCursor busy;
    qint64 id = 0;
    bool saved = false;
    shell::reportingDbErrors(
        [&] {
            try {
                id = orders::saveOrder(db, header, m_lines, core::currentConfiguration().localOrderIds,
                                       core::currentDate());
                saved = true;
            } catch (const OrderError &e) {
                shell::showMessage(QStringLiteral("Unable to Save"), e.text());
            }
        },
        this);
    if (!saved)
        return; // nothing was written; the order stays on screen to try again
    lblID->setText(QString::number(id));
    m_orderId = id;
    m_saved = true;
    if (g_orderSaved)
        shell::reportingDbErrors([&] { g_orderSaved(id, this); }, this);
    close();
}

void OrderEntryForm::closeEvent(QCloseEvent *event)
{
    // An open order navigator shows the change at once.
    if (shell::MainWindow *main = shell::mainWindow())
        if (auto *navigator = qobject_cast<OrderNavigatorForm *>(main->openedScreen(QStringLiteral("OrdNav"))))
            navigator->UpdateGrids();
    QWidget::closeEvent(event);
}

} // namespace orders
