#pragma once

// The style screen on a small catalogue of its own, shared by the style screen's tests.
#include "app/screens.h"
#include "catalogue/styleform.h"
#include "catalogue/bunentry.h"
#include "catalogue/componententry.h"
#include "catalogue/stationentry.h"
#include "catalogue/styleentry.h"
#include "catalogue/styletypeentry.h"
#include "catalogue/variablesentry.h"
#include "catalogue/outlinetree.h"
#include "data/database.h"
#include "data/selectcounter.h"
#include "data/demoplant.h"
#include "core/configuration.h"
#include "shell/grid.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/typeahead.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <functional>

// Readable values in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

using catalogue::StyleForm;
using shell::MessageAnswer;

namespace styletest {

inline QStringList childTexts(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (int i = 0; item && i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

inline QTreeWidgetItem *child(QTreeWidgetItem *parent, const QString &text)
{
    for (int i = 0; parent && i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

class StyleFormTest : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        core::setCurrentConfiguration({});
        shell::resetTypeAhead();
        seed();
    }
    void TearDown() override
    {
        form.reset();
        core::setCurrentConfiguration({});
        ScreenTest::TearDown();
    }

    qint64 add(const QString &table, const std::vector<std::pair<QString, QVariant>> &values)
    {
        data::Recordset rs = data::addRow(db(), table, values);
        return rs.hasField(QStringLiteral("ID")) ? rs.integer(QStringLiteral("ID")) : 0;
    }
    qint64 addStyle(const QString &customer, const QString &name, const QString &type = QStringLiteral("SOFA"),
                    const QString &status = QStringLiteral("Active"))
    {
        return add(QStringLiteral("Style"),
                   {{"Customer", customer},
                    {"Name", name},
                    {"Type", type},
                    {"Cost", 5.0},
                    {"Price", 9.5},
                    {"Status", status},
                    {"GroupField", "G1"}});
    }
    qint64 addLine(qint64 styleId, const QString &component, double qty, const QVariant &buggySheet = {})
    {
        return add(QStringLiteral("StyleComponent"),
                   {{"StyleID", styleId}, {"ComponentID", component}, {"Qty", qty}, {"BuggySheet", buggySheet}});
    }
    qint64 addOperation(qint64 styleId, qint64 lineId, const QString &station, const QVariant &split = {},
                        const QString &second = {}, const QString &plant = {})
    {
        return add(QStringLiteral("StyleOperation"),
                   {{"OperationID", station},
                    {"Instructions", "cut " + station},
                    {"Thickness", 1.5},
                    {"Width", 2.0},
                    {"Length", 3.0},
                    {"StyleID", styleId},
                    {"ComponentID", lineId},
                    {"SplitQty", split},
                    {"Operation2ID", second},
                    {"Plant2", plant.isEmpty() ? QVariant() : QVariant(plant)}});
    }

    void seed()
    {
        for (const char *c : {"Acme", "Bravo", "Carl's"})
            add(QStringLiteral("Customer"), {{"Customer", c}, {"Status", "Active"}});
        for (const char *t : {"SOFA", "CHAIR"})
            add(QStringLiteral("StyleType"), {{"ID", t}, {"Description", t}, {"Status", "Active"}});
        for (const char *p : {"Main", "North"})
            add(QStringLiteral("Plants"), {{"Name", p}});
        add(QStringLiteral("Operation"),
            {{"Station", "Saw 1"}, {"ReportType", "Band Saw"}, {"Teams", 2}, {"Status", "Active"}});
        add(QStringLiteral("Operation"),
            {{"Station", "CNC 1"}, {"ReportType", "CNC"}, {"Teams", 1}, {"Status", "Active"}});
        add(QStringLiteral("Bun"), {{"ID", "B1"}, {"Width", 80.0}, {"Length", 120.0}, {"Status", "Active"}});
        struct C {
            const char *id, *desc;
            int perBuggy;
        };
        for (const C &c : {C{"10", "Seat", 12}, C{"9", "Back", 12}, C{"A1", "Arm", 6}, C{"100", "Base", 0}})
            add(QStringLiteral("Component"),
                {{"ID", c.id},
                 {"Description", c.desc},
                 {"Thickness", 4.0},
                 {"Width", 20.0},
                 {"Length", 30.0},
                 {"CutStyle", "Straight Cut"},
                 {"Test", 0},
                 {"PrintOnShipping", 1},
                 {"Arm", 0},
                 {"Tie", 0},
                 {"BunID", "B1"},
                 {"RailsPerBun", 4},
                 {"PiecesPerRail", 6},
                 {"Status", "Active"},
                 {"Plant", "Main"},
                 {"QtyPerBuggy", c.perBuggy}});
        // Acme's styles, added out of order: 10, A1, 9.
        style10 = addStyle(QStringLiteral("Acme"), QStringLiteral("10"));
        addStyle(QStringLiteral("Acme"), QStringLiteral("A1"));
        style9 = addStyle(QStringLiteral("Acme"), QStringLiteral("9"));
        lineSeat = addLine(style9, QStringLiteral("10"), 2);
        lineBack = addLine(style9, QStringLiteral("9"), 1);
        opSaw = addOperation(style9, lineSeat, QStringLiteral("Saw 1"), 0.25, QStringLiteral("CNC 1"),
                             QStringLiteral("North"));
        opCnc = addOperation(style9, lineSeat, QStringLiteral("CNC 1"));
    }

    StyleForm &open()
    {
        form = std::make_unique<StyleForm>();
        form->load();
        return *form;
    }
    QTreeWidgetItem *root() { return form->styleEntry->fgTree->topLevelItem(0); }
    QTreeWidgetItem *expanded(QTreeWidgetItem *node)
    {
        node->setExpanded(true);
        return node;
    }
    QTreeWidgetItem *acme() { return child(root(), QStringLiteral("Acme")); }
    QTreeWidgetItem *style9Row() { return child(expanded(acme()), QStringLiteral("9-SOFA")); }
    QTreeWidgetItem *seatRow() { return child(expanded(style9Row()), QStringLiteral("(2) - 10-Seat")); }
    void select(QTreeWidgetItem *item) { form->styleEntry->fgTree->choose(item); }
    void click(QPushButton *button) { button->click(); }
    void pick(QComboBox *list, const QString &text)
    {
        const int index = list->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list->setCurrentIndex(index);
    }
    int count(const QString &statement) { return int(db().query(statement).recordCount()); }
    data::Recordset row(const QString &statement) { return db().query(statement); }

    shell::MessageRecorder messages;
    std::unique_ptr<StyleForm> form;
    qint64 style10 = 0, style9 = 0, lineSeat = 0, lineBack = 0, opSaw = 0, opCnc = 0;
};

} // namespace styletest
