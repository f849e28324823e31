// The buggy grid, the read-only and hide-prices settings, and the style screen
// reached from the menu.
#include "catalogue/styleformfixture.h"

using namespace styletest;
using catalogue::StyleForm;
using shell::MessageAnswer;

namespace {
class BuggyTest : public StyleFormTest {
protected:
    // Style 10 with four buggy lines (none grouped) and one line off the buggies.
    void SetUp() override
    {
        StyleFormTest::SetUp();
        for (const char *c : {"10", "9", "A1"})
            lines << addLine(style10, QLatin1String(c), 1);
        lines << addLine(style10, QStringLiteral("100"), 1);
        open();
        select(child(expanded(acme()), QStringLiteral("10-SOFA")));
    }
    QStringList column0() const
    {
        QStringList cells;
        for (int r = 0; r < form->styleEntry->vsfgBuggy->rowCount(); ++r)
            cells << form->styleEntry->vsfgBuggy->cell(r, 0);
        return cells;
    }
    void move(int row, QPushButton *button)
    {
        form->styleEntry->vsfgBuggy->selectRow(row);
        click(button);
    }
    QList<qint64> groups()
    {
        QList<qint64> result;
        for (int i = 0; i < 3; ++i)
            result << row(QStringLiteral("SELECT BuggySheet FROM StyleComponent WHERE ID = %1").arg(lines[i]))
                          .integer("BuggySheet");
        return result;
    }
    QList<qint64> lines;
};

TEST_F(BuggyTest, ShowsTheStylesBuggyLinesUngroupedFirst)
{
    const QString a = QString::number(lines[0]), b = QString::number(lines[1]), c = QString::number(lines[2]);
    EXPECT_EQ(column0(), QStringList({a, b, c})) << "the line off the buggies is left out";
    EXPECT_EQ(form->styleEntry->vsfgBuggy->cell(0, 1), "10 - Seat");
    EXPECT_EQ(form->styleEntry->vsfgBuggy->cell(2, 2), "6");
    EXPECT_TRUE(form->styleEntry->vsfgBuggy->isColumnHidden(0));

    db().execute(QStringLiteral("UPDATE StyleComponent SET BuggySheet = 2 WHERE ID = %1").arg(lines[0]));
    db().execute(QStringLiteral("UPDATE StyleComponent SET BuggySheet = 1 WHERE ID = %1").arg(lines[1]));
    form->UpdateBuggy(QString::number(style10));
    EXPECT_EQ(column0(), QStringList({c, "ROW", b, "ROW", a}));
    EXPECT_EQ(form->styleEntry->vsfgBuggy->cell(1, 1), "----BREAK----");
    EXPECT_EQ(form->styleEntry->vsfgBuggy->item(1, 1)->background().color(), QColor(255, 255, 192));
}

TEST_F(BuggyTest, BreaksGroupTheLinesWhenSaved)
{
    struct Case {
        const char *name;
        std::function<void()> arrange;
        QList<qint64> expected;
    };
    const std::vector<Case> cases = {
        {"no break: one group", [] {}, {1, 1, 1}},
        {"a break at the top or the bottom changes nothing",
         [this] {
             click(form->styleEntry->btnBuggyBar);
             for (int r = 3; r > 0; --r)
                 move(r, form->styleEntry->btnBuggyUp);
             click(form->styleEntry->btnBuggyBar);
         },
         {1, 1, 1}},
        {"one break after the first line",
         [this] {
             click(form->styleEntry->btnBuggyBar);
             move(3, form->styleEntry->btnBuggyUp);
             move(2, form->styleEntry->btnBuggyUp);
         },
         {1, 2, 2}},
        {"two breaks in a row skip a number",
         [this] {
             click(form->styleEntry->btnBuggyBar);
             move(3, form->styleEntry->btnBuggyUp);
             move(2, form->styleEntry->btnBuggyUp);
             click(form->styleEntry->btnBuggyBar);
             move(4, form->styleEntry->btnBuggyUp);
             move(3, form->styleEntry->btnBuggyUp);
         },
         {1, 3, 3}},
        {"lines moved below a break",
         [this] {
             click(form->styleEntry->btnBuggyBar);
             move(0, form->styleEntry->btnBuggyDown);
             move(1, form->styleEntry->btnBuggyDown);
             move(2, form->styleEntry->btnBuggyDown);
         },
         {2, 1, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        db().execute(QStringLiteral("UPDATE StyleComponent SET BuggySheet = NULL"));
        form->UpdateBuggy(QString::number(style10));
        c.arrange();
        click(form->styleEntry->btnSaveBuggySheet);
        EXPECT_EQ(groups(), c.expected);
        // The grid shows the stored grouping: one break between groups.
        int breaks = 0;
        for (int r = 0; r < form->styleEntry->vsfgBuggy->rowCount(); ++r) {
            if (form->styleEntry->vsfgBuggy->cell(r, 0) == "ROW") {
                ++breaks;
                continue;
            }
            const qint64 id = form->styleEntry->vsfgBuggy->cell(r, 0).toLongLong();
            EXPECT_EQ(row(QStringLiteral("SELECT BuggySheet FROM StyleComponent WHERE ID = %1").arg(id))
                          .integer("BuggySheet"),
                      [&] {
                          // Groups stay in number order, so the count of breaks above tells the rank.
                          QList<qint64> distinct = c.expected;
                          std::sort(distinct.begin(), distinct.end());
                          distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
                          return distinct.value(breaks);
                      }());
        }
    }
}

TEST_F(BuggyTest, MovesStopAtTheEndsAndOnlyOneBreakIsAdded)
{
    const QStringList before = column0();
    move(0, form->styleEntry->btnBuggyUp);
    move(2, form->styleEntry->btnBuggyDown);
    EXPECT_EQ(column0(), before);
    click(form->styleEntry->btnBuggyBar);
    click(form->styleEntry->btnBuggyBar);
    EXPECT_EQ(column0(), before + QStringList({"ROW"}));
    // A single line takes no break.
    db().execute(QStringLiteral("UPDATE Component SET QtyPerBuggy = 0 WHERE ID <> '10'"));
    form->UpdateBuggy(QString::number(style10));
    click(form->styleEntry->btnBuggyBar);
    EXPECT_EQ(form->styleEntry->vsfgBuggy->rowCount(), 1);
    // A style without buggy lines shows an empty grid, and saving writes nothing.
    form->UpdateBuggy(QString::number(style9));
    db().execute(QStringLiteral("UPDATE Component SET QtyPerBuggy = 0"));
    form->UpdateBuggy(QString::number(style10));
    EXPECT_EQ(form->styleEntry->vsfgBuggy->rowCount(), 0);
    click(form->styleEntry->btnSaveBuggySheet);
    EXPECT_EQ(count("SELECT * FROM StyleComponent WHERE BuggySheet IS NOT NULL"), 0);
}

// ---------------------------------------------------------------- settings

TEST_F(StyleFormTest, ReadOnlyCatalogueDisablesTheSixteenButtons)
{
    core::Configuration config;
    config.readOnlyCatalogue = true;
    core::setCurrentConfiguration(config);
    open();
    const QStringList disabled = {"btnStyleSave",      "btnStyleNew",      "cmbComponentSave2", "btnDeleteComponent",
                                  "btnComponentNew",   "btnDeleteOp",      "btnOperationNew",   "btnOperationsSave2",
                                  "btnSaveBuggySheet", "btnCopyStyle",     "btnBunSave",        "btnVariableSave",
                                  "btnAddPlant",       "btnOperationSave", "btnComponentSave",  "btnTypeSave"};
    for (QPushButton *button : form->findChildren<QPushButton *>()) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_EQ(button->isEnabled(), !disabled.contains(button->objectName()));
    }
    EXPECT_EQ(disabled.size(), 16);
    // The tree and the lists still work.
    select(seatRow());
    EXPECT_EQ(form->styleEntry->cmbComponent->currentText(), "10-Seat");
    form->componentEntry->cmbComponentID->setEditText(QStringLiteral("9"));
    EXPECT_EQ(form->componentEntry->txtComponentDescription->text(), "Back");
}

TEST_F(StyleFormTest, HidePricesHidesCostAndPrice)
{
    for (bool hide : {false, true}) {
        core::Configuration config;
        config.hidePrices = hide;
        core::setCurrentConfiguration(config);
        open();
        form->show();
        EXPECT_EQ(form->styleEntry->txtCost->isVisible(), !hide);
        EXPECT_EQ(form->styleEntry->txtPrice->isVisible(), !hide);
        EXPECT_TRUE(form->styleEntry->txtGroupBy->isVisible());
    }
}

TEST_F(StyleFormTest, LaterScreensAreNamedPlainlyWhenMissing)
{
    open();
    click(form->styleEntry->btnCopyStyle);
    EXPECT_EQ(messages.count(), 0) << "nothing happens without a selected style";
    select(seatRow());
    click(form->styleEntry->btnCopyStyle);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "The \"Copy Style\" screen is not part of this build yet.");
    click(form->styleEntry->btnDuplicate);
    EXPECT_EQ(messages.last().text, "The \"Duplicate Style Components\" screen is not part of this build yet.");
}

TEST_F(StyleFormTest, StyleEntryOfTheMenuOpensTheFilledScreen)
{
    shell::MainWindow window;
    app::registerScreens(window);
    QWidget *screen = window.openScreen(QStringLiteral("StyleEntry"));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->objectName(), "frmStyle");
    auto *tree = screen->findChild<QTreeWidget *>(QStringLiteral("fgTree"));
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 3);
    EXPECT_EQ(screen->findChild<QComboBox *>(QStringLiteral("cmbComponentID"))->count(), 4);
    EXPECT_EQ(window.openScreen(QStringLiteral("StyleEntry")), screen) << "one at a time";
}

} // namespace
