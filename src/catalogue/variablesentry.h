#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace catalogue {

struct CatalogueLists;

// The "Variables" tab: the costing variables (the Data row) and the plants.
class VariablesEntry : public QWidget {
    Q_OBJECT
public:
    explicit VariablesEntry(QWidget *parent = nullptr);
    // Throws data::DbError.
    void fill(const CatalogueLists &lists);

    QLineEdit *txtLaborCostPerHour = nullptr;
    QLineEdit *txtNonArmsPerHour = nullptr;
    QLineEdit *txtSLNonArmsPerHour = nullptr;
    QLineEdit *txtLaborPercent = nullptr;
    QPushButton *btnVariableSave = nullptr;
    QPushButton *btnVariableExit = nullptr;
    QLineEdit *txtPlant = nullptr;
    QPushButton *btnAddPlant = nullptr;
    QListWidget *lstPlant = nullptr;

signals:
    void catalogueChanged();

private:
    void saveVariables();
    void addPlant();
};

} // namespace catalogue
