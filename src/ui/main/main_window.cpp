#include "ui/main/main_window.h"

#include "core/catalogue/change_counter.h"
#include "core/catalogue/shared_catalogue.h"
#include "core/formats/request_file.h"
#include "core/platform/folders.h"
#include "core/platform/operator_message.h"
#include "core/registration/registration_driver.h"
#include "core/registration/registration_routes.h"
#include "core/registration/target_list.h"
#include "core/registration/working_file_cache.h"
#include "core/workspace/delete_all.h"
#include "core/workspace/settings_file.h"
#include "ui/main/overview_image.h"
#include "ui/main/window_placement.h"
#include "ui/registration/target_list_dialog.h"
#include "ui/widgets/error_report.h"
#include "ui/widgets/system_button.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLocale>

#include <cstdint>
#include <string>

#include <chrono>

namespace ft::app {
namespace {

constexpr int kClientWidth = 963;
constexpr int kClientHeight = 619;
const QPoint kDesignedPosition(198, 120);
// How often an active window looks at the catalogue's change counter.
constexpr std::chrono::milliseconds kFollowInterval{3000};

// "日本測地系" or "世界測地系".
QString datumName(workspace::Datum datum)
{
    return QString::fromStdString(
        registration::DatumLabel(std::to_string(workspace::datumCode(datum))));
}

// A count with its thousands grouped ("1,234"), whatever the desktop's language.
QString countText(std::int64_t count)
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(static_cast<qlonglong>(count));
}

// Delete-all on a catalogue server deletes for every desk: the question
// names the server (its connection text never holds the password).
QString sharedCatalogueWarning(catalogue::CatalogueDatabase& db)
{
    if (!catalogue::IsShared(db))
        return {};
    return QStringLiteral("\n\n") +
           platform::messageText(QT_TRANSLATE_NOOP("findTavla",
                                                   "They are deleted for every desk that uses the "
                                                   "catalogue server %1."),
                                 {QString::fromStdString(db.DisplayName())});
}

// On a catalogue shared with other desks the overview's working files
// follow what every desk registered. Another program of this desk that is
// registering brings them up to date itself.
void updateOverviewCache(workspace::Workspace& state)
{
    registration::UpdateWorkingFileCache(state, state.currentDatum());
}

} // namespace

MainWindow::MainWindow(platform::Operator& op, QWidget* parent)
    : MainWindow(op, platform::dataFolder(), platform::settingsFolder(), parent)
{
}

MainWindow::MainWindow(platform::Operator& op, std::filesystem::path dataFolder,
                       std::filesystem::path settingsFolder, QWidget* parent)
    : QWidget(parent), m_operator(op), m_state(std::make_unique<workspace::Workspace>(
                                           std::move(dataFolder), std::move(settingsFolder)))
{
    // Before anything is counted or drawn: what a registration that ended
    // halfway left behind goes first. A tidy that fails is reported and
    // tried again by the next start; the window still opens.
    runCommand(op, [this] { registration::TidyAfterInterruptedRun(*m_state); });
    setUpWindow();
    m_controls = createMainWindowControls(*this);
    m_progress = std::make_unique<StatusBarProgress>(*m_controls.statusBar);
    m_progress->setCommands(m_controls.commands());
    connectHandlers();
    connectNameLists();
    startUp();
    createResultWindows();
    // Not while one of our modal windows or message boxes is up: they show
    // what the operator is deciding on.
    m_followTimer = new QTimer(this);
    m_followTimer->setInterval(kFollowInterval);
    connect(m_followTimer, &QTimer::timeout, this, [this] {
        if (m_activated && isActiveWindow() && QApplication::activeModalWidget() == nullptr)
            runCommand(m_operator, [this] { followOtherPrograms(); });
    });
    m_followTimer->start();
}

// The state (both catalogues, the trace logs) goes with the members, before
// QWidget's destructor deletes the controls and the hidden windows; none of
// those reads the state while it is being deleted.
MainWindow::~MainWindow() = default;

const QImage& MainWindow::overviewImage() const
{
    return m_controls.overview->canvas();
}

void MainWindow::setUpWindow()
{
    setObjectName(QStringLiteral("findTavlaF"));
    setWindowTitle(QStringLiteral("地籍データを検索します"));
    // A fixed single border: the controls are placed for this size only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(widgets::japaneseUiFont());
    move(kDesignedPosition);
}

template <typename Button>
void MainWindow::connectClick(Button* button, void (MainWindow::*handler)())
{
    connect(button, &Button::clicked, this,
            [this, handler] { runCommand(m_operator, [this, handler] { (this->*handler)(); }); });
}

