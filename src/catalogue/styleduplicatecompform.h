#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace catalogue {

// The component line whose operations are copied.
struct DuplicateSource {
    QString styleText; // "Name-Type"
    QString styleId;
    QString componentText; // "ID-Description"
    QString componentId;
    QString lineId; // StyleComponent.ID
};

// frmStyleDuplicateComp, "Duplicate Style Components": copies the operations
// of one component line to the lines of the same component in other styles,
// replacing theirs.
class StyleDuplicateCompForm : public QWidget {
    Q_OBJECT
public:
    explicit StyleDuplicateCompForm(QWidget *parent = nullptr);

    // Shows the source and lists the candidate styles. Throws data::DbError.
    void setSource(const DuplicateSource &source);
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
