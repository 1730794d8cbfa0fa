#pragma once

#include "core/overview/overview_cache.h"
#include "core/overview/overview_view.h"
#include "core/platform/operator.h"
#include "core/workspace/workspace.h"
#include "ui/main/main_window_controls.h"
#include "ui/widgets/status_bar_progress.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace ft::search {
class ResultListWindow;
class ParcelResultWindow;
class MapSheetResultWindow;
class PointResultWindow;
class DrawingListWindow;
} // namespace ft::search

namespace ft::registration {
class TargetListDialog;
}

namespace ft::app {

// The four result list windows, made hidden after the main window and kept
// for the whole run; each search shows its window again.
struct ResultWindows {
    search::ParcelResultWindow* parcelResults = nullptr;
    search::MapSheetResultWindow* mapSheetResults = nullptr;
    search::PointResultWindow* pointResults = nullptr;
    search::DrawingListWindow* drawingList = nullptr;
};

// The main window: the overview image, the four search groups, the datum
// switch, the registration and delete-all commands and the status bar. It
// owns the application state for the whole run; building it runs the whole
// start-up (folders, catalogues, saved datum, drawing count).
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    // The class name is also the section of the placement keys.
    static constexpr const char* kClassName = "TfindTavlaF";

    // Uses the data and settings folders of this user (created when missing).
    explicit MainWindow(platform::Operator& op, QWidget* parent = nullptr);
    MainWindow(platform::Operator& op, std::filesystem::path dataFolder,
               std::filesystem::path settingsFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    workspace::Workspace& state() { return *m_state; }
    overview::OverviewState& overviewState() { return m_overview; }
    platform::Operator& operatorInterface() { return m_operator; }
    platform::Progress& progress() { return *m_progress; }
    const MainWindowControls& controls() const { return m_controls; }
    const ResultWindows& resultWindows() const { return m_resultWindows; }
    const QImage& overviewImage() const;

    // Puts the text into the status bar and lets the window repaint.
    void ShowStatus(const QString& text);

    // Empties the target list of the registration dialog; the dialog sets it.
    void setEmptyTargetList(std::function<void()> emptyTargetList);
    // The target-list dialog the registration commands show and fill; it
    // must live as long as the window.
    void attachTargetList(registration::TargetListDialog& dialog);

    // Clears the overview and draws the current datum's, through the window
    // the datum was zoomed to (when the extent is still the one it was
    // chosen over) or else whole: the datum's last drawing when its working
    // files have not changed since (in size or time), no registration or
    // delete-all came in between, and it shows that window.
    void redrawOverview();

    // Command handlers, named after their controls. Each runs through the
    // default error report when reached from the window.
    void searchParcels();        // parcel search
    void searchMapSheets();      // map sheet search
    void searchBoundaryPoints(); // boundary point search
    void searchControlPoints();  // control point search
    void japaneseDatumClicked();
    void worldDatumClicked();
    void registerFromAllVolumes(); // on skButton2: scan the drives and register
    void listRegisteredDrawings(); // registered drawing list
    void registerFolderOrFiles();  // register a folder or picked files
    void deleteAllOfDatum();       // on skButton4: delete every registration of the datum
    void closeMainWindow();        // close
    // A click (a press released where it was pressed) on the overview.
    void overviewClicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    // Zooms the overview by `factor` around the pixel, moves it by the
    // offset a drag left, shows it whole (Home, or a double click where no
    // sheet is); the current datum keeps the window.
    void zoomOverview(QPoint at, double factor);
    void panOverview(QPoint offset);
    void showWholeOverview();
    void overviewDoubleClicked(QPoint at);

    // The first activation after start-up.
    void activateFirstTime();
    // Every later activation, and every few seconds while the window stays
    // active (another desk registers without this window ever losing
    // activation): when another program has registered or deleted in the
    // current catalogue since the window counted it, the count, the
    // drawings-present flag and the overview follow.
    void followOtherPrograms();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpWindow();
    void connectHandlers();
    void connectOverview();
    template <typename Button> void connectClick(Button* button, void (MainWindow::*handler)());
    void startUp();
    void closeDown();
    void switchDatum(workspace::Datum datum);
    void datumChosen(workspace::Datum datum);
    void showDrawingCount();
    void refreshDrawings();
    void emptyTargetList();
    void createResultWindows();
    void connectNameLists();
    // Whether the statement finds a row on the current catalogue; with none,
    // tells the operator "見つかりません".
    bool anythingFound(const std::string& statement);
    // Shows a result window modally and starts the viewer when it closed with OK.
    void showResults(search::ResultListWindow& window);
    void refreshAfterRegistration();
    // Shows the datum's cached drawing when it is still good; false when not.
    bool showCachedOverview(workspace::Datum datum, const overview::OverviewFilesStamp& stamp);
    overview::ShownDrawings shownDrawings(workspace::Datum datum);
    void showOverviewScaleBar();
    void keepOverviewWindow();
    void forgetOverviews(workspace::Datum datum);

    platform::Operator& m_operator;
    std::unique_ptr<workspace::Workspace> m_state;
    overview::OverviewState m_overview;
    overview::OverviewCache m_overviewCache;
    // The extent of the overview shown; nothing while none is drawn (no
    // drawings, no extent file, a file that could not be read).
    std::optional<formats::Extent> m_drawnExtent;
    MainWindowControls m_controls;
    std::unique_ptr<StatusBarProgress> m_progress;
    std::function<void()> m_emptyTargetList;
    ResultWindows m_resultWindows;
    registration::TargetListDialog* m_targetList = nullptr;
    bool m_activated = false;
    QTimer* m_followTimer = nullptr;
    // The change counter of the catalogue whose count was last shown (or
    // last tried to show).
    std::optional<std::pair<workspace::Datum, std::int64_t>> m_changesShown;
};

} // namespace ft::app