void MainWindow::connectHandlers()
{
    const MainWindowControls& c = m_controls;
    connectClick(c.parcelSearchButton, &MainWindow::searchParcels);
    connectClick(c.mapSheetSearchButton, &MainWindow::searchMapSheets);
    connectClick(c.boundaryPointSearchButton, &MainWindow::searchBoundaryPoints);
    connectClick(c.controlPointSearchButton, &MainWindow::searchControlPoints);
    connectClick(c.japaneseDatumRadio, &MainWindow::japaneseDatumClicked);
    connectClick(c.worldDatumRadio, &MainWindow::worldDatumClicked);
    connectClick(c.registerAllVolumesButton, &MainWindow::registerFromAllVolumes);
    connectClick(c.drawingListButton, &MainWindow::listRegisteredDrawings);
    connectClick(c.registerButton, &MainWindow::registerFolderOrFiles);
    connectClick(c.deleteAllButton, &MainWindow::deleteAllOfDatum);
    connectClick(c.closeButton, &MainWindow::closeMainWindow);
    connectOverview();
}

// Start-up once the controls exist: the folders are known and both catalogues
// are open (the state did that); now the window's place, the saved datum and
// the count of registered drawings.
void MainWindow::startUp()
{
    restoreWindowPlacement(*this, m_state->settingsFile(), kClassName);

    for (QWidget* field : m_controls.searchFields()) {
        if (auto* combo = qobject_cast<QComboBox*>(field))
            combo->setEditText(QString());
        else if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->clear();
    }

    switchDatum(workspace::readSavedDatum(m_state->settingsFile()));
    runCommand(m_operator, [this] { updateOverviewCache(*m_state); });
    redrawOverview();

    // A catalogue that could not be opened does not stop the program: the
    // operator is told, and the other datum stays usable.
    bool currentOpen = true;
    for (const workspace::Datum datum : workspace::kDatums) {
        if (m_state->catalogues().isOpen(datum))
            continue;
        m_operator.reportError(QString::fromStdString(m_state->catalogues().openingFailure(datum)));
        currentOpen = currentOpen && datum != m_state->currentDatum();
    }
    if (!currentOpen)
        return;
    bool counted = false;
    runCommand(m_operator, [this, &counted] {
        showDrawingCount();
        counted = true;
    });
    if (counted && !m_overview.drawingsPresent)
        m_operator.notify(QStringLiteral("まず図面データの場所を追加してください"));
}

// Label6 and the drawings-present flag follow the current catalogue's FILE
// count. Both are cleared first: when the count cannot be read (the error
// goes to the caller) nothing of another datum's state is left showing.
void MainWindow::showDrawingCount()
{
    m_controls.drawingCount->clear();
    m_overview.drawingsPresent = false;
    // Read before the count: a change landing in between is seen next time.
    const workspace::Datum datum = m_state->currentDatum();
    const std::int64_t changes = catalogue::ReadChangeCounter(m_state->currentCatalogue());
    const QString count = QString::fromStdString(workspace::registeredDrawingCountText(*m_state));
    m_controls.drawingCount->setText(count);
    m_controls.drawingCount->adjustSize();
    m_overview.drawingsPresent = !count.isEmpty();
    m_changesShown.emplace(datum, changes);
}

// The count, the flag and then the overview, which is drawn also when the
// count could not be read.
void MainWindow::refreshDrawings()
{
    try {
        updateOverviewCache(*m_state);
        showDrawingCount();
    } catch (...) {
        redrawOverview();
        throw;
    }
    redrawOverview();
}

void MainWindow::activateFirstTime()
{
    emptyTargetList();
    redrawOverview();
}

void MainWindow::followOtherPrograms()
{
    // Not while a command of ours runs (it refreshes when it ends), and not
    // for a catalogue that could not be opened (start-up told that).
    const workspace::Datum datum = m_state->currentDatum();
    if (m_progress->isBusy() || !m_state->catalogues().isOpen(datum))
        return;
    std::int64_t changes = 0;
    try {
        changes = catalogue::ReadChangeCounter(m_state->currentCatalogue());
    } catch (const std::exception&) {
        // A catalogue busy or unreadable just now: the next command that
        // reads it reports that; an activation stays quiet.
        return;
    }
    if (m_changesShown && *m_changesShown == std::make_pair(datum, changes))
        return;
    // Taken as seen before refreshing: a refresh that fails is reported
    // once, not again at the activation that closing its report brings.
    m_changesShown.emplace(datum, changes);
    m_overviewCache.forgetAll();
    refreshDrawings();
}

bool MainWindow::event(QEvent* event)
{
    // Closing our own modal windows and message boxes activates the window
    // again: the first activation draws the overview, every later one looks
    // whether another program changed the catalogue meanwhile.
    if (event->type() == QEvent::WindowActivate) {
        if (!m_activated) {
            m_activated = true;
            runCommand(m_operator, [this] { activateFirstTime(); });
        } else {
            runCommand(m_operator, [this] { followOtherPrograms(); });
        }
    }
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Long work lets events run; closing under it would pull the state away
    // from the command still on the stack.
    if (m_progress->isBusy()) {
        event->ignore();
        return;
    }
    closeDown();
    event->accept();
}

