#include "viewer/owner_lists.h"

#include "core/dataset/data_set_reader.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"

#include <optional>

namespace ft::viewer {

namespace {

// Why a noted file can no longer stand for what the drawing shows.
std::optional<QString> changeOf(const NotedFile& noted)
{
    const platform::FileStamp now = platform::stampOf(noted.path);
    if (now == noted.stamp)
        return std::nullopt;
    const QStringList name{QString::fromStdString(platform::pathText(noted.path.filename()))};
    if (!now.exists)
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "%1 was removed after the drawing was opened, so its "
                                           "owner lists were not read. Open the drawing again"),
            name);
    if (!noted.stamp.exists)
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "%1 appeared after the drawing was opened, so its "
                                           "owner lists were not read. Open the drawing again"),
            name);
    return platform::messageText(
        QT_TRANSLATE_NOOP("findTavla",
                          "%1 was changed after the drawing was opened, so its owner lists were "
                          "not read (they would not fit what is shown). Open the drawing again"),
        name);
}

std::optional<QString> firstChange(const std::vector<NotedFile>& noted)
{
    for (const NotedFile& file : noted)
        if (std::optional<QString> change = changeOf(file))
            return change;
    return std::nullopt;
}

// A data set holding what reading its owner lists needs: the parcels'
// oaza, koaza and lot number as the drawing was read.
dataset::SurveyDataSet parcelsOf(const DrawingRecords& records)
{
    dataset::SurveyDataSet set;
    set.basePath = records.basePath;
    set.present = true;
    set.header = records.header;
    set.parcels.resize(records.parcels.size());
    for (std::size_t i = 0; i < set.parcels.size(); ++i) {
        dataset::ParcelFields& fields = set.parcels[i].fields;
        fields.oaza = records.parcels.oaza[i];
        fields.koaza = records.parcels.koaza[i];
        fields.lot = records.parcels.lot[i];
    }
    return set;
}

} // namespace

std::vector<NotedFile> noteOwnerListFiles(const std::filesystem::path& basePath)
{
    std::vector<NotedFile> noted;
    for (const dataset::SurveyFile file :
         {dataset::SurveyFile::Parcels, dataset::SurveyFile::Owners}) {
        std::filesystem::path path = dataset::siblingPath(basePath, dataset::extensionOf(file));
        const platform::FileStamp stamp = platform::stampOf(path);
        noted.push_back({std::move(path), stamp});
    }
    return noted;
}

std::vector<ListedProblem> ownerListProblems(const DrawingRecords& records,
                                             const std::vector<NotedFile>& noted)
{
    if (std::optional<QString> change = firstChange(noted))
        return {{*change, std::nullopt}};
    dataset::SurveyDataSet set = parcelsOf(records);
    dataset::readOwnerLists(set);
    // A file written while it was read gives a mixture of its two versions.
    if (std::optional<QString> change = firstChange(noted))
        return {{*change, std::nullopt}};
    std::vector<ListedProblem> problems;
    for (const dataset::ReadProblem& problem : set.problems)
        problems.push_back({fileProblemText(problem, set), std::nullopt});
    return problems;
}

} // namespace ft::viewer
