#include "masterdata/formlayout.h"

#include <QHBoxLayout>

namespace masterdata {

QLineEdit *textField(QWidget *parent, const char *name, int maxLength)
{
    auto *field = named(new QLineEdit(parent), name);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    return field;
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

void setMaskedText(QLineEdit *field, const QString &text)
{
    field->setText(text);
    field->setCursorPosition(0);
}

} // namespace masterdata
