#include "shell/datefield.h"

#include "core/clock.h"
#include "shell/named.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>

namespace shell {

namespace {
// The date a blank field holds; no order or shipment of the plant is this old.
const QDate kEmpty(1900, 1, 1);
const char *const kAllowsEmpty = "bunlineAllowsEmpty";

bool allowsEmpty(const QDateEdit *field)
{
    return field->property(kAllowsEmpty).toBool();
}

// Opens the calendar of a blank field on today's month rather than on 1900.
class EmptyDateCalendar : public QObject {
public:
    EmptyDateCalendar(QDateEdit *field) : QObject(field), m_field(field) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_field->date() == kEmpty)
            if (auto *calendar = qobject_cast<QCalendarWidget *>(watched)) {
                const QDate today = QDate::currentDate();
                calendar->setCurrentPage(today.year(), today.month());
            }
        return false;
    }

private:
    QDateEdit *m_field;
};
} // namespace

QDateEdit *dateField(const char *name)
{
    auto *field = named(new QDateEdit, name);
    field->setCalendarPopup(true);
    field->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    field->setDate(core::currentDate());
    return field;
}

void allowEmptyDate(QDateEdit *field)
{
    field->setProperty(kAllowsEmpty, true);
    field->setMinimumDate(kEmpty);
    field->setSpecialValueText(QStringLiteral(" "));
    if (field->calendarPopup() && field->calendarWidget())
        field->calendarWidget()->installEventFilter(new EmptyDateCalendar(field));
}

void setDateOrEmpty(QDateEdit *field, const QDate &date)
{
    field->setDate(date.isValid() || !allowsEmpty(field) ? date : kEmpty);
}

QDate dateOrEmpty(const QDateEdit *field)
{
    return allowsEmpty(field) && field->date() == kEmpty ? QDate() : field->date();
}

} // namespace shell
