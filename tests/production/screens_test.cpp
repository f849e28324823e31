// The report selection and order selection screens, headless: what they list,
// what Print writes to the print folder, and what they say when there is
// nothing to print.
#include "app/screens.h"
#include "production/orderselectionform.h"
#include "production/paperwork.h"
#include "production/printorderreportsform.h"
#include "production/productionmenu.h"
#include "productionfixture.h"
#include "reporting/reportsinks.h"
#include "shell/viewer.h"
#include "core/companysettings.h"
#include "shell/grid.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/printing.h"
#include "support/cli.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace fixture;
using namespace production;

namespace {

class ProductionScreens : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        addPlant(db());
        addSofaOrder(db());
        core::LoadCompanySettings(db());
        reporting::setPrintFolder(m_print.path(), reporting::PrintFormat::Csv);
        m_main = std::make_unique<shell::MainWindow>();
        app::registerScreens(*m_main);
        m_main->resize(1200, 900);
        m_main->show();
    }
    void TearDown() override
    {
        reporting::setPrintFolder({});
        m_main.reset();
        ScreenTest::TearDown();
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    PrintOrderReportsForm *selection()
    {
        openReportSelection(1001);
        return qobject_cast<PrintOrderReportsForm *>(m_main->openedScreen(s("frmPrintOrderReports")));
    }
    QStringList printed() const { return QDir(m_print.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir m_print;
    std::unique_ptr<shell::MainWindow> m_main;
    shell::MessageRecorder m_messages;
};

TEST_F(ProductionScreens, ReportSelectionListsTheOrdersComponentsAllMarked)
{
    PrintOrderReportsForm *f = selection();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), s("Report Selection"));
    EXPECT_EQ(f->txtOrderID->text(), s("1001"));
    EXPECT_EQ(f->cmbPlant->count(), 2);
    // Two lines of a style of six components.
    ASSERT_EQ(f->vsfgComponents->rowCount(), 12);
    EXPECT_EQ(f->vsfgComponents->cell(0, PrintOrderReportsForm::ColStyle), s("1200-SOFA"));
    EXPECT_EQ(f->vsfgComponents->cell(0, PrintOrderReportsForm::ColComponentName), s("Seat cushion"));
    EXPECT_EQ(f->vsfgComponents->cell(0, PrintOrderReportsForm::ColQty), s("20"));
    EXPECT_FALSE(f->vsfgComponents->isColumnHidden(PrintOrderReportsForm::ColPrint));
    EXPECT_TRUE(f->vsfgComponents->isColumnHidden(PrintOrderReportsForm::ColStyleComponentID));
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(f->vsfgComponents->item(r, 0)->checkState(), Qt::Checked);
    for (int box = 1; box <= kReportBoxes; ++box) {
        auto *chk = f->findChild<QCheckBox *>(s("chk%1").arg(box));
        ASSERT_TRUE(chk);
        EXPECT_TRUE(chk->isChecked());
    }
    EXPECT_EQ(f->chk[19]->text(), s("Buggy Ticket Reports"));
    QTest::mouseClick(f->btnUnMarkAll, Qt::LeftButton);
    EXPECT_FALSE(f->chk[7]->isChecked());
    QTest::mouseClick(f->btnMarkAll, Qt::LeftButton);
    EXPECT_TRUE(f->chk[7]->isChecked());

    // Opened again (another order saved): the plants are listed once.
    openReportSelection(1001);
    EXPECT_EQ(m_main->openedScreen(s("frmPrintOrderReports")), f);
    EXPECT_EQ(f->cmbPlant->count(), 2);
}

TEST_F(ProductionScreens, PrintWritesEveryCopyOfTheRunInOrder)
{
    PrintOrderReportsForm *f = selection();
    ASSERT_TRUE(f);
    f->txtHeader->setText(s("-B"));
    QTest::mouseClick(f->btnPrint, Qt::LeftButton);
    ASSERT_EQ(m_messages.count(), 1);
    EXPECT_EQ(m_messages.last().text,
              s("48 copies were saved as CSV files in %1.").arg(QDir::toNativeSeparators(m_print.path())));
    const QStringList files = printed();
    ASSERT_EQ(files.size(), 48);
    EXPECT_EQ(files.front(), s("001-crptOrder-Order Report.csv"));
    EXPECT_EQ(files.back(), s("048-crptSummary-Summary Shipping-South.csv"));
    // The screen stays open for another print.
    EXPECT_TRUE(m_main->openedScreen(s("frmPrintOrderReports")));
}

