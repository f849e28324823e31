#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace catalogue {

struct CatalogueLists;

// The "Bun/Fiber Entry" tab: the buns components are cut from.
class BunEntry : public QWidget {
    Q_OBJECT
public:
    explicit BunEntry(QWidget *parent = nullptr);
    void fill(const CatalogueLists &lists);

    QComboBox *cmbBunID = nullptr;
    QCheckBox *chkOffAll = nullptr;
    QLineEdit *txtBunWidth = nullptr;
    QLineEdit *txtBunLength = nullptr;
    QLineEdit *txtBunGrade = nullptr;
    QComboBox *cmbBunVendor = nullptr;
    QComboBox *cmbBunStatus = nullptr;
    QPushButton *btnBunSave = nullptr;
    QPushButton *btnBunExit = nullptr;

signals:
    void catalogueChanged();

private:
    void bunIdChanged();
    void saveBun();
};

} // namespace catalogue
