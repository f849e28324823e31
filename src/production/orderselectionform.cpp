#include "production/orderselectionform.h"

#include "data/database.h"
#include "shell/formlayout.h"
#include "shell/enterkey.h"
#include "shell/defaultbutton.h"
#include "shell/messages.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace production {

OrderSelectionForm::OrderSelectionForm(const QString &formName, std::function<void(qint64)> print, QWidget *parent)
    : QWidget(parent), m_print(std::move(print))
{
    setObjectName(formName);
    setWindowTitle(QStringLiteral("Order Selection"));
    setAttribute(Qt::WA_DeleteOnClose);

    cmbOrder = new QComboBox(this);
    cmbOrder->setObjectName(QStringLiteral("cmbOrder"));
    cmbOrder->setMinimumWidth(280);
    shell::attachTypeAhead(cmbOrder);
    cmbID = new QComboBox(this);
    cmbID->setObjectName(QStringLiteral("cmbID"));
    cmbID->setVisible(false);
    btnPrint = new QPushButton(QStringLiteral("Print"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *label = new QLabel(QStringLiteral("Order Number"), this);
    label->setBuddy(cmbOrder);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(cmbOrder, 1);
    auto *buttons = shell::buttonRow({btnPrint, btnCancel});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
    layout->addLayout(buttons);
    setTabOrder(cmbOrder, btnPrint);
    setTabOrder(btnPrint, btnCancel);

    connect(btnPrint, &QPushButton::clicked, this, [this] { printClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    shell::attachDefaultButton(this, btnPrint);
    shell::attachCancelButton(this, btnCancel);
    shell::onEnterKey(cmbOrder, [this] { printClicked(); });
}

void OrderSelectionForm::load()
{
    cmbOrder->clear();
    cmbID->clear();
    data::Recordset rs = data::sharedDatabase().query(
        QStringLiteral("SELECT ID,Customer,OrderNumber FROM Orders ORDER BY Customer,OrderNumber"));
    for (; !rs.isEOF(); rs.moveNext()) {
        cmbOrder->addItem(rs.text(QStringLiteral("Customer")) + QStringLiteral(" - ")
                          + rs.text(QStringLiteral("OrderNumber")));
        cmbID->addItem(QString::number(rs.integer(QStringLiteral("ID"))));
    }
    cmbOrder->setCurrentIndex(-1);
}

void OrderSelectionForm::printClicked()
{
    const int chosen = cmbOrder->currentIndex();
    if (chosen < 0)
        return;
    const qint64 id = cmbID->itemText(chosen).toLongLong();
    if (!shell::reportingDbErrors([&] { m_print(id); }, this))
        return;
    close();
}

} // namespace production