TEST_F(ProductionScreens, NothingMarkedPrintsTheOrderReportAlone)
{
    PrintOrderReportsForm *f = selection();
    ASSERT_TRUE(f);
    QTest::mouseClick(f->btnUnMarkAllGrid, Qt::LeftButton);
    QTest::mouseClick(f->btnPrint, Qt::LeftButton);
    ASSERT_EQ(m_messages.count(), 2);
    EXPECT_EQ(m_messages.messages()[0].title, s("Report Selection"));
    EXPECT_EQ(m_messages.messages()[0].text, s("No components are marked for printing."));
    EXPECT_EQ(printed(), QStringList{s("001-crptOrder-Order Report.csv")});

    // One of two rows of a component line still prints it for both lines.
    QTest::mouseClick(f->btnMarkAllGrid, Qt::LeftButton);
    f->checkOnly({7});
    for (int r = 6; r < 12; ++r)
        f->vsfgComponents->item(r, 0)->setCheckState(Qt::Unchecked);
    for (const QString &file : printed())
        QFile::remove(QDir(m_print.path()).filePath(file));
    QTest::mouseClick(f->btnPrint, Qt::LeftButton);
    EXPECT_EQ(printed(),
              (QStringList{s("001-crptBandSaw-Band Saw 1-North.csv"), s("002-crptBandSaw-Band Saw 2-South.csv")}));
}

TEST_F(ProductionScreens, TheKeyboardMarksRowsAndTypedOrdersListTheirLines)
{
    PrintOrderReportsForm *f = selection();
    ASSERT_TRUE(f);
    f->SSTab1->setCurrentIndex(1);
    f->vsfgComponents->setFocus();
    f->vsfgComponents->setCurrentCell(2, PrintOrderReportsForm::ColStyle);
    QTest::keyClick(f->vsfgComponents, Qt::Key_Space);
    EXPECT_EQ(f->vsfgComponents->item(2, 0)->checkState(), Qt::Unchecked);
    QTest::keyClick(f->vsfgComponents, Qt::Key_Space);
    EXPECT_EQ(f->vsfgComponents->item(2, 0)->checkState(), Qt::Checked);

    const qint64 chair = addStyle(db(), s("Amberline"), s("77"), s("CHAIR"));
    addLine(db(), chair, "BACK", 1);
    addOrder(db(), 1002, s("Amberline"));
    addItem(db(), 1002, 1, "L1", 3, chair);
    f->txtOrderID->setText(s("1002"));
    // Print before the new order's lines are listed refuses.
    QTest::mouseClick(f->btnPrint, Qt::LeftButton);
    EXPECT_TRUE(m_messages.last().text.contains(s("not that of order 1002"))) << m_messages.last().text.toStdString();
    EXPECT_TRUE(printed().isEmpty());
    // Enter lists the typed order's lines, then prints them.
    f->txtOrderID->setFocus();
    QTest::keyClick(f->txtOrderID, Qt::Key_Return);
    ASSERT_EQ(f->vsfgComponents->rowCount(), 1);
    EXPECT_EQ(f->vsfgComponents->cell(0, PrintOrderReportsForm::ColStyle), s("77-CHAIR"));
    EXPECT_EQ(f->cmbPlant->count(), 2);
    EXPECT_FALSE(printed().isEmpty());
    EXPECT_TRUE(printed().first().contains(s("crptOrder"))) << printed().first().toStdString();
}

