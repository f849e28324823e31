#include "shell/defaultbutton.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace shell {

namespace {
class DefaultButtonFilter : public QObject {
public:
    DefaultButtonFilter(QWidget *screen, QPushButton *button) : QObject(screen), m_screen(screen), m_button(button) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        // The screen sees the keys its fields did not take.
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto *focused = qobject_cast<QPushButton *>(m_screen->focusWidget());
        QPushButton *target = focused ? focused : m_button.data();
        if (target && target->isEnabled())
            target->click();
        return true;
    }

private:
    QWidget *m_screen;
    QPointer<QPushButton> m_button;
};
class CancelButtonFilter : public QObject {
public:
    CancelButtonFilter(QWidget *screen, QPushButton *button) : QObject(screen), m_button(button) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape
            || static_cast<QKeyEvent *>(event)->modifiers() != Qt::NoModifier)
            return false;
        if (m_button && m_button->isEnabled())
            m_button->click();
        return true;
    }

private:
    QPointer<QPushButton> m_button;
};
} // namespace

void attachCancelButton(QWidget *screen, QPushButton *button)
{
    auto *filter = new CancelButtonFilter(screen, button);
    screen->installEventFilter(filter);
    // A closed drop-down list or a date field would take Escape as a typed
    // character; it sees Cancel first. (An open list is a window of its own
    // and closes itself.)
    for (QWidget *field : screen->findChildren<QWidget *>())
        if (qobject_cast<QComboBox *>(field) || qobject_cast<QAbstractSpinBox *>(field))
            field->installEventFilter(filter);
}

void attachDefaultButton(QWidget *screen, QPushButton *button)
{
    button->setDefault(true);
    screen->installEventFilter(new DefaultButtonFilter(screen, button));
}

} // namespace shell
