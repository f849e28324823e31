#pragma once

// The one "Report Viewer" child window: the current report page by page, with
// page navigation, zoom, printing through a printer dialog and export to PDF
// and CSV. ShowReport hands it each report (installReportViewer); a later report replaces the one
// shown.

#include "reporting/report.h"
#include "reporting/reportlayout.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace shell {

using reporting::LaidReport;
using reporting::ReportPtr;

class Viewer : public QWidget {
    Q_OBJECT
public:
    explicit Viewer(QWidget *parent = nullptr);
    ~Viewer() override;

    // The open viewer, or null.
    static Viewer *instance();

    void setReport(const ReportPtr &report);
    ReportPtr report() const { return m_report; }
    const LaidReport &laidOut() const { return m_laid; }

    int pageCount() const { return m_laid.pageCount(); }
    int currentPage() const { return m_page; } // 0-based
    void goToPage(int page);
    // Zoom as a factor of the printed size; fitWidth follows the window.
    void setZoom(qreal factor);
    void setFitWidth();
    qreal zoom() const;

    QSize sizeHint() const override { return {900, 700}; }

    // Both fail with a ReportError naming the file.
    void exportPdf(const QString &path);
    void exportCsv(const QString &path);

    QToolButton *btnFirst, *btnPrevious, *btnNext, *btnLast;
    QSpinBox *spnPage;
    QLabel *lblPageCount;
    QComboBox *cmbZoom;
    QToolButton *btnZoomIn, *btnZoomOut;
    QToolButton *btnPrint, *btnExportPdf, *btnExportCsv;
    QScrollArea *scrPage;
    QLabel *lblPage;

public slots:
    void print();
    void exportPdfAsked();
    void exportCsvAsked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void render();
    void updateControls();
    void zoomChosen(int index);
    void stepZoom(int direction);
    QString suggestedFileName(const QString &extension) const;

    ReportPtr m_report;
    LaidReport m_laid;
    int m_page = 0;
    qreal m_zoom = 1.0;
    bool m_fitWidth = true;
};

// How the viewer is placed into the main window's work area. The main window
// sets this at start-up (it adds the viewer as a child window); without it the
// viewer opens as a window of its own.
using ViewerHost = std::function<void(QWidget *viewer)>;
void setViewerHost(ViewerHost host);

// Shows a report in the one Report Viewer, opening it when it is not open.
void showInViewer(const ReportPtr &report);
// Makes ShowReport show its reports in the Report Viewer.
void installReportViewer();

} // namespace shell