TEST_F(ProductionScreens, EnterPrintsAndEscapeClosesAnOpenListFirst)
{
    PrintOrderReportsForm *f = selection();
    ASSERT_TRUE(f);
    QTest::mouseClick(f->btnUnMarkAll, Qt::LeftButton);
    f->chk[1]->setChecked(true);
    f->chk[7]->setChecked(false);
    f->txtHeader->setFocus();
    QTest::keyClicks(f->txtHeader, s("-B"));
    QTest::keyClick(f->txtHeader, Qt::Key_Return);
    EXPECT_EQ(printed(), QStringList{s("001-crptOrder-Order Report.csv")});

    // Escape in the open plant list closes the list; the marks stay.
    f->cmbPlant->setFocus();
    f->cmbPlant->showPopup();
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_TRUE(popup);
    QTest::keyClick(popup, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(popup->isVisible());
    ASSERT_EQ(m_main->openedScreen(s("frmPrintOrderReports")), f);
    EXPECT_FALSE(f->chk[7]->isChecked());
    // On the screen itself Escape is Cancel.
    QTest::keyClick(f->cmbPlant, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(m_main->openedScreen(s("frmPrintOrderReports")));
}

TEST_F(ProductionScreens, AnOrderIdThatIsNoOrderPrintsNothing)
{
    PrintOrderReportsForm *f = selection();
    ASSERT_TRUE(f);
    for (const char *typed : {"abc", "4242"}) {
        f->txtOrderID->setText(s(typed));
        QTest::mouseClick(f->btnPrint, Qt::LeftButton);
        EXPECT_EQ(m_messages.last().icon, shell::MessageIcon::Warning);
        EXPECT_TRUE(m_messages.last().text.contains(s(typed))) << m_messages.last().text.toStdString();
    }
    EXPECT_TRUE(printed().isEmpty());
}

TEST_F(ProductionScreens, OrderSelectionOpensReportSelection)
{
    addOrder(db(), 7, s("Amberline"));
    for (const bool shipping : {false, true}) {
        auto *pick = qobject_cast<OrderSelectionForm *>(m_main->openScreen(s(shipping ? "ShippingMgr" : "Production")));
        ASSERT_TRUE(pick);
        EXPECT_EQ(pick->objectName(), s(shipping ? "frmShipMgrReports" : "frmFabMgrReports"));
        EXPECT_EQ(pick->windowTitle(), s("Order Selection"));
        ASSERT_EQ(pick->cmbOrder->count(), 2);
        EXPECT_EQ(pick->cmbOrder->itemText(0), s("Amberline - PO-1001"));
        // Nothing chosen: Print does nothing.
        QTest::mouseClick(pick->btnPrint, Qt::LeftButton);
        EXPECT_FALSE(m_main->openedScreen(s("frmPrintOrderReports")));
        pick->cmbOrder->setCurrentIndex(0);
        QTest::mouseClick(pick->btnPrint, Qt::LeftButton);
        settle();
        auto *f = qobject_cast<PrintOrderReportsForm *>(m_main->openedScreen(s("frmPrintOrderReports")));
        ASSERT_TRUE(f);
        EXPECT_FALSE(m_main->openedScreen(s(shipping ? "ShippingMgr" : "Production")));
        EXPECT_EQ(f->txtOrderID->text(), s("1001"));
        EXPECT_EQ(f->cmbPlant->count(), 2);
        for (int box = 1; box <= kReportBoxes; ++box)
            EXPECT_EQ(f->chk[box]->isChecked(), !shipping || box >= 17) << box;
        f->close();
        settle();
    }
    EXPECT_TRUE(printed().isEmpty());
}

TEST_F(ProductionScreens, OrderEntryControlReportShowsTheChosenOrder)
{
    auto *pick = qobject_cast<OrderSelectionForm *>(m_main->openScreen(s("OrderEntryControlReport")));
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->objectName(), s("frmOrderEntryReport"));
    pick->cmbOrder->setCurrentIndex(0);
    QTest::mouseClick(pick->btnPrint, Qt::LeftButton);
    settle();
    shell::Viewer *viewer = shell::Viewer::instance();
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->report()->name(), s("crptOrder"));
    EXPECT_EQ(viewer->report()->texts().value(s("txtDepartment")), s("Office Manager"));
    EXPECT_FALSE(m_main->openedScreen(s("OrderEntryControlReport")));
    EXPECT_TRUE(printed().isEmpty());
}

