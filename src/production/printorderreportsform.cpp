#include "production/printorderreportsform.h"

#include "data/database.h"
#include "reporting/reportdefinition.h"
#include "core/cursor.h"
#include "shell/formlayout.h"
#include "shell/grid.h"
#include "shell/defaultbutton.h"
#include "shell/messages.h"
#include "shell/printing.h"
#include "shell/typeahead.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>

namespace production {

namespace {

const QString kTitle = QStringLiteral("Report Selection");

QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

class SpaceToggles : public QObject {
public:
    explicit SpaceToggles(shell::Grid *grid) : QObject(grid), m_grid(grid) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Space)
            return QObject::eventFilter(watched, event);
        const int r = m_grid->currentRowIndex();
        if (QTableWidgetItem *item = r >= 0 ? m_grid->item(r, PrintOrderReportsForm::ColPrint) : nullptr)
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        return true;
    }

private:
    shell::Grid *m_grid;
};

QString number(double value)
{
    return QString::number(value, 'f', 0);
}

// Asks before a large run, with its count; No is the default.
bool confirmLargeRun(const Printout &printout, QWidget *parent)
{
    const QString question = largeRunQuestion(printout);
    return question.isEmpty() || shell::askYesDefaultNo(kTitle, question, shell::MessageIcon::Question, parent);
}

} // namespace

PrintOrderReportsForm::PrintOrderReportsForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPrintOrderReports"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);

    txtOrderID = new QLineEdit(this);
    txtOrderID->setObjectName(QStringLiteral("txtOrderID"));
    shell::attachSelectOnFocus(txtOrderID);
    cmbPlant = new QComboBox(this);
    cmbPlant->setObjectName(QStringLiteral("cmbPlant"));
    cmbPlant->setMinimumWidth(160);
    shell::attachTypeAhead(cmbPlant);
    txtHeader = new QLineEdit(this);
    txtHeader->setObjectName(QStringLiteral("txtHeader"));
    shell::attachSelectOnFocus(txtHeader);
    btnPrint = button(this, "btnPrint", "Print");
    btnCancel = button(this, "btnCancel", "Cancel");

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    // Reports: the boxes under their department headings.
    auto *reports = new QWidget(SSTab1);
    auto *reportsLayout = new QGridLayout(reports);
    QGroupBox *group = nullptr;
    QVBoxLayout *groupLayout = nullptr;
    int groups = 0;
    for (int box = 1; box <= kReportBoxes; ++box) {
        if (!group || group->title() != reportBoxHeading(box)) {
            // Admin over Saw in the first column, Fab over Shipping in the second.
            group = new QGroupBox(reportBoxHeading(box), reports);
            groupLayout = new QVBoxLayout(group);
            reportsLayout->addWidget(group, groups % 2, groups / 2, Qt::AlignTop);
            ++groups;
        }
        chk[box] = new QCheckBox(reportBoxCaption(box), group);
        chk[box]->setObjectName(QStringLiteral("chk%1").arg(box));
        chk[box]->setChecked(true);
        groupLayout->addWidget(chk[box]);
    }
    btnMarkAll = button(reports, "btnMarkAll", "Mark All");
    btnUnMarkAll = button(reports, "btnUnMarkAll", "UnMark All");
    auto *markRow = new QHBoxLayout;
    markRow->addWidget(btnMarkAll);
    markRow->addWidget(btnUnMarkAll);
    markRow->addStretch();
    reportsLayout->addLayout(markRow, 2, 0, 1, 2);
    SSTab1->addTab(reports, QStringLiteral("Reports"));

    // Components: the order's component lines, each with its Print mark.
    auto *components = new QWidget(SSTab1);
    vsfgComponents =
        new shell::Grid({QStringLiteral("Print"), QStringLiteral("Item"), QStringLiteral("Line"), QStringLiteral("Qty"),
                         QStringLiteral("Style ID"), QStringLiteral("Style"), QStringLiteral("Style Component ID"),
                         QStringLiteral("Component ID"), QStringLiteral("Component Name")},
                        components);
    vsfgComponents->setObjectName(QStringLiteral("vsfgComponents"));
    for (int c : {ColItem, ColLine, ColQty, ColStyleID, ColStyleComponentID, ColComponentID})
        vsfgComponents->setColumnHidden(c, true);
    btnMarkAllGrid = button(components, "btnMarkAllGrid", "Mark All");
    btnUnMarkAllGrid = button(components, "btnUnMarkAllGrid", "UnMark All");
    auto *componentsLayout = new QVBoxLayout(components);
    componentsLayout->addWidget(vsfgComponents);
    auto *gridButtons = new QHBoxLayout;
    gridButtons->addWidget(btnMarkAllGrid);
    gridButtons->addWidget(btnUnMarkAllGrid);
    gridButtons->addStretch();
    componentsLayout->addLayout(gridButtons);
    SSTab1->addTab(components, QStringLiteral("Components"));

    auto *top = new QGridLayout;
    const std::pair<const char *, QWidget *> fields[] = {{"Order ID:", txtOrderID},
                                                         {"Plant:", cmbPlant},
                                                         {"Order Suffix", txtHeader}};
    int row = 0;
    for (const auto &[caption, widget] : fields) {
        auto *l = new QLabel(QString::fromLatin1(caption), this);
        l->setBuddy(widget);
        top->addWidget(l, row, 0);
        top->addWidget(widget, row, 1);
        ++row;
    }
    auto *buttons = shell::buttonRow({btnPrint, btnCancel});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);
    setTabOrder(txtOrderID, cmbPlant);
    setTabOrder(cmbPlant, txtHeader);
    setTabOrder(txtHeader, SSTab1);
    resize(620, 560);

    connect(btnMarkAll, &QPushButton::clicked, this, [this] { setAllBoxes(true); });
    connect(btnUnMarkAll, &QPushButton::clicked, this, [this] { setAllBoxes(false); });
    connect(btnMarkAllGrid, &QPushButton::clicked, this, [this] { setAllRows(true); });
    connect(btnUnMarkAllGrid, &QPushButton::clicked, this, [this] { setAllRows(false); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { printClicked(); });
    // An order ID typed by hand lists that order's component lines, so that
    // Print never pairs one order with another order's lines.
    connect(txtOrderID, &QLineEdit::editingFinished, this, [this] {
        const std::optional<qint32> id = parseOrderId(txtOrderID->text());
        if (id && *id != m_gridOrder)
            fillGrid(*id);
    });
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    // Enter prints from any field (after an edited Order ID has listed its
    // lines); Escape cancels, and closes only a drop-down list when one is open.
    shell::attachDefaultButton(this, btnPrint);
    shell::attachCancelButton(this, btnCancel);
    // The space bar marks and unmarks the current grid row, whichever of its
    // cells is current.
    vsfgComponents->installEventFilter(new SpaceToggles(vsfgComponents));
}

