// The main window's overview: drawing it (or showing a datum's last
// drawing again), zooming and panning it, and a click on it handing the
// sheets under the pointer to the viewer.

#include "ui/main/main_window.h"

#include "core/formats/request_file.h"
#include "core/overview/overview_drawing.h"
#include "core/overview/overview_hit_test.h"
#include "core/overview/overview_zoom.h"
#include "ui/main/overview_image.h"
#include "ui/search/viewer_start.h"
#include "ui/widgets/error_report.h"

#include <QPainter>

#include <cmath>

namespace ft::app {
namespace {

// The scale bar takes at most a fifth of the image's width.
constexpr int kScaleBarLongest = 120;

} // namespace

void MainWindow::connectOverview()
{
    OverviewImage* image = m_controls.overview;
    const auto run = [this](auto handler) { runCommand(m_operator, handler); };
    connect(image, &OverviewImage::clicked, this,
            [this, run](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
                run([&] { overviewClicked(button, modifiers, at); });
            });
    connect(image, &OverviewImage::dragged, this,
            [this, run](QPoint offset) { run([&] { panOverview(offset); }); });
    connect(image, &OverviewImage::wheelTurned, this, [this, run](QPoint at, double notches) {
        run([&] { zoomOverview(at, std::pow(overview::kZoomStep, notches)); });
    });
    connect(image, &OverviewImage::doubleClicked, this,
            [this, run](QPoint at) { run([&] { overviewDoubleClicked(at); }); });
    connect(image, &OverviewImage::homePressed, this,
            [this, run] { run([&] { showWholeOverview(); }); });
}

void MainWindow::redrawOverview()
{
    OverviewImage& image = *m_controls.overview;
    overview::OverviewView& view = m_overview.view;
    view.originX = 0;
    view.originY = 0;
    view.clientWidth = image.width();
    view.clientHeight = image.height();
    view.pixelWidth = image.width();
    view.pixelHeight = image.height();
    const workspace::Datum datum = m_state->currentDatum();
    const overview::OverviewFiles files = overview::overviewFilesOf(*m_state, datum);
    // Taken before drawing: files that change meanwhile do not match it later.
    const overview::OverviewFilesStamp stamp = overview::stampOf(files);
    m_drawnExtent.reset();
    // Whatever comes of the drawing, the bar tells the zoom of what shows.
    struct ScaleBarAfter {
        MainWindow& window;
        ~ScaleBarAfter() { window.showOverviewScaleBar(); }
    } scaleBar{*this};
    if (m_overview.drawingsPresent && showCachedOverview(datum, stamp))
        return;
    const overview::SegmentStore* segments =
        m_overview.drawingsPresent ? m_overviewCache.segmentsOf(datum, files.segments) : nullptr;
    const overview::ShownDrawings shown = shownDrawings(datum);
    bool drawn = false;
    image.drawOnCanvas([&](QPainter& canvas) {
        overview::ClearOverview(canvas, image.width(), image.height());
        drawn = overview::DrawOverview(canvas, *m_state, m_overview, shown, segments);
    });
    if (drawn)
        m_drawnExtent = m_state->extent(datum);
    // Kept only when the draw went through: a file that could not be read is
    // read again (and reported again) next time.
    if (m_overview.drawingsPresent)
        m_overviewCache.store(datum, {image.canvas(), view, m_state->extent(datum), drawn, stamp});
}

// Lines of drawings without a FILE row (a set another program is still
// registering) are left out. A catalogue that could not be opened (start-up
// told that) has nothing to go by: its working files are drawn whole.
overview::ShownDrawings MainWindow::shownDrawings(workspace::Datum datum)
{
    overview::ShownDrawings shown;
    if (m_overview.drawingsPresent && m_state->catalogues().isOpen(datum))
        shown.registered = overview::registeredDrawings(m_state->catalogue(datum));
    return shown;
}

// The datum's last drawing shows again when its files are as they were and
// it shows the window the datum would be drawn through now.
bool MainWindow::showCachedOverview(workspace::Datum datum,
                                    const overview::OverviewFilesStamp& stamp)
{
    const overview::CachedOverview* cached = m_overviewCache.find(datum, stamp);
    OverviewImage& image = *m_controls.overview;
    if (cached == nullptr || cached->picture.size() != image.canvas().size())
        return false;
    if (cached->drawn) {
        overview::OverviewView now = m_overview.view;
        if (!overview::placeWindow(now, cached->extent, m_overview.keptWindows[datum]) ||
            !(now == cached->view))
            return false;
        m_drawnExtent = cached->extent;
    }
    image.showPicture(cached->picture);
    m_overview.view = cached->view;
    m_state->extent(datum) = cached->extent;
    return true;
}

void MainWindow::showOverviewScaleBar()
{
    const bool zoomed =
        m_drawnExtent && m_overview.keptWindows[m_state->currentDatum()].has_value();
    m_controls.overview->showScaleBar(
        zoomed ? overview::scaleBarFor(m_overview.view, kScaleBarLongest) : std::nullopt);
}

// What a zoom or a pan left becomes the datum's window (or none, when it
// shows everything), and the overview is drawn through it.
void MainWindow::keepOverviewWindow()
{
    m_overview.keptWindows[m_state->currentDatum()] =
        overview::keptWindowOf(m_overview.view, *m_drawnExtent);
    redrawOverview();
}

void MainWindow::zoomOverview(QPoint at, double factor)
{
    if (m_drawnExtent && overview::zoomAround(m_overview.view, *m_drawnExtent,
                                              {double(at.x()), double(at.y())}, factor))
        keepOverviewWindow();
}

void MainWindow::panOverview(QPoint offset)
{
    if (m_drawnExtent && overview::panBy(m_overview.view, *m_drawnExtent, offset.x(), offset.y()))
        keepOverviewWindow();
    else
        m_controls.overview->update();
}

void MainWindow::showWholeOverview()
{
    if (!m_overview.keptWindows[m_state->currentDatum()])
        return;
    m_overview.keptWindows[m_state->currentDatum()].reset();
    redrawOverview();
}

// Empty ground is where no sheet is: a double click on a sheet opened its
// drawing with its first click and does nothing more.
void MainWindow::overviewDoubleClicked(QPoint at)
{
    const std::optional<std::vector<overview::SheetHit>> hits = overview::sheetsAt(
        m_state->workingFile(workspace::WorkingFileKind::SheetOutlines, m_state->currentDatum()),
        overview::surveyPointAt(m_overview.view, at.x(), at.y()));
    if (!hits || hits->empty())
        showWholeOverview();
}

// The drawings the overview shows are gone or others: every picture and the
// datum's window go with them.
void MainWindow::forgetOverviews(workspace::Datum datum)
{
    m_overviewCache.forgetAll();
    m_overview.keptWindows[datum].reset();
}

// Every button and modifier does the same: the drawings of the sheets under
// the pointer go to the viewer.
void MainWindow::overviewClicked(Qt::MouseButton, Qt::KeyboardModifiers, QPoint position)
{
    if (overview::requestSheetsAt(*m_state, m_overview.view, position.x(), position.y()))
        search::StartViewer(*this, m_operator,
                            formats::viewerArgumentText(m_state->settingsFolder()));
}

} // namespace ft::app
