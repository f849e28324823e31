#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace catalogue {

struct CatalogueLists;

// The "Style-Type Entry" tab: the categories of styles.
class StyleTypeEntry : public QWidget {
    Q_OBJECT
public:
    explicit StyleTypeEntry(QWidget *parent = nullptr);
    void fill(const CatalogueLists &lists);

    QComboBox *cmbTypeID = nullptr;
    QLineEdit *txtTypeDescription = nullptr;
    QComboBox *cmbTypeStatus = nullptr;
    QPushButton *btnTypeSave = nullptr;
    QPushButton *btnTypeExit = nullptr;

signals:
    void catalogueChanged();

private:
    void typeIdChanged();
    void saveType();
};

} // namespace catalogue