void PrintOrderReportsForm::FillOrderID(qint64 orderId)
{
    txtOrderID->setText(QString::number(orderId));
    // Opened again for another order: the caller adds every plant again.
    cmbPlant->clear();
    const std::optional<qint32> id = parseOrderId(txtOrderID->text());
    fillGrid(id ? *id : -1);
}

void PrintOrderReportsForm::fillGrid(qint32 orderId)
{
    vsfgComponents->clearRows();
    m_gridOrder = orderId;
    if (orderId < 0)
        return;
    shell::reportingDbErrors(
        [&] {
            for (const OrderComponent &c : orderComponents(data::sharedDatabase(), orderId)) {
                const int r = vsfgComponents->addRow(
                    {QString(), QString::number(c.itemNumber), c.line, number(c.qty), QString::number(c.styleId),
                     c.styleName, QString::number(c.styleComponentId), c.componentId, c.componentName});
                QTableWidgetItem *mark = vsfgComponents->item(r, ColPrint);
                mark->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
                mark->setCheckState(Qt::Checked);
                vsfgComponents->item(r, ColStyle)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                vsfgComponents->item(r, ColComponentName)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            }
            vsfgComponents->fit();
        },
        this);
}

void PrintOrderReportsForm::AddPlant(const QString &plant)
{
    cmbPlant->addItem(plant);
}

