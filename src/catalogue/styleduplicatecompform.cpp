#include "catalogue/styleduplicatecompform.h"

#include "catalogue/cataloguestore.h"
#include "catalogue/tabparts.h"
#include "core/cursor.h"
#include "data/database.h"
#include "shell/defaultbutton.h"
#include "shell/messages.h"
#include "shell/named.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace catalogue {

using shell::named;

namespace {
const QString kSourceGone = QStringLiteral(
    "The component line to copy the operations from no longer exists. Nothing was changed; choose the line "
    "in the tree again.");
} // namespace

StyleDuplicateCompForm::StyleDuplicateCompForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmStyleDuplicateComp"));
    setWindowTitle(QStringLiteral("Duplicate Style Components"));
    lblStyle = named(new QLabel(this), "lblStyle");
    lblStyleID = named(new QLabel(this), "lblStyleID");
    lblComponent = named(new QLabel(this), "lblComponent");
    lblComponentID = named(new QLabel(this), "lblComponentID");
    lblStyleComponentID = named(new QLabel(this), "lblStyleComponentID");
    for (QLabel *key : {lblStyleID, lblComponentID, lblStyleComponentID})
        key->hide();
    lstStyles = named(new QListWidget(this), "lstStyles");
    lstStyles->setSelectionMode(QAbstractItemView::MultiSelection);
    lstStyles->setMinimumSize(320, 240);
    lstStyleID = named(new QListWidget(this), "lstStyleID");
    lstStyleID->hide();
    btnSelectAll = makeButton(this, "btnSelectAll", QStringLiteral("Select All"));
    bntSelectNone = makeButton(this, "bntSelectNone", QStringLiteral("Select None"));
    btnDuplicate = makeButton(this, "btnDuplicate", QStringLiteral("Duplicate"));
    btnExit = makeButton(this, "btnExit", QStringLiteral("Exit"));

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Style:"), this), 0, 0, Qt::AlignRight);
    grid->addWidget(lblStyle, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Component:"), this), 1, 0, Qt::AlignRight);
    grid->addWidget(lblComponent, 1, 1);
    grid->setColumnStretch(1, 1);
    auto *selection = new QHBoxLayout;
    selection->addWidget(btnSelectAll);
    selection->addWidget(bntSelectNone);
    selection->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lstStyles, 1);
    layout->addLayout(selection);
    layout->addLayout(buttonRow({btnDuplicate, btnExit}));
    lockWhenReadOnly({btnDuplicate, btnSelectAll, bntSelectNone});

    connect(btnSelectAll, &QPushButton::clicked, lstStyles, &QListWidget::selectAll);
    connect(bntSelectNone, &QPushButton::clicked, lstStyles, &QListWidget::clearSelection);
    connect(btnDuplicate, &QPushButton::clicked, this, [this] { duplicate(); });
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
    shell::attachCancelButton(this, btnExit);
}

bool StyleDuplicateCompForm::setSource(const DuplicateSource &chosen)
{
    // The line decides: its own style and component, whatever else the style
    // screen's lists show.
    const std::optional<DuplicateSource> source = duplicateSource(data::sharedDatabase(), chosen.lineId.toLongLong());
    if (!source) {
        tell(this, kInvalidInformation, kSourceGone);
        return false;
    }
    lblStyle->setText(source->styleText);
    lblStyleID->setText(source->styleId);
    lblComponent->setText(source->componentText);
    lblComponentID->setText(source->componentId);
    lblStyleComponentID->setText(source->lineId);
    LoadStyles();
    return true;
}

void StyleDuplicateCompForm::LoadStyles()
{
    lstStyles->clear();
    lstStyleID->clear();
    for (const DuplicateTarget &target :
         duplicateTargets(data::sharedDatabase(), lblComponentID->text(), lblStyleID->text().toLongLong())) {
        lstStyles->addItem(target.text);
        lstStyleID->addItem(QString::number(target.styleId));
    }
}

void StyleDuplicateCompForm::duplicate()
{
    if (!shell::askYesDefaultNo(
            QStringLiteral("Duplication Confirmation"),
            QStringLiteral("Are you sure you want to copy the operations for this component to all other "
                           "styles with the same component?"),
            shell::MessageIcon::None, this))
        return;
    std::vector<qint64> targets;
    for (int row = 0; row < lstStyles->count(); ++row)
        if (lstStyles->item(row)->isSelected())
            targets.push_back(lstStyleID->item(row)->text().toLongLong());
    bool copied = false;
    const bool done = shell::reportingDbErrors(
        [&] {
            core::BusyCursor busy;
            copied = duplicateOperations(data::sharedDatabase(), lblStyleComponentID->text().toLongLong(), targets);
        },
        this);
    if (!done)
        return;
    if (!copied) {
        tell(this, kInvalidInformation, kSourceGone);
        return;
    }
    emit duplicated();
    close();
}

} // namespace catalogue
