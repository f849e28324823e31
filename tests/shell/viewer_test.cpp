// The one Report Viewer: shows the current report, pages through it, exports it.
#include "reporting/report.h"
#include "shell/mainwindow.h"
#include "shell/viewer.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace reporting;
using namespace shell;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

ReportPtr numbersReport(int rows, const QString &title)
{
    auto d = std::make_shared<ReportDefinition>();
    d->name = s("crptNumbers");
    d->caption = s("Numbers");
    d->fields = {{s("N"), FieldType::Integer}};
    d->bands.push_back(companyHeadingBand(d->contentWidth(), s("Numbers")));
    Band t;
    t.kind = BandKind::ReportHeader;
    t.elements.push_back(textObject(s("txtTitle"), 0, 0, 200));
    d->bands.push_back(t);
    d->bands.push_back(detailBand({{s("N"), s("N"), 80, Format::Integer}}));
    d->bands.push_back(pageFooterBand(d->contentWidth()));
    auto r = std::make_shared<Report>(d);
    ReportTable table{{s("N")}, {}};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({i});
    SetReportData(r, table);
    LoadReportData(r);
    SetReportText(r, s("txtTitle"), title);
    return r;
}

class ViewerTest : public ::testing::Test {
protected:
    void TearDown() override { delete Viewer::instance(); }
};

TEST_F(ViewerTest, ShowingAnotherReportReplacesTheOneShown)
{
    const ReportPtr first = numbersReport(200, s("First"));
    ShowReport(first);
    Viewer *viewer = Viewer::instance();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->objectName(), s("Viewer"));
    EXPECT_EQ(viewer->windowTitle(), s("Report Viewer"));
    EXPECT_EQ(viewer->report(), first);
    ASSERT_GT(viewer->pageCount(), 2);
    EXPECT_EQ(viewer->lblPageCount->text().trimmed(), QStringLiteral("of %1").arg(viewer->pageCount()));

    QTest::mouseClick(viewer->btnNext, Qt::LeftButton);
    EXPECT_EQ(viewer->currentPage(), 1);
    EXPECT_EQ(viewer->spnPage->value(), 2);
    QTest::mouseClick(viewer->btnLast, Qt::LeftButton);
    EXPECT_EQ(viewer->currentPage(), viewer->pageCount() - 1);
    EXPECT_FALSE(viewer->btnNext->isEnabled());
    viewer->spnPage->setValue(2);
    EXPECT_EQ(viewer->currentPage(), 1);
    QTest::mouseClick(viewer->btnFirst, Qt::LeftButton);
    EXPECT_EQ(viewer->currentPage(), 0);
    EXPECT_FALSE(viewer->btnPrevious->isEnabled());

    const ReportPtr second = numbersReport(3, s("Second"));
    ShowReport(second);
    EXPECT_EQ(Viewer::instance(), viewer) << "a second viewer window was opened";
    EXPECT_EQ(viewer->report(), second);
    EXPECT_EQ(viewer->pageCount(), 1);
    EXPECT_EQ(viewer->currentPage(), 0);
}

TEST_F(ViewerTest, ZoomChangesThePageImage)
{
    ShowReport(numbersReport(5, s("Zoom")));
    Viewer *viewer = Viewer::instance();
    viewer->setZoom(1.0);
    const int width100 = viewer->lblPage->pixmap().width();
    QTest::mouseClick(viewer->btnZoomIn, Qt::LeftButton);
    EXPECT_NEAR(viewer->zoom(), 1.25, 0.001);
    EXPECT_GT(viewer->lblPage->pixmap().width(), width100);
    EXPECT_EQ(viewer->cmbZoom->currentText(), s("125%"));
}

TEST_F(ViewerTest, ExportsWriteThePdfAndTheCsv)
{
    ShowReport(numbersReport(3, s("Export")));
    Viewer *viewer = Viewer::instance();
    QTemporaryDir dir;
    const QString pdf = QDir(dir.path()).filePath(s("out.pdf"));
    const QString csv = QDir(dir.path()).filePath(s("out.csv"));
    viewer->exportPdf(pdf);
    viewer->exportCsv(csv);
    QFile p(pdf), c(csv);
    ASSERT_TRUE(p.open(QIODevice::ReadOnly));
    EXPECT_TRUE(p.read(5) == "%PDF-");
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(c.readAll()), s("N\n0\n1\n2\n"))
        << "a spreadsheet gets the header line and the rows only";
    EXPECT_THROW(viewer->exportCsv(s("/nonexistent-folder/out.csv")), ReportError);
}

TEST_F(ViewerTest, HostPlacesTheViewer)
{
    QWidget *hosted = nullptr;
    setViewerHost([&hosted](QWidget *v) { hosted = v; });
    ShowReport(numbersReport(1, s("Hosted")));
    setViewerHost({});
    EXPECT_EQ(hosted, Viewer::instance());
}

TEST_F(ViewerTest, AReportComesToTheFrontRestoredOverAnotherChildWindow)
{
    MainWindow window;
    setViewerHost([&window](QWidget *v) { window.addChild(v)->show(); });
    window.show();
    QApplication::setActiveWindow(&window);
    ShowReport(numbersReport(1, s("First")));
    auto *viewerFrame = qobject_cast<QMdiSubWindow *>(Viewer::instance()->parentWidget());
    ASSERT_NE(viewerFrame, nullptr);
    QMdiSubWindow *other = window.addChild(new QWidget);
    other->show();
    for (bool minimised : {false, true}) {
        SCOPED_TRACE(minimised ? "minimised" : "behind");
        if (minimised)
            viewerFrame->showMinimized();
        window.workArea()->setActiveSubWindow(other);
        QApplication::processEvents();
        ASSERT_EQ(window.workArea()->activeSubWindow(), other);
        ShowReport(numbersReport(1, s("Next")));
        EXPECT_EQ(window.workArea()->activeSubWindow(), viewerFrame);
        EXPECT_FALSE(viewerFrame->isMinimized());
    }
    setViewerHost({});
    delete Viewer::instance();
}

} // namespace