// Saving the settings may fail (a read-only settings folder): the operator
// is told, and the window closes all the same.
void MainWindow::closeDown()
{
    runCommand(m_operator, [this] {
        workspace::writeSavedDatum(m_state->settingsFile(), m_state->currentDatum());
        saveWindowPlacement(*this, m_state->settingsFile(), kClassName);
    });
    m_state->trace().close();
}

void MainWindow::ShowStatus(const QString& text)
{
    m_progress->showStatus(text);
}

void MainWindow::setEmptyTargetList(std::function<void()> emptyTargetList)
{
    m_emptyTargetList = std::move(emptyTargetList);
}

void MainWindow::attachTargetList(registration::TargetListDialog& dialog)
{
    m_targetList = &dialog;
    setEmptyTargetList([&dialog] { dialog.emptyTargets(); });
}

void MainWindow::emptyTargetList()
{
    if (m_emptyTargetList)
        m_emptyTargetList();
}

// Sets the datum and ticks its radio button (if it was not already). Both
// catalogues stay open.
void MainWindow::switchDatum(workspace::Datum datum)
{
    m_state->setCurrentDatum(datum);
    QRadioButton* radio = m_state->currentDatum() == workspace::Datum::Japanese
                              ? m_controls.japaneseDatumRadio
                              : m_controls.worldDatumRadio;
    radio->setChecked(true);
}

// The operator's switch: Label6, the drawings-present flag and the overview
// all show the datum switched to, never what the other one left.
void MainWindow::datumChosen(workspace::Datum datum)
{
    switchDatum(datum);
    refreshDrawings();
}

void MainWindow::japaneseDatumClicked()
{
    if (m_controls.japaneseDatumRadio->isChecked())
        datumChosen(workspace::Datum::Japanese);
}

void MainWindow::worldDatumClicked()
{
    if (m_controls.worldDatumRadio->isChecked())
        datumChosen(workspace::Datum::World);
}

void MainWindow::deleteAllOfDatum()
{
    const workspace::Datum datum = m_state->currentDatum();
    // The designed question first; below it what exactly goes. Enter must
    // not delete: No is the default answer.
    const QString question =
        QStringLiteral("本当に削除しますか？\n\n") +
        platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "The %2 registered drawings of %1 will be deleted."),
            {datumName(datum), countText(workspace::registeredDrawingCount(*m_state))}) +
        sharedCatalogueWarning(m_state->catalogue(datum));
    if (!m_operator.askYesNo(question, platform::Operator::Icon::Question,
                             platform::Operator::DefaultAnswer::No))
        return;
    workspace::DeletedRegistrations deleted;
    try {
        // A registration by the command-line tool on the same data folder
        // must not see its catalogue emptied halfway.
        const registration::ExclusiveRun exclusive(m_state->dataFolder());
        platform::BusyGuard busy(*m_progress);
        deleted = workspace::deleteAllRegistrations(*m_state);
    } catch (...) {
        // The rows may be gone even so (a working file that could not be
        // removed fails after the commit): the window shows what is left.
        forgetOverviews(datum);
        refreshDrawings();
        throw;
    }
    forgetOverviews(datum);
    emptyTargetList();
    refreshDrawings();
    m_operator.notify(platform::messageText(QT_TRANSLATE_NOOP("findTavla", "The %2 registered "
                                                                           "drawings of %1 were "
                                                                           "deleted."),
                                            {datumName(datum), countText(deleted.drawings())}),
                      platform::Operator::Notice::Information);
}

void MainWindow::closeMainWindow()
{
    close();
}

// After a registration: the count and the drawings-present flag follow the
// catalogue, and the overview shows what is registered now. Also after a
// run that ended with an error, for what it registered before.
void MainWindow::refreshAfterRegistration()
{
    m_overviewCache.forgetAll();
    refreshDrawings();
}

void MainWindow::registerFromAllVolumes()
{
    if (!m_targetList)
        return;
    registration::RegistrationRoutes routes{*m_state, m_operator, *m_progress, *m_targetList,
                                            m_targetList->targets()};
    try {
        if (registration::ScanDrivesAndRegister(routes))
            refreshAfterRegistration();
    } catch (...) {
        refreshAfterRegistration();
        throw;
    }
}

void MainWindow::registerFolderOrFiles()
{
    if (!m_targetList)
        return;
    registration::RegistrationRoutes routes{*m_state, m_operator, *m_progress, *m_targetList,
                                            m_targetList->targets()};
    bool registered = false;
    try {
        registered = registration::RegisterFolderOrFiles(routes);
    } catch (...) {
        refreshAfterRegistration();
        throw;
    }
    // Also after a cancelled dialog the overview is drawn afresh.
    if (registered)
        refreshAfterRegistration();
    else
        redrawOverview();
}

// The searches and the drawing list live in main_window_search.cpp, the
// overview's drawing, zoom and click in main_window_overview.cpp.

} // namespace ft::app
