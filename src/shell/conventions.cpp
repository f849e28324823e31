#include "shell/conventions.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>

namespace shell {

namespace {

class KeyboardConventions : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish) {
            if (auto *calendar = qobject_cast<QCalendarWidget *>(watched))
                calendar->setFirstDayOfWeek(QLocale::system().firstDayOfWeek());
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = !(key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier));
        if (!plain)
            return false;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            auto *button = qobject_cast<QPushButton *>(watched);
            if (!button || !button->hasFocus() || key->modifiers() & Qt::ShiftModifier)
                return false;
            if (button->isEnabled())
                button->click();
            return true;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            // The field's own line editor receives the key; its date field
            // moves to the next section unless it stands on the last one.
            QObject *owner = watched;
            auto *field = qobject_cast<QDateTimeEdit *>(owner);
            if (!field && owner->parent())
                field = qobject_cast<QDateTimeEdit *>(owner->parent());
            if (field && field->sectionCount() > 0)
                field->setCurrentSectionIndex(key->key() == Qt::Key_Tab ? field->sectionCount() - 1 : 0);
        }
        return false;
    }
};

} // namespace

void installKeyboardConventions()
{
    static KeyboardConventions *installed = nullptr;
    if (installed || !qApp)
        return;
    installed = new KeyboardConventions(qApp);
    qApp->installEventFilter(installed);
}

} // namespace shell
