#include "catalogue/stylepricechangeform.h"

#include "catalogue/cataloguestore.h"
#include "catalogue/formfields.h"
#include "catalogue/tabparts.h"
#include "core/cursor.h"
#include "core/vbnumeric.h"
#include "data/database.h"
#include "shell/defaultbutton.h"
#include "shell/messages.h"
#include "shell/typeahead.h"
#include "shell/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace catalogue {

using shell::named;

namespace {
// A rate as a percentage with two decimals: 0.034 is "3.40".
QString percentText(double rate)
{
    QString text = QString::number(rate * 100.0, 'f', 2);
    if (text.startsWith(QLatin1Char('-')) && text.mid(1).toDouble() == 0.0)
        text.remove(0, 1);
    return text;
}
} // namespace

StylePriceChangeForm::StylePriceChangeForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmStylePriceChange"));
    setWindowTitle(QStringLiteral("Style Price Change"));
    cmbCustomer = makeList(this, "cmbCustomer", false);
    lstItem = named(new QListWidget(this), "lstItem");
    lstItem->setSelectionMode(QAbstractItemView::MultiSelection);
    lstItem->setMinimumSize(320, 240);
    lstID = named(new QListWidget(this), "lstID");
    lstID->hide();
    btnSelectAll = makeButton(this, "btnSelectAll", QStringLiteral("Select All"));
    btnSelectNone = makeButton(this, "btnSelectNone", QStringLiteral("Select None"));
    txtAmount = makeField(this, "txtAmount", 100);
    shell::attachSelectOnFocus(txtAmount);
    lblPercent = named(new QLabel(this), "lblPercent");
    lblPercent->setMinimumWidth(lblPercent->fontMetrics().horizontalAdvance(QStringLiteral("-1,000.00%")));
    btnOK = makeButton(this, "btnOK", QStringLiteral("Ok"));
    btnCancel = makeButton(this, "btnCancel", QStringLiteral("Cancel"));

    auto *top = new QGridLayout;
    addField(top, 0, QStringLiteral("Customer"), cmbCustomer, this);
    keepTogether(top);
    auto *selection = new QHBoxLayout;
    selection->addWidget(btnSelectAll);
    selection->addWidget(btnSelectNone);
    selection->addStretch(1);
    auto *rate = new QGridLayout;
    addField(rate, 0, QStringLiteral("Rate"), txtAmount, this);
    rate->addWidget(lblPercent, 0, 2);
    keepTogether(rate);
    auto *hint = new QLabel(
        QStringLiteral("Enter a positive number to increase price or a negative number to decrease price."), this);
    hint->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lstItem, 1);
    layout->addLayout(selection);
    layout->addLayout(rate);
    layout->addWidget(hint);
    layout->addLayout(buttonRow({btnOK, btnCancel}));

    connect(cmbCustomer, &QComboBox::currentIndexChanged, this, [this] { customerChosen(); });
    connect(btnSelectAll, &QPushButton::clicked, lstItem, &QListWidget::selectAll);
    connect(btnSelectNone, &QPushButton::clicked, lstItem, &QListWidget::clearSelection);
    connect(txtAmount, &QLineEdit::textChanged, this, [this](const QString &text) {
        // 0.05 is 5.00%.
        lblPercent->setText(core::IsNumeric(text) ? percentText(core::Val(text)) + QLatin1Char('%') : QString());
    });
    connect(btnOK, &QPushButton::clicked, this, [this] { apply(); });
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    shell::attachCancelButton(this, btnCancel);
}

void StylePriceChangeForm::load()
{
    fillList(cmbCustomer, styleCustomers(data::sharedDatabase()));
}

void StylePriceChangeForm::customerChosen()
{
    lstItem->clear();
    lstID->clear();
    const QString customer = chosenText(cmbCustomer);
    if (customer.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            for (const StylePrice &style : customerStylePrices(data::sharedDatabase(), customer)) {
                lstItem->addItem(style.text);
                lstID->addItem(QString::number(style.id));
            }
        },
        this);
}

void StylePriceChangeForm::apply()
{
    if (!core::IsNumeric(txtAmount->text())) {
        tell(this, QStringLiteral("Invalid Amount"), QStringLiteral("Invalid amount. Must be a number value."));
        txtAmount->setFocus();
        return;
    }
    const double rate = core::Val(txtAmount->text());
    // The change cannot be undone: Enter answers No.
    if (!shell::askYesDefaultNo(
            QStringLiteral("Continue"),
            QStringLiteral("All selected Styles' prices will be changed by %1%. This cannot be undone, "
                           "are you sure you want to continue?")
                .arg(percentText(rate)),
            shell::MessageIcon::None, this))
        return;
    std::vector<qint64> ids;
    for (int row = 0; row < lstItem->count(); ++row)
        if (lstItem->item(row)->isSelected())
            ids.push_back(lstID->item(row)->text().toLongLong());
    if (ids.empty()) {
        tell(this, QStringLiteral("Invalid Selection"), QStringLiteral("You must select an Item."));
        return;
    }
    const bool done = shell::reportingDbErrors(
        [&] {
            core::BusyCursor busy;
            changeStylePrices(data::sharedDatabase(), ids, rate);
        },
        this);
    if (done)
        close();
}

} // namespace catalogue
