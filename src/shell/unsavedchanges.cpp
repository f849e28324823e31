#include "shell/unsavedchanges.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextEdit>

namespace shell {

namespace {
// A line edit inside a list or a spin box belongs to that control, which
// reports its value once.
bool partOfAnotherControl(const QWidget *w, const QWidget *root, const QList<const QWidget *> &ignored)
{
    if (ignored.contains(w))
        return true;
    for (const QWidget *p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p) || ignored.contains(p))
            return true;
    return false;
}

void addGrid(const QTableWidget *grid, QStringList &values)
{
    values << QStringLiteral("rows:%1").arg(grid->rowCount());
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QTableWidgetItem *item = grid->item(r, c);
            values << (item ? item->text() + QLatin1Char('|') + QString::number(item->data(Qt::CheckStateRole).toInt())
                            : QString());
        }
}
} // namespace

QStringList editedValues(const QWidget *root, const QList<const QWidget *> &ignored)
{
    QStringList values;
    if (!root)
        return values;
    for (const QWidget *w : root->findChildren<QWidget *>()) {
        if (partOfAnotherControl(w, root, ignored))
            continue;
        if (const auto *edit = qobject_cast<const QLineEdit *>(w)) {
            if (!edit->isReadOnly())
                values << edit->text();
        } else if (const auto *list = qobject_cast<const QComboBox *>(w)) {
            values << list->currentText();
        } else if (const auto *date = qobject_cast<const QDateTimeEdit *>(w)) {
            values << date->dateTime().toString(Qt::ISODate);
        } else if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(w)) {
            values << spin->text();
        } else if (const auto *box = qobject_cast<const QAbstractButton *>(w)) {
            if (box->isCheckable())
                values << QString::number(box->isChecked());
        } else if (const auto *text = qobject_cast<const QTextEdit *>(w)) {
            values << text->toPlainText();
        } else if (const auto *plain = qobject_cast<const QPlainTextEdit *>(w)) {
            values << plain->toPlainText();
        } else if (const auto *grid = qobject_cast<const QTableWidget *>(w)) {
            addGrid(grid, values);
        } else if (const auto *entries = qobject_cast<const QListWidget *>(w)) {
            values << QStringLiteral("entries:%1").arg(entries->count());
            for (int i = 0; i < entries->count(); ++i)
                values << entries->item(i)->text();
        } else if (const auto *label = qobject_cast<const QLabel *>(w)) {
            // A label named as a control shows a value (an order's status).
            if (label->objectName().startsWith(QLatin1String("lbl")))
                values << label->text();
        }
    }
    return values;
}

void SavedState::markSaved()
{
    m_saved = editedValues(m_root, m_ignored);
}

bool SavedState::changed() const
{
    return m_root && editedValues(m_root, m_ignored) != m_saved;
}

} // namespace shell
