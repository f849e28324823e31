#pragma once

#include "catalogue/cataloguestore.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace catalogue {

// frmStyleDuplicateComp, "Duplicate Style Components": copies the operations
// of one component line to the lines of the same component in other styles,
// replacing theirs.
class StyleDuplicateCompForm : public QWidget {
    Q_OBJECT
public:
    explicit StyleDuplicateCompForm(QWidget *parent = nullptr);

    // Shows the source line as stored (its own style and component) and lists
    // the candidate styles; false, after telling the user, when the line is
    // gone. Throws data::DbError.
    bool setSource(const DuplicateSource &source);
    // Lists every other style with a line of the component. Throws data::DbError.
    void LoadStyles();

    QLabel *lblStyle = nullptr;
    QLabel *lblStyleID = nullptr;
    QLabel *lblComponent = nullptr;
    QLabel *lblComponentID = nullptr;
    QLabel *lblStyleComponentID = nullptr;
    QListWidget *lstStyles = nullptr;
    QListWidget *lstStyleID = nullptr;
    QPushButton *btnSelectAll = nullptr;
    QPushButton *bntSelectNone = nullptr;
    QPushButton *btnDuplicate = nullptr;
    QPushButton *btnExit = nullptr;

signals:
    // The duplication ran (also with nothing selected): the style screen reloads.
    void duplicated();

private:
    void duplicate();
};

} // namespace catalogue
