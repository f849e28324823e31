#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace catalogue {

struct CatalogueLists;

// The "Operation Entry" tab: the stations (Operation rows) and the report each
// one's work is printed on.
class StationEntry : public QWidget {
    Q_OBJECT
public:
    explicit StationEntry(QWidget *parent = nullptr);
    void fill(const CatalogueLists &lists);

    QComboBox *cmbStationName = nullptr;
    QComboBox *cmbReportName = nullptr;
    QLineEdit *txtTeams = nullptr;
    QComboBox *cmbOperationStatus = nullptr;
    QPushButton *btnOperationSave = nullptr;
    QPushButton *btnOperationExit = nullptr;

signals:
    void catalogueChanged();

private:
    void stationChanged();
    void clearFields();
    void saveStation();
};

} // namespace catalogue
