#include "catalogue/tabparts.h"

#include "catalogue/formfields.h"
#include "core/configuration.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace catalogue {

using shell::named;

const QString kInvalidInformation = QStringLiteral("Invalid Information");
const QString kNotEnough = QStringLiteral("Not enouth information.");

QComboBox *makeList(QWidget *parent, const char *name, bool editable, bool typeAhead)
{
    auto *list = named(new QComboBox(parent), name);
    list->setEditable(editable);
    list->setInsertPolicy(QComboBox::NoInsert);
    // Lists of the whole catalogue are long: size by a typical entry, not by all.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(14);
    list->setMaxVisibleItems(20);
    if (editable)
        list->setCompleter(nullptr); // a typed key is taken as typed, never completed to another
    else if (typeAhead)
        shell::attachTypeAhead(list);
    return list;
}

QLineEdit *makeField(QWidget *parent, const char *name, int width)
{
    auto *field = named(new QLineEdit(parent), name);
    if (width > 0)
        field->setMaximumWidth(width);
    return field;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setItalic(true);
    label->setFont(font);
    return label;
}

QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton *b : buttons)
        row->addWidget(b);
    return row;
}

void addField(QGridLayout *grid, int row, const QString &caption, QWidget *field, QWidget *parent, int span)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(field);
    grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(field, row, 1, 1, span);
}

void keepTogether(QGridLayout *grid)
{
    grid->setColumnStretch(grid->columnCount(), 1);
}

void lockWhenReadOnly(std::initializer_list<QWidget *> writers)
{
    if (!core::currentConfiguration().readOnlyCatalogue)
        return;
    for (QWidget *w : writers)
        w->setEnabled(false);
}

QStringList reportTypes()
{
    return {QStringLiteral("Band Saw"),    QStringLiteral("Bullet Noser"),
            QStringLiteral("CNC"),         QStringLiteral("CNC Stencil"),
            QStringLiteral("Fiber Table"), QStringLiteral("Glue Line"),
            QStringLiteral("Spray Line"),  QStringLiteral("Glue/Spray Line Supply"),
            QStringLiteral("Top Out Saw"), QStringLiteral("Vertical Slitter")};
}

QStringList activeInactive()
{
    return {QStringLiteral("Active"), QStringLiteral("Inactive")};
}

QStringList yesNo()
{
    return {QStringLiteral("Yes"), QStringLiteral("No")};
}

void tell(QWidget *parent, const QString &title, const QString &text)
{
    shell::showMessage(title, text, shell::MessageIcon::None, shell::MessageButtons::Ok, parent);
}

std::optional<double> numberField(QWidget *parent, QLineEdit *field, const QString &name,
                                  std::optional<double> emptyValue)
{
    const std::optional<double> value = fieldNumber(field->text(), emptyValue);
    if (!value) {
        tell(parent, kInvalidInformation,
             emptyValue ? QStringLiteral("%1 must be a number (or left empty). Nothing was saved.").arg(name)
                        : QStringLiteral("%1 must be a number. Nothing was saved.").arg(name));
        field->setFocus();
        field->selectAll();
    }
    return value;
}

} // namespace catalogue
