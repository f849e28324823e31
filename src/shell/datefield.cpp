#include "shell/datefield.h"

#include "core/clock.h"
#include "shell/named.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

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
// Typing a whole date works wherever the caret is: once a separator is typed,
// the keys typed since the field was entered or clicked are read together as
// month/day/year, instead of each landing in whichever part holds the caret
// (a click into the year would otherwise swallow the rest of the date).
class TypedDate : public QObject {
public:
    explicit TypedDate(QDateEdit *field) : QObject(field), m_field(field) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress:
            m_typed.clear();
            return false;
        case QEvent::KeyPress:
            return keyPressed(static_cast<QKeyEvent *>(event));
        default:
            return false;
        }
    }

private:
    static bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.'); }

    bool keyPressed(const QKeyEvent *key)
    {
        const QString text = key->text();
        const QChar c = text.size() == 1 ? text[0] : QChar();
        if (!c.isDigit() && !isSeparator(c)) {
            if (key->key() != Qt::Key_Shift)
                m_typed.clear(); // arrows, Tab, Backspace: the field's own editing
            return false;
        }
        m_typed += isSeparator(c) ? QChar(QLatin1Char('/')) : c;
        if (!m_typed.contains(QLatin1Char('/')))
            return false; // digits alone edit the part that holds the caret
        const QStringList parts = m_typed.split(QLatin1Char('/'));
        if (parts.size() == 3 && (parts[2].size() == 4 || parts[2].size() == 2)) {
            int year = parts[2].toInt();
            if (parts[2].size() == 2)
                year += 2000;
            const QDate date(year, parts[0].toInt(), parts[1].toInt());
            if (date.isValid())
                m_field->setDate(date);
        }
        return true;
    }

    QDateEdit *m_field;
    QString m_typed;
};
} // namespace

QDateEdit *dateField(const char *name)
{
    auto *field = named(new QDateEdit, name);
    field->setCalendarPopup(true);
    field->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    field->setDate(core::currentDate());
    auto *typed = new TypedDate(field);
    field->installEventFilter(typed);
    // A click lands on the field's text part.
    if (auto *text = field->findChild<QLineEdit *>())
        text->installEventFilter(typed);
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
