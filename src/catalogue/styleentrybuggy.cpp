// The buggy tickets frame of the style screen: the component lines of the
// selected style that go on buggies, arranged into numbered groups by break
// rows that the user moves into place.
#include "catalogue/cataloguestore.h"
#include "catalogue/styleentry.h"
#include "data/database.h"
#include "data/quoting.h"
#include "core/formats.h"
#include "shell/grid.h"
#include "shell/messages.h"

#include <QHeaderView>
#include <QLineEdit>

namespace catalogue {

namespace {

const QString kBreakKey = QStringLiteral("ROW");
const QString kBreakText = QStringLiteral("----BREAK----");
const QColor kBreakColour(255, 255, 192);

bool isBreak(const shell::Grid *grid, int row)
{
    return grid->cell(row, 0) == kBreakKey;
}

} // namespace

void StyleEntry::appendBuggyRow(const QString &key, const QString &text, const QString &qty, bool breakRow)
{
    const int row = vsfgBuggy->addRow({key, text, qty});
    if (breakRow)
        for (int c = 0; c < vsfgBuggy->columnCount(); ++c)
            vsfgBuggy->item(row, c)->setBackground(kBreakColour);
}

void StyleEntry::UpdateBuggy(const QString &styleId)
{
    vsfgBuggy->clearRows();
    vsfgBuggy->setColumnHidden(0, true);
    vsfgBuggy->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    // Lines never grouped come first.
    data::Recordset rs = data::sharedDatabase().query(
        QStringLiteral("SELECT StyleComponent.ID,ComponentID,Description,BuggySheet,QtyPerBuggy FROM StyleComponent "
                       "LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID WHERE StyleID = ")
        + data::sqlNumber(styleId.toLongLong())
        + QStringLiteral(" AND Component.QtyPerBuggy <> 0 ORDER BY BuggySheet,StyleComponent.ID"));
    if (rs.isEmpty())
        return;
    QString previous = rs.text(QStringLiteral("BuggySheet"));
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString group = rs.text(QStringLiteral("BuggySheet"));
        if (group != previous)
            appendBuggyRow(kBreakKey, kBreakText, QString(), true);
        appendBuggyRow(rs.text(QStringLiteral("ID")),
                       rs.text(QStringLiteral("ComponentID")) + QStringLiteral(" - ")
                           + rs.text(QStringLiteral("Description")),
                       core::formatNumber(rs.number(QStringLiteral("QtyPerBuggy"))), false);
        previous = group;
    }
}

void StyleEntry::buggyMove(int step)
{
    const int row = vsfgBuggy->currentRowIndex();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= vsfgBuggy->rowCount())
        return;
    // Texts and colours change places; line rows and break rows move alike.
    for (int c = 0; c < vsfgBuggy->columnCount(); ++c) {
        QTableWidgetItem *a = vsfgBuggy->item(row, c);
        QTableWidgetItem *b = vsfgBuggy->item(target, c);
        const QString text = a->text();
        const QBrush background = a->background();
        a->setText(b->text());
        a->setBackground(b->background());
        b->setText(text);
        b->setBackground(background);
    }
    vsfgBuggy->fit();
    vsfgBuggy->selectRow(target);
}

void StyleEntry::buggyAddBreak()
{
    const int rows = vsfgBuggy->rowCount();
    if (rows > 1 && !isBreak(vsfgBuggy, rows - 1))
        appendBuggyRow(kBreakKey, kBreakText, QString(), true);
}

void StyleEntry::saveBuggySheet()
{
    shell::reportingDbErrors(
        [&] {
            std::vector<std::optional<qint64>> rows;
            for (int row = 0; row < vsfgBuggy->rowCount(); ++row)
                rows.push_back(isBreak(vsfgBuggy, row) ? std::nullopt
                                                       : std::optional<qint64>(vsfgBuggy->cell(row, 0).toLongLong()));
            saveBuggyGroups(data::sharedDatabase(), rows);
            if (!txtStyleNameID->text().isEmpty())
                UpdateBuggy(txtStyleNameID->text());
        },
        this);
}

} // namespace catalogue