TEST_F(ProductionScreens, WithoutAPrinterTheCopiesGoToAFolderThePersonPicksOnce)
{
    if (reporting::printerAvailable())
        GTEST_SKIP() << "this machine has a printer";
    reporting::setPrintFolder({});
    const testsupport::ScopedEnv noFolder("BUNLINE_PRINT_DIR", {});
    const QString before = shell::savedPrintFolder();
    shell::setSavedPrintFolder({});
    QTemporaryDir picked;
    QStringList starts;
    shell::setFolderChooser([&](const QString &, const QString &start) {
        starts << start;
        return picked.path();
    });
    PrintOrderReportsForm *f = selection();
    ASSERT_TRUE(f);
    f->checkOnly({7});
    const QString said = s("2 copies were saved as PDF files in %1.").arg(QDir::toNativeSeparators(picked.path()));
    const auto files = [&] { return QDir(picked.path()).entryList(QDir::Files, QDir::Name); };

    // Asked first; Yes picks the folder, which is remembered.
    m_messages.answer(shell::MessageAnswer::Yes);
    QTest::mouseClick(f->btnPrint, Qt::LeftButton);
    ASSERT_EQ(m_messages.count(), 2);
    EXPECT_EQ(m_messages.messages()[0].text,
              s("No printer is installed on this workstation. Save the copies as PDF files in a folder instead?"));
    EXPECT_EQ(m_messages.last().text, said);
    EXPECT_EQ(files(),
              (QStringList{s("001-crptBandSaw-Band Saw 1-North.pdf"), s("002-crptBandSaw-Band Saw 2-South.pdf")}));
    EXPECT_EQ(shell::savedPrintFolder(), picked.path());
    EXPECT_EQ(starts.size(), 1);

    // The next run (the next session) goes there without asking.
    reporting::setPrintFolder({});
    m_messages.clear();
    QTest::mouseClick(f->btnPrint, Qt::LeftButton);
    ASSERT_EQ(m_messages.count(), 1);
    EXPECT_EQ(m_messages.last().text, said);
    EXPECT_EQ(files().size(), 4);

    // Declined, or the picker cancelled: nothing prints and nothing is lost silently.
    for (const bool cancelPicker : {false, true}) {
        reporting::setPrintFolder({});
        shell::setSavedPrintFolder({});
        m_messages.clear();
        if (cancelPicker) {
            shell::setFolderChooser([](const QString &, const QString &) { return QString(); });
            m_messages.answer(shell::MessageAnswer::Yes);
        } else {
            m_messages.answer(shell::MessageAnswer::No);
        }
        QTest::mouseClick(f->btnPrint, Qt::LeftButton);
        EXPECT_EQ(m_messages.count(), 1) << cancelPicker;
        EXPECT_EQ(files().size(), 4) << cancelPicker;
        EXPECT_TRUE(shell::savedPrintFolder().isEmpty());
    }

    // File > Print Folder changes it.
    shell::setFolderChooser([&](const QString &, const QString &) { return m_print.path(); });
    m_main->choose(s("mnuPrintFolder"));
    EXPECT_EQ(shell::savedPrintFolder(), m_print.path());
    EXPECT_EQ(reporting::printFolder(), m_print.path());

    shell::setFolderChooser({});
    shell::setSavedPrintFolder(before);
}

TEST(LargeRuns, AreConfirmedWithTheirCountAndTheBuggyTickets)
{
    const reporting::ReportPtr ticket = reporting::CreateReport(s("crptBuggySheetReport"));
    const reporting::ReportPtr sheet = reporting::CreateReport(s("crptBandSaw"));
    const struct {
        int tickets, others;
        const char *question;
    } cases[] = {
        {0, 500, ""},
        {499, 1, ""},
        {0, 501, "This prints 501 copies. Print them?"},
        {10255, 34, "This prints 10,289 copies, 10,255 of them buggy tickets. Print them?"},
    };
    for (const auto &c : cases) {
        Printout out;
        for (int i = 0; i < c.others; ++i)
            out.add(sheet);
        for (int i = 0; i < c.tickets; ++i)
            out.add(ticket, s("North"));
        EXPECT_EQ(largeRunQuestion(out), s(c.question)) << c.tickets << "+" << c.others;
    }
}

} // namespace
