#include "officereports/stylereportform.h"

#include "data/database.h"
#include "data/quoting.h"
#include "officereports/listings.h"
#include "reporting/reportdefinition.h"
#include "shell/defaultbutton.h"
#include "shell/formlayout.h"
#include "shell/messages.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace officereports {

namespace {

QComboBox *makeList(QWidget *parent, const char *name)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setMinimumWidth(220);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    shell::attachTypeAhead(list);
    return list;
}

QStringList firstColumn(data::Database &db, const QString &statement)
{
    QStringList values;
    data::Recordset rs = db.query(statement);
    for (const auto &row : rs.rows())
        values << row.front().toString();
    return values;
}

} // namespace

StyleReportForm::StyleReportForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmStyleReport"));
    setWindowTitle(QStringLiteral("Style Selection"));
    setAttribute(Qt::WA_DeleteOnClose);

    cmbCustomer = makeList(this, "cmbCustomer");
    cmbStyle = makeList(this, "cmbStyle");
    cmbType = makeList(this, "cmbType");
    btnPrint = new QPushButton(QStringLiteral("Print"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *grid = new QGridLayout;
    int row = 0;
    for (auto [caption, list] :
         {std::pair{"Customer", cmbCustomer}, std::pair{"Style", cmbStyle}, std::pair{"Type", cmbType}}) {
        auto *l = new QLabel(QString::fromLatin1(caption), this);
        l->setBuddy(list);
        grid->addWidget(l, row, 0);
        grid->addWidget(list, row, 1);
        ++row;
    }
    auto *buttons = shell::buttonRow({btnPrint, btnCancel});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    setTabOrder(cmbCustomer, cmbStyle);
    setTabOrder(cmbStyle, cmbType);
    setTabOrder(cmbType, btnPrint);
    setTabOrder(btnPrint, btnCancel);

    connect(cmbCustomer, &QComboBox::currentIndexChanged, this, [this] { customerChosen(); });
    connect(cmbStyle, &QComboBox::currentIndexChanged, this, [this] { styleChosen(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { printClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    // Enter in a list belongs to its type-ahead search; anywhere else it
    // prints. Escape cancels.
    shell::attachDefaultButton(this, btnPrint);
    shell::attachCancelButton(this, btnCancel);
}

data::Database &StyleReportForm::db()
{
    return data::sharedDatabase();
}

void StyleReportForm::load()
{
    const QSignalBlocker blockCustomer(cmbCustomer), blockStyle(cmbStyle), blockType(cmbType);
    cmbCustomer->clear();
    cmbCustomer->addItem(QString::fromLatin1(kAllCustomers));
    cmbCustomer->addItems(firstColumn(db(), QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer")));
    cmbCustomer->setCurrentIndex(0);
    cmbStyle->clear();
    cmbStyle->addItem(QString::fromLatin1(kAllStyles));
    cmbType->clear();
    cmbType->addItem(QString::fromLatin1(kAllTypes));
}

void StyleReportForm::customerChosen()
{
    shell::reportingDbErrors(
        [this] {
            const QString customer = cmbCustomer->currentText();
            {
                const QSignalBlocker block(cmbStyle);
                cmbStyle->clear();
                cmbStyle->addItem(QString::fromLatin1(kAllStyles));
                if (customer != QLatin1String(kAllCustomers))
                    cmbStyle->addItems(
                        firstColumn(db(),
                                    QStringLiteral("SELECT DISTINCT Name FROM Style WHERE Customer = %1 ORDER BY Name")
                                        .arg(data::sqlText(customer))));
                cmbStyle->setCurrentIndex(-1);
            }
            cmbStyle->setCurrentIndex(0); // selecting "***All Styles***" resets the type list too
        },
        this);
}

void StyleReportForm::styleChosen()
{
    shell::reportingDbErrors(
        [this] {
            const QString customer = cmbCustomer->currentText();
            const QString style = cmbStyle->currentText();
            const QString allTypes = QString::fromLatin1(kAllTypes);
            if (customer != QLatin1String(kAllCustomers) && style != QLatin1String(kAllStyles) && !style.isEmpty()) {
                cmbType->clear();
                cmbType->addItem(allTypes);
                cmbType->addItems(
                    firstColumn(db(),
                                QStringLiteral("SELECT DISTINCT Type FROM Style WHERE Customer = %1 AND Name = %2 "
                                               "ORDER BY Type")
                                    .arg(data::sqlText(customer), data::sqlText(style))));
            } else if (cmbType->findText(allTypes) < 0) {
                // The "all" entry is added only when the list lacks it, so it is
                // never listed twice.
                cmbType->addItem(allTypes);
            } else if (cmbType->count() > 1) {
                // A type of another style would narrow the report to a style
                // that is no longer chosen.
                cmbType->clear();
                cmbType->addItem(allTypes);
            }
            cmbType->setCurrentIndex(cmbType->findText(allTypes));
        },
        this);
}

void StyleReportForm::printClicked()
{
    const QString customer = cmbCustomer->currentText();
    const QString style = cmbStyle->currentText();
    const QString type = cmbType->currentText();
    if (customer.isEmpty() || style.isEmpty() || type.isEmpty())
        return;
    try {
        ShowStyleListing(customer, style, type);
    } catch (const data::DbError &e) {
        shell::showDbError(e, this);
        return;
    } catch (const reporting::ReportError &e) {
        shell::showMessage(QStringLiteral("Style Listing"), e.text(), shell::MessageIcon::Warning,
                           shell::MessageButtons::Ok, this);
        return;
    }
    close();
}

} // namespace officereports
