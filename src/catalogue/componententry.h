#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace catalogue {

struct CatalogueLists;

// The "Component Entry" tab: the parts that make up styles.
class ComponentEntry : public QWidget {
    Q_OBJECT
public:
    explicit ComponentEntry(QWidget *parent = nullptr);
    void fill(const CatalogueLists &lists);

    QComboBox *cmbComponentID = nullptr;
    QLineEdit *txtComponentDescription = nullptr;
    QLineEdit *txtComponentThickness = nullptr;
    QLineEdit *txtComponentWidth = nullptr;
    QLineEdit *txtComponentLength = nullptr;
    QComboBox *cmbCutStyle = nullptr;
    QComboBox *cmbTest = nullptr;
    QLineEdit *txtTestRange = nullptr;
    QLineEdit *txtComponentTopped = nullptr;
    QComboBox *cmbPrintShipping = nullptr;
    QComboBox *cmbArm = nullptr;
    QComboBox *cmbTie = nullptr;
    QComboBox *cmbComponentBun = nullptr;
    QLineEdit *txtRailsPerBun = nullptr;
    QLineEdit *txtPiecesPerRail = nullptr;
    QComboBox *cmbComponentStatus = nullptr;
    QComboBox *cmbPlant = nullptr;
    QLineEdit *txtQtyPerBuggy = nullptr;
    QPushButton *btnComponentSave = nullptr;
    QPushButton *btnComponentExit = nullptr;

signals:
    void catalogueChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clearFields();
    void componentIdChanged();
    void saveComponent();
    bool qtyPerBuggyLeft();
};

} // namespace catalogue
