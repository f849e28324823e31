#include "core/clock.h"
#include "core/cursor.h"
#include "shell/messages.h"

#include "support/testdatabase.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace shell;
using namespace core;

TEST(Messages, RecordsEveryMessageAndAnswersFromTheQueueInOrder)
{
    MessageRecorder recorder;
    recorder.answer(MessageAnswer::No);
    recorder.answer(MessageAnswer::Cancel);
    EXPECT_EQ(showMessage("Delete", "Delete it?", MessageIcon::Question, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(showMessage("Save", "Save first?", MessageIcon::None, MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    // With the queue used up the first button answers.
    EXPECT_TRUE(askYesNo("Again", "Once more?"));
    showWarning("Invalid Permission", "You do not have permission to view this screen.");

    ASSERT_EQ(recorder.count(), 4);
    const ShownMessage &first = recorder.messages()[0];
    EXPECT_EQ(first.title, "Delete");
    EXPECT_EQ(first.text, "Delete it?");
    EXPECT_EQ(first.icon, MessageIcon::Question);
    EXPECT_EQ(first.buttons, MessageButtons::YesNo);
    EXPECT_EQ(recorder.last().icon, MessageIcon::Warning);
    EXPECT_EQ(recorder.last().buttons, MessageButtons::Ok);
    EXPECT_EQ(recorder.unusedAnswers(), 0);
}

TEST(Messages, NestedRecorderTakesOverAndGivesBack)
{
    MessageRecorder outer;
    {
        MessageRecorder inner;
        showMessage("A", "inner");
        EXPECT_EQ(inner.count(), 1);
    }
    showMessage("B", "outer");
    ASSERT_EQ(outer.count(), 1);
    EXPECT_EQ(outer.last().text, "outer");
}

class DbErrorReport : public testsupport::ScreenTest {};

TEST_F(DbErrorReport, ShowsTheDatabaseTextAndCarriesOn)
{
    MessageRecorder recorder;
    int busyAfter = -1;
    const bool ok = reportingDbErrors([&] {
        BusyCursor busy;
        db().execute("UPDATE NoSuchTable SET X = 1");
    });
    busyAfter = busyCursorDepth();
    EXPECT_FALSE(ok);
    EXPECT_EQ(busyAfter, 0) << "the hourglass must go when the work fails";
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().icon, MessageIcon::Critical);
    EXPECT_TRUE(recorder.last().text.contains("NoSuchTable")) << recorder.last().text.toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The connection is still usable afterwards.
    EXPECT_TRUE(reportingDbErrors([&] { db().query("SELECT COUNT(*) AS N FROM Customer"); }));
    EXPECT_EQ(recorder.count(), 1);
}

TEST(BusyCursorGuard, CountsAndRestores)
{
    const int before = busyCursorCount();
    {
        BusyCursor outer;
        BusyCursor inner;
        EXPECT_EQ(busyCursorDepth(), 2);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(busyCursorDepth(), 0);
    EXPECT_EQ(busyCursorCount(), before + 2);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Clock, ManualClockStandsAndMoves)
{
    ManualClock clock(QDateTime(QDate(2016, 8, 29), QTime(23, 59, 59, 500)));
    EXPECT_EQ(currentDate(), QDate(2016, 8, 29));
    EXPECT_DOUBLE_EQ(secondsSinceMidnight(), 86399.5);
    clock.advance(0.75);
    EXPECT_EQ(currentDate(), QDate(2016, 8, 30));
    EXPECT_DOUBLE_EQ(secondsSinceMidnight(), 0.25);
}
