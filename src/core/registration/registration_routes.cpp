#include "core/registration/registration_routes.h"

#include "core/platform/operator.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "core/platform/progress.h"
#include "core/registration/discovery.h"
#include "core/registration/registration_driver.h"
#include "core/registration/target_list_view.h"

#include <QString>
#include <QStringList>

namespace ft::registration {

namespace {

QString pathText(const std::filesystem::path& path)
{
    return QString::fromStdString(platform::pathText(path));
}

// "<path>は登録できません", with the reason on the next line when there is one.
QString refusalText(const std::filesystem::path& path, const std::string& reason)
{
    QString text = pathText(path) + QStringLiteral("は登録できません");
    if (!reason.empty())
        text += u'\n' + QString::fromStdString(reason);
    return text;
}

// The notice of what a walk passed by: the folder route names each path (the
// operator chose the folder and can mend what is named); the drive scan
// gives only the counts, since system volumes always hold folders no one may
// read. Empty when nothing was passed by.
QString passedByText(const PassedBy& passedBy, bool withPaths)
{
    if (passedBy.empty())
        return {};
    QString text =
        platform::Message(QT_TRANSLATE_NOOP("findTavla", "Some were not taken for registration."))
            .text();
    const auto section = [&](const char* what, const std::vector<std::filesystem::path>& paths) {
        if (paths.empty())
            return;
        const QStringList arguments{platform::Message(what).text(), QString::number(paths.size())};
        text += QStringLiteral("\n\n");
        if (!withPaths) {
            text +=
                platform::Message(QT_TRANSLATE_NOOP("findTavla", "%1: %2 found"), arguments).text();
            return;
        }
        text +=
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "%1 (%2 found):"), arguments).text();
        for (const std::filesystem::path& path : paths)
            text += u'\n' + pathText(path);
    };
    section(QT_TRANSLATE_NOOP("findTavla", "Data sets without all of .pol, .pnt, .atr"),
            passedBy.incompleteSets);
    section(QT_TRANSLATE_NOOP("findTavla", "Folders that could not be read"),
            passedBy.unreadableFolders);
    return text;
}

void tellPassedBy(RegistrationRoutes& routes, const PassedBy& passedBy, bool withPaths)
{
    const QString text = passedByText(passedBy, withPaths);
    if (!text.isEmpty())
        routes.op.notify(text, platform::Operator::Notice::Warning);
}

QString countText(int registered)
{
    return QString::number(registered) + QStringLiteral("件登録しました");
}

// The count of a run that the operator stopped: how many sets it
// registered before it stopped.
void tellStopped(RegistrationRoutes& routes, int registered)
{
    routes.op.notify(
        platform::Message(QT_TRANSLATE_NOOP("findTavla", "Registration stopped.")).text() + u'\n' +
            countText(registered),
        platform::Operator::Notice::Information);
}

// Shows the target list; when the operator confirms it, registers the
// checked entries and reports the count, then any set that failed.
bool confirmAndRegister(RegistrationRoutes& routes)
{
    if (!routes.view.confirmTargets(routes.targets))
        return false;
    const RegistrationResult result =
        RegisterTargets(routes.stores, routes.targets, routes.progress);
    if (result.stopped)
        tellStopped(routes, result.registered);
    else
        routes.op.notify(countText(result.registered));
    if (!result.failed.empty()) {
        QStringList refusals;
        for (const FailedSet& failed : result.failed)
            refusals << refusalText(failed.headerPath, failed.reason);
        routes.op.notify(refusals.join(QStringLiteral("\n\n")),
                         platform::Operator::Notice::Warning);
    }
    return true;
}

// Walks the folders off the window's thread, the window showing what the
// walk does and offering to stop it. A stopped walk asks whether the
// headers found by then go to the target list; false when the operator
// wants none of them. The entries found are appended unless listed already.
bool discover(RegistrationRoutes& routes, const std::vector<std::filesystem::path>& folders,
              PassedBy& passedBy)
{
    ScanTally tally;
    Discovery found;
    {
        platform::BusyGuard busy(routes.progress);
        RunScan(routes.progress, tally, [&] {
            for (const std::filesystem::path& folder : folders)
                DiscoverDataSets(folder, tally, found);
        });
    }
    passedBy = std::move(found.passedBy);
    if (tally.stopRequested() &&
        !routes.op.askYesNo(
            platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                                "The search for data sets was stopped.\nShow the "
                                                "%1 found so far in the list of target files?"),
                              {QString::number(found.candidates.size())})
                .text()))
        return false;
    AppendNewCandidates(found, routes.targets);
    return true;
}

// The drive table lists every drive before the walk starts; the walk then
// goes through the ready ones.
std::vector<std::filesystem::path> listDrives(RegistrationRoutes& routes)
{
    platform::BusyGuard busy(routes.progress);
    const std::vector<DriveInfo> drives = routes.drives();
    routes.progress.showStatus(QString::number(drives.size()) + QStringLiteral("ドライブ"));
    std::vector<std::filesystem::path> readyDrives;
    for (const DriveInfo& drive : drives) {
        routes.view.addDrive(drive);
        if (drive.ready)
            readyDrives.push_back(drive.mountPoint);
    }
    routes.progress.processEvents();
    return readyDrives;
}

bool registerFolder(RegistrationRoutes& routes)
{
    const std::optional<std::filesystem::path> folder =
        routes.op.pickFolder(QStringLiteral("登録するフォルダの選択"));
    if (!folder)
        return false;
    PassedBy passedBy;
    const bool offered = discover(routes, {*folder}, passedBy);
    tellPassedBy(routes, passedBy, true);
    return offered && confirmAndRegister(routes);
}

bool registerFiles(RegistrationRoutes& routes)
{
    // The survey files of old media often carry upper-case names.
    const std::vector<std::filesystem::path> files =
        routes.op.pickFiles(QStringLiteral("hed files (*.hed *.HED)"));
    if (files.empty())
        return false;
    std::vector<TargetEntry> entries;
    for (const std::filesystem::path& file : files)
        entries.push_back(MakeTargetEntry(file));
    const std::vector<EntryResult> results =
        RegisterEntries(routes.stores, entries, routes.progress);
    int registered = 0;
    bool stopped = false;
    for (std::size_t i = 0; i < results.size(); ++i) {
        switch (results[i].outcome) {
        case SetOutcome::Registered:
            ++registered;
            break;
        case SetOutcome::Stopped:
            stopped = true;
            break;
        case SetOutcome::AlreadyRegistered:
        case SetOutcome::Failed:
            routes.op.notify(refusalText(entries[i].headerPath, results[i].reason),
                             platform::Operator::Notice::Warning);
            break;
        }
    }
    if (stopped)
        tellStopped(routes, registered);
    return true;
}

} // namespace

bool ScanDrivesAndRegister(RegistrationRoutes& routes)
{
    if (!routes.op.askYesNo(QStringLiteral("全ドライブをスキャンします。よろしいですか？")))
        return false;
    routes.progress.processEvents();
    routes.view.clearDrives();
    PassedBy passedBy;
    const bool offered = discover(routes, listDrives(routes), passedBy);
    tellPassedBy(routes, passedBy, false);
    return offered && confirmAndRegister(routes);
}

bool RegisterFolderOrFiles(RegistrationRoutes& routes)
{
    if (routes.op.askYesNo(QStringLiteral("フォルダーを指定しますか？"),
                           platform::Operator::Icon::Warning))
        return registerFolder(routes);
    return registerFiles(routes);
}

} // namespace ft::registration
