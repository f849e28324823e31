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

QString maskedText(const QLineEdit *field)
{
    const QString text = field->text();
    for (const QChar c : text)
        if (c.isDigit())
            return text;
    return {};
}

} // namespace masterdata
