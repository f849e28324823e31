// The one formats module: every screen, report and CSV shows and reads money,
// dates, numbers and flags through it, so a rule changed here changes them all.
#include "core/formats.h"
#include "data/recordset.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Formats, TextOfMoneyNumbersDatesAndFlags)
{
    const struct {
        QString shown, expected;
    } cases[] = {
        {formatMoney(1234.5), "$1,234.50"},
        {formatMoney(-1234.5), "($1,234.50)"},
        {formatMoney(0), "$0.00"},
        {formatMoney(-0.001), "$0.00"}, // rounds to no money: no parentheses
        {formatMoneyCell(98.5), "$98.50"},
        {formatMoneyCell(-3), "-$3.00"},
        {formatNumber(2.50), "2.5"},
        {formatTrimmed(1234.5, 2), "1,234.5"},
        {formatTrimmed(-0.0001, 2), "0"},
        {formatTrimmed(0.125, 3), "0.125"},
        {formatInteger(40000), "40,000"},
        {formatShortDate(QDate(2016, 8, 29)), "8/29/2016"},
        {formatShortDate(QDate()), ""},
        {formatDateTime(QDateTime(QDate(2016, 8, 29), QTime(0, 0))), "8/29/2016"},
        {formatDateTime(QDateTime(QDate(2016, 8, 29), QTime(14, 5))), "8/29/2016 2:05 PM"},
        {formatFlag(true), "Yes"},
        {formatFlag(false), "No"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.shown, c.expected);
}

TEST(Formats, DatesAreReadAsTypedOrAsStored)
{
    const struct {
        const char *typed;
        QDate expected;
    } cases[] = {
        {"8/29/2016", QDate(2016, 8, 29)},
        {" 2016-08-29 ", QDate(2016, 8, 29)},
        {"8-29-2016", QDate(2016, 8, 29)},
        {"8/29/16", QDate(2016, 8, 29)}, // two-digit years before 1930 are this century
        {"8/29/45", QDate(1945, 8, 29)},
        {"2016-08-29 09:30:00", QDate(2016, 8, 29)},
        {"13/45/2016", QDate()},
        {"", QDate()},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(parseShortDate(QString::fromLatin1(c.typed)), c.expected) << c.typed;
        // A stored value reads the same way, whichever backend kept it as text.
        if (c.expected.isValid()) {
            EXPECT_EQ(data::toDate(QString::fromLatin1(c.typed).trimmed()), c.expected) << c.typed;
        }
    }
}

TEST(Formats, MoneyIsReadAsTypedOrAsShown)
{
    EXPECT_EQ(parseMoney(QStringLiteral("131")), 131.0);
    EXPECT_EQ(parseMoney(QStringLiteral(" $1,234.50 ")), 1234.5);
    EXPECT_EQ(parseMoney(QStringLiteral("($3.00)")), -3.0);
    EXPECT_EQ(parseMoney(QStringLiteral("-$3")), -3.0);
    EXPECT_EQ(parseMoney(QStringLiteral("12abc")), std::nullopt);
    EXPECT_EQ(parseMoney(QString()), std::nullopt);
    EXPECT_EQ(parseMoney(formatMoney(-98.5)), -98.5);
    EXPECT_EQ(parseMoney(QStringLiteral("$-3")), -3.0);
    EXPECT_EQ(parseMoney(QStringLiteral("1,234,567.5")), 1234567.5);
    // One sign at most, commas between groups of three, nothing too large to
    // hold to the cent.
    for (const char *bad :
         {"--5", "($-5)", "(-5)", "-(5)", "1,2,3", "12,34", "1,234,56", "(5", "5)", "$", "-", "1e5", "5 5", "1.2.3"})
        EXPECT_EQ(parseMoney(QString::fromLatin1(bad)), std::nullopt) << bad;
    EXPECT_EQ(parseMoney(QString(400, QLatin1Char('9'))), std::nullopt);
}

TEST(Formats, FlagsReadTheSameFromEveryBackend)
{
    const struct {
        QVariant stored;
        bool expected;
    } cases[] = {
        {QVariant(), false},    {QVariant(1), true},      {QVariant(0), false},       {QVariant(qint64(-1)), true},
        {QVariant(true), true}, {QVariant("True"), true}, {QVariant("false"), false}, {QVariant("1"), true},
        {QVariant("0"), false}, {QVariant("no"), false},  {QVariant(0.5), true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(data::toFlag(c.stored), c.expected) << c.stored.toString().toStdString();
}
