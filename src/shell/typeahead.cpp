#include "shell/typeahead.h"

#include "core/clock.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <utility>

namespace shell {

namespace {

// The one search state of the program.
struct TypeAheadState {
    double lastKeyTime = 0;
    QString searchText;
    QPointer<QComboBox> lastList; // null at start and once the list is gone
} g_state;

class TypeAheadFilter : public QObject {
public:
    TypeAheadFilter(QComboBox *list) : QObject(list), m_list(list) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        // Navigation and function keys carry no character; Tab and Backtab move
        // the focus; a shortcut with Ctrl or Alt belongs to the window.
        if (key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
            || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        for (const QChar c : key->text())
            ComboTypeAhead(m_list, c);
        return true;
    }

private:
    QComboBox *m_list;
};

class SelectOnFocusFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto *field = static_cast<QLineEdit *>(watched);
            // The field takes the focus first: a masked field arriving by Tab
            // puts its cursor on the first blank, which would undo the selection.
            field->event(event);
            field->selectAll();
            // A mouse click places the cursor after the focus arrives; select
            // again once the click is handled.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, field, [field] {
                    if (field->hasFocus())
                        field->selectAll();
                });
            return true;
        }
        return false;
    }
};

} // namespace

void ComboTypeAhead(QComboBox *list, QChar key)
{
    const double now = core::secondsSinceMidnight();
    // Across midnight the difference is negative, so the search goes on.
    const double elapsed = now - g_state.lastKeyTime;
    if (list != g_state.lastList.data() || elapsed >= 1.0) {
        g_state.searchText = QString(key);
        g_state.lastList = list;
    } else {
        g_state.searchText += key;
    }

    const int found = list->findText(g_state.searchText, Qt::MatchStartsWith);
    if (found >= 0) {
        list->setCurrentIndex(found);
        if (list->view() && list->view()->isVisible())
            list->view()->setCurrentIndex(list->model()->index(found, list->modelColumn(), list->rootModelIndex()));
        // The same signals as a pick with the mouse.
        emit list->activated(found);
        emit list->textActivated(list->itemText(found));
    }
    g_state.lastKeyTime = now;
}

void attachTypeAhead(QComboBox *list)
{
    auto *filter = new TypeAheadFilter(list);
    list->installEventFilter(filter);
    if (list->lineEdit())
        list->lineEdit()->installEventFilter(filter);
    if (list->view())
        list->view()->installEventFilter(filter);
}

void onPick(QComboBox *list, QObject *context, std::function<void()> handler)
{
    // A pick that changes the entry reports the change and then the pick, one
    // after the other; the pick then has nothing left to do. The mark lasts
    // until control returns to the event loop.
    auto justChanged = std::make_shared<bool>(false);
    QObject::connect(list, &QComboBox::currentIndexChanged, context, [list, handler, justChanged] {
        *justChanged = true;
        QTimer::singleShot(0, list, [justChanged] { *justChanged = false; });
        handler();
    });
    QObject::connect(list, &QComboBox::activated, context, [handler, justChanged] {
        if (std::exchange(*justChanged, false))
            return;
        handler();
    });
}

void attachSelectOnFocus(QLineEdit *field)
{
    field->installEventFilter(new SelectOnFocusFilter(field));
}

void resetTypeAhead()
{
    g_state = TypeAheadState();
}

} // namespace shell
