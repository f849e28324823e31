#include "shell/formlayout.h"

#include <QPalette>

#include "core/formats.h"

#include <QHBoxLayout>

namespace shell {

void makeDisplayField(QLineEdit *field)
{
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, palette.color(QPalette::Active, QPalette::WindowText));
    field->setPalette(palette);
}

QLineEdit *textField(QWidget *parent, const char *name, int maxLength)
{
    auto *field = named(new QLineEdit(parent), name);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    return field;
}

QLabel *buddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

void addFormRow(QGridLayout *grid, const QString &label, std::initializer_list<QWidget *> fields)
{
    const int row = grid->rowCount();
    auto *caption = new QLabel(label);
    grid->addWidget(caption, row, 0);
    if (fields.size() == 1) {
        grid->addWidget(*fields.begin(), row, 1);
    } else {
        auto *box = new QHBoxLayout;
        for (QWidget *field : fields)
            box->addWidget(field);
        grid->addLayout(box, row, 1);
    }
    caption->setBuddy(*fields.begin());
}

void setTabOrderFromGrid(QGridLayout *grid, std::initializer_list<QWidget *> after)
{
    QList<QWidget *> order;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QLayoutItem *item = grid->itemAtPosition(row, 1);
        if (!item)
            continue;
        if (item->widget())
            order << item->widget();
        else if (QLayout *box = item->layout())
            for (int i = 0; i < box->count(); ++i)
                if (QWidget *w = box->itemAt(i)->widget())
                    order << w;
    }
    order << QList<QWidget *>(after);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *button : buttons)
        row->addWidget(button);
    return row;
}

QString maskedText(const QLineEdit *field)
{
    const QString text = field->text();
    for (const QChar c : text)
        if (c.isDigit())
            return text;
    return {};
}

void buildAddressFields(QWidget *parent, AddressFields &f)
{
    f.txtAddress1 = textField(parent, "txtAddress1", 50);
    f.txtAddress2 = textField(parent, "txtAddress2", 50);
    f.txtCity = textField(parent, "txtCity", 50);
    f.cmbState = named(new QComboBox(parent), "cmbState");
    f.txtZip = textField(parent, "txtZip", 50);
    f.txtPhone = textField(parent, "txtPhone");
    f.txtFax = textField(parent, "txtFax");
    for (QLineEdit *masked : {f.txtPhone, f.txtFax})
        masked->setInputMask(core::phoneInputMask());
    f.txtEmail = textField(parent, "txtEmail", 50);
}

void addAddressRows(QGridLayout *grid, const AddressFields &f)
{
    addFormRow(grid, QStringLiteral("Address1"), {f.txtAddress1});
    addFormRow(grid, QStringLiteral("Address2"), {f.txtAddress2});
    addFormRow(grid, QStringLiteral("City"), {f.txtCity});
    addFormRow(grid, QStringLiteral("State/Zip"), {f.cmbState, f.txtZip});
    addFormRow(grid, QStringLiteral("Phone"), {f.txtPhone});
    addFormRow(grid, QStringLiteral("Fax"), {f.txtFax});
    addFormRow(grid, QStringLiteral("Email"), {f.txtEmail});
}

void setMaskedText(QLineEdit *field, const QString &text)
{
    field->setText(text);
    field->setCursorPosition(0);
}

} // namespace shell