void PrintOrderReportsForm::checkOnly(const std::vector<int> &boxes)
{
    setAllBoxes(false);
    for (int box : boxes)
        if (box >= 1 && box <= kReportBoxes)
            chk[box]->setChecked(true);
}

void PrintOrderReportsForm::setAllBoxes(bool checked)
{
    for (int box = 1; box <= kReportBoxes; ++box)
        chk[box]->setChecked(checked);
}

void PrintOrderReportsForm::setAllRows(bool print)
{
    for (int r = 0; r < vsfgComponents->rowCount(); ++r)
        vsfgComponents->item(r, ColPrint)->setCheckState(print ? Qt::Checked : Qt::Unchecked);
}

PaperworkRequest PrintOrderReportsForm::request(data::Database &db) const
{
    PaperworkRequest r;
    r.orderId = checkedOrderId(db, txtOrderID->text());
    if (r.orderId != m_gridOrder)
        throw PaperworkError(QStringLiteral("The component list is not that of order %1. Press Enter in Order ID to "
                                            "list its components, then Print.")
                                 .arg(r.orderId));
    for (int box = 1; box <= kReportBoxes; ++box)
        r.boxes[size_t(box)] = chk[box]->isChecked();
    for (int row = 0; row < vsfgComponents->rowCount(); ++row)
        if (vsfgComponents->item(row, ColPrint)->checkState() == Qt::Checked)
            r.components.push_back(vsfgComponents->cell(row, ColStyleComponentID).toLongLong());
    for (int i = 0; i < cmbPlant->count(); ++i)
        r.plants << cmbPlant->itemText(i);
    r.orderSuffix = txtHeader->text();
    return r;
}

void PrintOrderReportsForm::printClicked()
{
    data::Database &db = data::sharedDatabase();
    Printout printout;
    try {
        PaperworkRequest r;
        {
            core::BusyCursor busy;
            r = request(db);
        }
        if (r.components.empty())
            shell::showMessage(kTitle, QStringLiteral("No components are marked for printing."),
                               shell::MessageIcon::None, shell::MessageButtons::Ok, this);
        core::BusyCursor busy;
        collectPaperwork(printout, db, r);
    } catch (const PaperworkError &e) {
        shell::showMessage(kTitle, e.text(), shell::MessageIcon::Warning, shell::MessageButtons::Ok, this);
        return;
    } catch (const data::DbError &e) {
        shell::showDbError(e, this);
        return;
    } catch (const reporting::ReportError &e) {
        shell::showMessage(kTitle, e.text(), shell::MessageIcon::Warning, shell::MessageButtons::Ok, this);
        return;
    }
    if (printout.isEmpty()) {
        shell::showMessage(kTitle, QStringLiteral("The reports marked have nothing to print for this order."),
                           shell::MessageIcon::Information, shell::MessageButtons::Ok, this);
        return;
    }
    if (!confirmLargeRun(printout, this) || !shell::readyToPrint(kTitle, this))
        return;
    // A full run is dozens of copies: show which one is printing, and let
    // Cancel stop the run once the copy in hand is done.
    QProgressDialog progress(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, printout.count(), this);
    progress.setObjectName(QStringLiteral("dlgPrintProgress"));
    progress.setWindowTitle(kTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    int printed = 0;
    try {
        printed = printCopies(printout, [&](int n, int m, const Copy &copy) {
            progress.setValue(n - 1);
            progress.setLabelText(QStringLiteral("Printing copy %1 of %2: %3").arg(n).arg(m).arg(copyCaption(copy)));
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    } catch (const reporting::ReportError &e) {
        progress.cancel();
        shell::showMessage(kTitle, e.text(), shell::MessageIcon::Warning, shell::MessageButtons::Ok, this);
        return;
    }
    progress.setValue(printout.count());
    if (printed < printout.count())
        shell::showMessage(
            kTitle, QStringLiteral("Printing was cancelled after %1 of %2 copies.").arg(printed).arg(printout.count()),
            shell::MessageIcon::Information, shell::MessageButtons::Ok, this);
    shell::tellWherePrinted(kTitle, printed, this);
}

} // namespace production
