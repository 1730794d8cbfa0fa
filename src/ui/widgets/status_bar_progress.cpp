#include "ui/widgets/status_bar_progress.h"

#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>

#include <algorithm>

namespace ft::app {

namespace {

constexpr const char* kStopCaption = QT_TRANSLATE_NOOP("findTavla", "Stop");
constexpr const char* kRunStopHint = QT_TRANSLATE_NOOP(
    "findTavla", "Stops the registration once the drawing being registered is done");
constexpr const char* kScanStopHint =
    QT_TRANSLATE_NOOP("findTavla", "Stops the search once the folder being read is done, and shows "
                                   "what was found");

QString countText(int count)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(count);
}

} // namespace

StatusBarProgress::StatusBarProgress(QStatusBar& statusBar) : m_statusBar(&statusBar)
{
    // Owned by the status bar; right of the status text, which keeps the
    // rest of the bar.
    m_runBar = new QProgressBar(&statusBar);
    m_runBar->setObjectName(QStringLiteral("runProgress"));
    m_runBar->setFixedSize(180, 15);
    m_runBar->hide();
    m_stopButton = new QToolButton(&statusBar);
    m_stopButton->setObjectName(QStringLiteral("stopRun"));
    m_stopButton->setText(platform::messageText(kStopCaption));
    m_stopButton->setFixedHeight(17);
    m_stopButton->hide();
    statusBar.addPermanentWidget(m_runBar);
    statusBar.addPermanentWidget(m_stopButton);
    QObject::connect(m_stopButton, &QToolButton::clicked, m_stopButton, [this] { requestStop(); });
}

StatusBarProgress::~StatusBarProgress()
{
    if (m_busyDepth > 0)
        QGuiApplication::restoreOverrideCursor();
}

void StatusBarProgress::setCommands(std::vector<QWidget*> commands)
{
    m_commands.assign(commands.begin(), commands.end());
}

void StatusBarProgress::showStatus(const QString& text)
{
    if (m_statusBar)
        m_statusBar->showMessage(text);
    processEvents();
}

void StatusBarProgress::processEvents()
{
    QCoreApplication::processEvents();
}

void StatusBarProgress::beginBusy()
{
    if (m_busyDepth++ > 0)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    disableCommands();
}

void StatusBarProgress::endBusy()
{
    if (m_busyDepth == 0 || --m_busyDepth > 0)
        return;
    restoreCommands();
    QGuiApplication::restoreOverrideCursor();
}

void StatusBarProgress::disableCommands()
{
    m_disabledByUs.clear();
    for (const QPointer<QWidget>& command : m_commands) {
        if (command && command->isEnabled()) {
            command->setEnabled(false);
            m_disabledByUs.push_back(command);
        }
    }
}

void StatusBarProgress::restoreCommands()
{
    for (const QPointer<QWidget>& command : m_disabledByUs) {
        if (command)
            command->setEnabled(true);
    }
    m_disabledByUs.clear();
}

void StatusBarProgress::showStopControls(const QString& stopHint)
{
    // A new run: a stop asked of an earlier one does not carry over.
    m_stopRequested = false;
    m_stopButton->setEnabled(true);
    m_stopButton->setText(platform::messageText(kStopCaption));
    m_stopButton->setToolTip(stopHint);
    m_runBar->show();
    m_stopButton->show();
}

void StatusBarProgress::hideStopControls()
{
    if (m_runBar)
        m_runBar->hide();
    if (m_stopButton)
        m_stopButton->hide();
}

void StatusBarProgress::showRun(const platform::RunState& state)
{
    if (!m_runBar || !m_stopButton)
        return;
    if (m_runBar->isHidden())
        showStopControls(platform::messageText(kRunStopHint));
    // A run with no set to do shows a full bar, not Qt's busy indicator.
    m_runBar->setRange(0, std::max(state.setsFound, 1));
    m_runBar->setValue(state.setsFound == 0 ? 1 : state.setsDone);
    m_runBar->setFormat(
        platform::messageText(QT_TRANSLATE_NOOP("findTavla", "%1 / %2 sets"),
                              {QString::number(state.setsDone), QString::number(state.setsFound)}));
}

void StatusBarProgress::runEnded(const platform::RunState&)
{
    hideStopControls();
}

QString StatusBarProgress::scanText(const platform::ScanState& state)
{
    const QStringList counts{countText(state.foldersRead), countText(state.headersFound)};
    if (state.currentFolder.empty())
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "%1 folders read, %2 headers"),
                                     counts);
    return platform::messageText(
        QT_TRANSLATE_NOOP("findTavla", "%1 folders read, %2 headers  reading: %3"),
        counts + QStringList{QString::fromStdString(platform::pathText(state.currentFolder))});
}

void StatusBarProgress::showScan(const platform::ScanState& state)
{
    if (!m_runBar || !m_stopButton)
        return;
    if (m_runBar->isHidden()) {
        showStopControls(platform::messageText(kScanStopHint));
        // How many folders are left is not known: Qt's moving bar.
        m_runBar->setRange(0, 0);
    }
    showStatus(scanText(state));
}

void StatusBarProgress::scanEnded(const platform::ScanState& state)
{
    hideStopControls();
    // The walk has taken its stop; the registration that follows starts afresh.
    m_stopRequested = false;
    if (m_statusBar)
        m_statusBar->showMessage(scanText(state));
}

void StatusBarProgress::requestStop()
{
    m_stopRequested = true;
    m_stopButton->setEnabled(false);
    m_stopButton->setText(platform::messageText(QT_TRANSLATE_NOOP("findTavla", "Stopping…")));
}

} // namespace ft::app
