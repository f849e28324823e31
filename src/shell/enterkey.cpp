#include "shell/enterkey.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace shell {

namespace {
class EnterFilter : public QObject {
public:
    EnterFilter(QObject *parent, std::function<void()> action)
        : QObject(parent)
        , m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept(); // keep Enter from reaching a default button
            return true;
        }
        m_action();
        return true;
    }

private:
    std::function<void()> m_action;
};
} // namespace

void onEnterKey(QWidget *widget, std::function<void()> action)
{
    widget->installEventFilter(new EnterFilter(widget, std::move(action)));
}

} // namespace shell
