#include "shell/enterkey.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPointer>
#include <vector>
#include <QKeyEvent>
#include <QWidget>

namespace shell {

namespace {
class EnterFilter : public QObject {
public:
    EnterFilter(QObject *parent, std::function<void()> action) : QObject(parent), m_action(std::move(action)) {}

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

void enterWalk(std::initializer_list<QWidget *> steps)
{
    const std::vector<QPointer<QWidget>> walk(steps.begin(), steps.end());
    for (size_t i = 0; i < walk.size(); ++i) {
        if (i + 1 == walk.size()) {
            if (auto *button = qobject_cast<QAbstractButton *>(walk[i].data()))
                onEnterKey(button, [button] {
                    if (button->isEnabled())
                        button->click();
                });
            continue;
        }
        onEnterKey(walk[i], [walk, i] {
            for (size_t next = i + 1; next < walk.size(); ++next) {
                QWidget *step = walk[next];
                if (step && step->isEnabled() && step->isVisibleTo(step->window())) {
                    step->setFocus(Qt::TabFocusReason);
                    return;
                }
            }
        });
    }
}

} // namespace shell
