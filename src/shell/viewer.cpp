#include "shell/viewer.h"

#include "reporting/reportrender.h"
#include "reporting/reportsinks.h"
#include "core/cursor.h"
#include "shell/messages.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace shell {

using namespace reporting;

namespace {

QPointer<Viewer> g_viewer;
ViewerHost g_host;

const qreal kZoomSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0};
constexpr qreal kScreenDpi = 96;

QToolButton *toolButton(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}

} // namespace

Viewer::Viewer(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Viewer"));
    setWindowTitle(QStringLiteral("Report Viewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    g_viewer = this;

    btnFirst = toolButton(this, "btnFirst", QStringLiteral("|<"), QStringLiteral("First page (Home)"));
    btnPrevious = toolButton(this, "btnPrevious", QStringLiteral("<"), QStringLiteral("Previous page (Page Up)"));
    spnPage = new QSpinBox(this);
    spnPage->setObjectName(QStringLiteral("spnPage"));
    spnPage->setAccessibleName(QStringLiteral("Page"));
    lblPageCount = new QLabel(this);
    lblPageCount->setObjectName(QStringLiteral("lblPageCount"));
    btnNext = toolButton(this, "btnNext", QStringLiteral(">"), QStringLiteral("Next page (Page Down)"));
    btnLast = toolButton(this, "btnLast", QStringLiteral(">|"), QStringLiteral("Last page (End)"));
    btnZoomOut = toolButton(this, "btnZoomOut", QStringLiteral("-"), QStringLiteral("Zoom out (Ctrl+-)"));
    cmbZoom = new QComboBox(this);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setAccessibleName(QStringLiteral("Zoom"));
    cmbZoom->addItem(QStringLiteral("Page Width"), 0.0);
    for (qreal z : kZoomSteps)
        cmbZoom->addItem(QStringLiteral("%1%").arg(qRound(z * 100)), z);
    btnZoomIn = toolButton(this, "btnZoomIn", QStringLiteral("+"), QStringLiteral("Zoom in (Ctrl++)"));
    btnPrint = toolButton(this, "btnPrint", QStringLiteral("&Print..."), QStringLiteral("Print (Ctrl+P)"));
    btnExportPdf = toolButton(this, "btnExportPdf", QStringLiteral("Export P&DF..."), QStringLiteral("Save as PDF"));
    btnExportCsv = toolButton(this, "btnExportCsv", QStringLiteral("Export &CSV..."),
                              QStringLiteral("Save the report's rows as CSV"));

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(2);
    for (QWidget *w : std::initializer_list<QWidget *>{btnFirst, btnPrevious, spnPage, lblPageCount, btnNext, btnLast})
        bar->addWidget(w);
    bar->addSpacing(16);
    bar->addWidget(btnZoomOut);
    bar->addWidget(cmbZoom);
    bar->addWidget(btnZoomIn);
    bar->addSpacing(16);
    bar->addWidget(btnPrint);
    bar->addWidget(btnExportPdf);
    bar->addWidget(btnExportCsv);
    bar->addStretch();

    lblPage = new QLabel;
    lblPage->setObjectName(QStringLiteral("lblPage"));
    lblPage->setAlignment(Qt::AlignCenter);
    scrPage = new QScrollArea(this);
    scrPage->setObjectName(QStringLiteral("scrPage"));
    scrPage->setWidget(lblPage);
    scrPage->setWidgetResizable(false);
    scrPage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scrPage->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(scrPage, 1);

    connect(btnFirst, &QToolButton::clicked, this, [this] { goToPage(0); });
    connect(btnPrevious, &QToolButton::clicked, this, [this] { goToPage(m_page - 1); });
    connect(btnNext, &QToolButton::clicked, this, [this] { goToPage(m_page + 1); });
    connect(btnLast, &QToolButton::clicked, this, [this] { goToPage(pageCount() - 1); });
    connect(spnPage, &QSpinBox::valueChanged, this, [this](int v) {
        if (v - 1 != m_page)
            goToPage(v - 1);
    });
    connect(cmbZoom, &QComboBox::activated, this, [this](int i) { zoomChosen(i); });
    connect(btnZoomIn, &QToolButton::clicked, this, [this] { stepZoom(1); });
    connect(btnZoomOut, &QToolButton::clicked, this, [this] { stepZoom(-1); });
    connect(btnPrint, &QToolButton::clicked, this, &Viewer::print);
    connect(btnExportPdf, &QToolButton::clicked, this, &Viewer::exportPdfAsked);
    connect(btnExportCsv, &QToolButton::clicked, this, &Viewer::exportCsvAsked);

    auto shortcut = [this](const QKeySequence &keys, auto slot) {
        auto *s = new QShortcut(keys, this, slot);
        s->setContext(Qt::WidgetWithChildrenShortcut);
    };
    shortcut(QKeySequence(Qt::Key_PageDown), [this] { goToPage(m_page + 1); });
    shortcut(QKeySequence(Qt::Key_PageUp), [this] { goToPage(m_page - 1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { goToPage(0); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { goToPage(pageCount() - 1); });
    shortcut(QKeySequence::Print, [this] { print(); });
    shortcut(QKeySequence::ZoomIn, [this] { stepZoom(1); });
    shortcut(QKeySequence::ZoomOut, [this] { stepZoom(-1); });

    resize(900, 700);
    updateControls();
}

Viewer::~Viewer() = default;

Viewer *Viewer::instance()
{
    return g_viewer.data();
}

void Viewer::setReport(const ReportPtr &report)
{
    core::BusyCursor busy;
    if (!report->isLoaded())
        report->load();
    m_laid = report->layout();
    m_report = report;
    m_page = 0;
    setWindowTitle(QStringLiteral("Report Viewer"));
    render();
    updateControls();
}

void Viewer::goToPage(int page)
{
    if (pageCount() == 0)
        return;
    page = std::clamp(page, 0, pageCount() - 1);
    if (page == m_page && !lblPage->pixmap().isNull())
        return;
    m_page = page;
    render();
    updateControls();
    scrPage->verticalScrollBar()->setValue(0);
}

qreal Viewer::zoom() const
{
    if (!m_fitWidth)
        return m_zoom;
    const qreal available = scrPage->viewport()->width() - 24;
    const qreal pageWidth = (m_laid.pageSize.isEmpty() ? kLetterWidth : m_laid.pageSize.width()) / 72 * kScreenDpi;
    return std::max<qreal>(0.25, available / pageWidth);
}

void Viewer::setZoom(qreal factor)
{
    m_fitWidth = false;
    m_zoom = std::clamp<qreal>(factor, 0.25, 4.0);
    const int i = cmbZoom->findData(m_zoom);
    if (i >= 0)
        cmbZoom->setCurrentIndex(i);
    else
        cmbZoom->setEditText(QStringLiteral("%1%").arg(qRound(m_zoom * 100)));
    render();
}

void Viewer::setFitWidth()
{
    m_fitWidth = true;
    cmbZoom->setCurrentIndex(0);
    render();
}

void Viewer::zoomChosen(int index)
{
    const qreal z = cmbZoom->itemData(index).toDouble();
    if (z <= 0)
        setFitWidth();
    else
        setZoom(z);
}

void Viewer::stepZoom(int direction)
{
    const qreal now = zoom();
    qreal next = now;
    if (direction > 0) {
        for (qreal z : kZoomSteps)
            if (z > now + 0.01) {
                next = z;
                break;
            }
    } else {
        for (qreal z : kZoomSteps)
            if (z < now - 0.01)
                next = z;
    }
    setZoom(next);
}

void Viewer::render()
{
    if (pageCount() == 0) {
        lblPage->clear();
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QImage image = pageImage(m_laid, m_page, kScreenDpi * zoom() * ratio);
    image.setDevicePixelRatio(ratio);
    lblPage->setPixmap(QPixmap::fromImage(image));
    lblPage->resize(lblPage->sizeHint());
}

void Viewer::updateControls()
{
    const int pages = pageCount();
    const bool any = m_report != nullptr;
    spnPage->blockSignals(true);
    spnPage->setRange(pages ? 1 : 0, std::max(pages, 0));
    spnPage->setValue(pages ? m_page + 1 : 0);
    spnPage->blockSignals(false);
    lblPageCount->setText(QStringLiteral(" of %1 ").arg(pages));
    btnFirst->setEnabled(m_page > 0);
    btnPrevious->setEnabled(m_page > 0);
    btnNext->setEnabled(m_page + 1 < pages);
    btnLast->setEnabled(m_page + 1 < pages);
    spnPage->setEnabled(pages > 1);
    for (QWidget *w :
         std::initializer_list<QWidget *>{btnPrint, btnExportPdf, btnExportCsv, cmbZoom, btnZoomIn, btnZoomOut})
        w->setEnabled(any);
}

void Viewer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_fitWidth && m_report)
        render();
}

void Viewer::exportPdf(const QString &path)
{
    core::BusyCursor busy;
    writePdf(*m_report, m_laid, path);
}

void Viewer::exportCsv(const QString &path)
{
    core::BusyCursor busy;
    writeCsv(*m_report, path, true); // for a spreadsheet: the header line and the rows
}

QString Viewer::suggestedFileName(const QString &extension) const
{
    QString base = m_report ? m_report->title() : QStringLiteral("Report");
    base.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|]+)")), QStringLiteral("_"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(base + QLatin1Char('.') + extension);
}

void Viewer::exportPdfAsked()
{
    if (!m_report)
        return;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export to PDF"), suggestedFileName(QStringLiteral("pdf")),
                                     QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    try {
        exportPdf(path);
    } catch (const ReportError &e) {
        shell::showMessage(QStringLiteral("Report Viewer"), e.text(), shell::MessageIcon::Warning);
    }
}

void Viewer::exportCsvAsked()
{
    if (!m_report)
        return;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export to CSV"), suggestedFileName(QStringLiteral("csv")),
                                     QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    try {
        exportCsv(path);
    } catch (const ReportError &e) {
        shell::showMessage(QStringLiteral("Report Viewer"), e.text(), shell::MessageIcon::Warning);
    }
}

void Viewer::print()
{
    if (!m_report)
        return;
    if (!printerAvailable()) {
        shell::showMessage(QStringLiteral("Report Viewer"),
                           QStringLiteral("No printer is installed on this workstation. Use Export PDF to save the "
                                          "report instead."),
                           shell::MessageIcon::Warning);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_report->title());
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(m_report->definition().orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                                            : QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setFromTo(1, pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 0, to = pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage() - 1;
        to = printer.toPage() - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = m_page;
    }
    core::BusyCursor busy;
    if (!paintPages(printer, m_laid, from, to))
        shell::showMessage(QStringLiteral("Report Viewer"),
                           QStringLiteral("The report could not be sent to the printer %1.").arg(printer.printerName()),
                           shell::MessageIcon::Warning);
}

void setViewerHost(ViewerHost host)
{
    g_host = std::move(host);
}

void installReportViewer()
{
    reporting::setReportDisplay(showInViewer);
}

void showInViewer(const ReportPtr &report)
{
    if (!report->isLoaded())
        report->load();
    Viewer *viewer = Viewer::instance();
    if (!viewer) {
        viewer = new Viewer;
        if (g_host)
            g_host(viewer);
        else
            viewer->show();
    }
    viewer->setReport(report);
    viewer->show();
    // Its frame comes to the front, restored: the child window of the work
    // area that holds it, or its own window.
    auto *child = qobject_cast<QMdiSubWindow *>(viewer->parentWidget());
    QWidget *frame = child ? static_cast<QWidget *>(child) : viewer;
    if (frame->isMinimized())
        frame->showNormal();
    frame->show();
    frame->raise();
    if (child && child->mdiArea())
        child->mdiArea()->setActiveSubWindow(child);
    else
        frame->activateWindow();
}

} // namespace shell
