#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace shell {

// A screen that can hold typed work not yet written. Before the program ends
// or the user logs off, the main window asks once about every open screen that
// says so, naming each by its window title.
class UnsavedChanges {
public:
    virtual ~UnsavedChanges() = default;
    virtual bool hasUnsavedChanges() const = 0;
};

// The values a user edits under a screen (text fields, lists, check boxes,
// dates, grid cells and the labels that show a record's state), remembered
// when the record was loaded or saved, so that the screen can tell whether
// anything was changed since.
class SavedState {
public:
    explicit SavedState(QWidget *root = nullptr) : m_root(root) {}
    // For a part of a screen built after the screen itself (a frame).
    void setRoot(QWidget *root) { m_root = root; }

    // A field that shows rather than holds the record (a line editor filled
    // from the selected grid row) is left out of the comparison.
    void ignore(QWidget *field) { m_ignored << field; }

    // The present values become the saved ones.
    void markSaved();
    bool changed() const;

private:
    QPointer<QWidget> m_root;
    QList<const QWidget *> m_ignored;
    QStringList m_saved;
};

// The values SavedState compares, in the order the widgets were made.
QStringList editedValues(const QWidget *root, const QList<const QWidget *> &ignored = {});

} // namespace shell
