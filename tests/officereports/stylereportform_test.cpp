// The "Style Selection" screen driven as a user drives it.
#include "data/database.h"
#include "data/demoplant.h"
#include "officereports/listings.h"
#include "officereports/stylereportform.h"
#include "shell/viewer.h"
#include "core/companysettings.h"
#include "shell/messages.h"
#include "shell/typeahead.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace officereports;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

QStringList items(const QComboBox *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

void choose(QComboBox *list, const QString &text)
{
    const int i = list->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    list->setCurrentIndex(i);
}

class StyleReportFormTest : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        data::addDemoPlant(db());
        core::LoadCompanySettings(db());
        m_form = new StyleReportForm;
        m_form->load();
        m_form->show();
    }
    void TearDown() override
    {
        delete m_form.data();
        delete shell::Viewer::instance();
        ScreenTest::TearDown();
    }

    QPointer<StyleReportForm> m_form;
    shell::MessageRecorder m_messages;
};

TEST_F(StyleReportFormTest, OpensWithEveryCustomerAndTheAllEntries)
{
    EXPECT_EQ(m_form->objectName(), s("frmStyleReport"));
    EXPECT_EQ(m_form->windowTitle(), s("Style Selection"));
    EXPECT_EQ(items(m_form->cmbCustomer),
              (QStringList{s("***All Customers***"), s("Amberline Furniture"), s("Cedar Ridge Seating"),
                           s("Lakeside Recliners"), s("Summit Sofa Works")}));
    EXPECT_EQ(m_form->cmbCustomer->currentText(), s("***All Customers***"));
    EXPECT_EQ(items(m_form->cmbStyle), QStringList{s("***All Styles***")});
    EXPECT_EQ(items(m_form->cmbType), QStringList{s("***All Types***")});
}

TEST_F(StyleReportFormTest, ChoosingNarrowsTheListsBelow)
{
    choose(m_form->cmbCustomer, s("Amberline Furniture"));
    EXPECT_EQ(items(m_form->cmbStyle), (QStringList{s("***All Styles***"), s("1200"), s("A-300")}));
    EXPECT_EQ(m_form->cmbStyle->currentText(), s("***All Styles***"));
    choose(m_form->cmbStyle, s("1200"));
    EXPECT_EQ(items(m_form->cmbType), (QStringList{s("***All Types***"), s("LOVE"), s("SOFA")}));
    EXPECT_EQ(m_form->cmbType->currentText(), s("***All Types***"));
    choose(m_form->cmbType, s("SOFA"));

    // Back to all styles: no type of the old style stays behind, and the
    // "all" entry is not listed twice.
    choose(m_form->cmbStyle, s("***All Styles***"));
    EXPECT_EQ(items(m_form->cmbType), QStringList{s("***All Types***")});

    // A customer without styles: only the "all" entries.
    choose(m_form->cmbCustomer, s("Lakeside Recliners"));
    EXPECT_EQ(items(m_form->cmbStyle), QStringList{s("***All Styles***")});
    EXPECT_EQ(items(m_form->cmbType), QStringList{s("***All Types***")});
    choose(m_form->cmbCustomer, s("***All Customers***"));
    EXPECT_EQ(items(m_form->cmbStyle), QStringList{s("***All Styles***")});
}

TEST_F(StyleReportFormTest, PrintShowsTheListingInTheViewerAndCloses)
{
    choose(m_form->cmbCustomer, s("Amberline Furniture"));
    choose(m_form->cmbStyle, s("1200"));
    choose(m_form->cmbType, s("LOVE"));
    QTest::mouseClick(m_form->btnPrint, Qt::LeftButton);
    EXPECT_EQ(m_messages.count(), 0) << m_messages.last().text.toStdString();
    shell::Viewer *viewer = shell::Viewer::instance();
    ASSERT_NE(viewer, nullptr);
    ASSERT_NE(viewer->report(), nullptr);
    EXPECT_EQ(viewer->report()->name(), s("crptStyleListing"));
    const reporting::BoundData &data = viewer->report()->data();
    ASSERT_GT(data.rowCount(), 0);
    for (int r = 0; r < data.rowCount(); ++r)
        EXPECT_EQ(data.value(r, s("Type")).toString(), s("LOVE"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_form.isNull() || !m_form->isVisible());
}

TEST_F(StyleReportFormTest, EnterInAListSearchesAndPrintsNothing)
{
    shell::resetTypeAhead();
    m_form->cmbCustomer->setFocus();
    QTest::keyClicks(m_form->cmbCustomer, s("Ce"));
    EXPECT_EQ(m_form->cmbCustomer->currentText(), s("Cedar Ridge Seating"));
    for (QComboBox *list : {m_form->cmbCustomer, m_form->cmbStyle, m_form->cmbType})
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(list, key);
    QCoreApplication::processEvents();
    EXPECT_EQ(shell::Viewer::instance(), nullptr);
    ASSERT_FALSE(m_form.isNull());
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_EQ(m_form->cmbCustomer->currentText(), s("Cedar Ridge Seating"));
}

TEST_F(StyleReportFormTest, CancelClosesWithoutAReport)
{
    QTest::mouseClick(m_form->btnCancel, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_form.isNull() || !m_form->isVisible());
    EXPECT_EQ(shell::Viewer::instance(), nullptr);
}

} // namespace
