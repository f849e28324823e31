#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace catalogue {

// frmCopyStyle, "Copy Style": a new style of the source's customer under a new
// name and type, with the source's component lines and their operations.
class CopyStyleForm : public QWidget {
    Q_OBJECT
public:
    explicit CopyStyleForm(QWidget *parent = nullptr);

    // Fills the list of style types. Throws data::DbError.
    void load();
    // The style to copy: its "Name-Type" text and its ID.
    void setSource(const QString &styleText, const QString &styleId);

    QLineEdit *txtSource = nullptr;
    QLineEdit *txtStyleID = nullptr;
    QLineEdit *txtName = nullptr;
    QComboBox *cmbType = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnCancel = nullptr;

signals:
    // The copy is made: the style screen shows the customer's new style.
    void styleCopied(const QString &customer, const QString &styleText);

private:
    void save();
};

} // namespace catalogue
