#include "app/app_state.h"

#include "catalogue/schema.h"

namespace ft::app {
namespace {

const char* catalogueFileName(int datum)
{
    return datum == 1 ? "Dorsajpn.db" : "Dorsawrd.db";
}

const char* workingFileExtension(WorkingFile kind)
{
    switch (kind) {
    case WorkingFile::SheetOutlines:
        return ".zu";
    case WorkingFile::Segments:
        return ".az";
    case WorkingFile::Extent:
        return ".he";
    }
    return ".zu";
}

} // namespace

AppState::AppState(std::filesystem::path dataFolder, std::filesystem::path settingsFolder)
    : m_dataFolder(std::move(dataFolder)), m_settingsFolder(std::move(settingsFolder)),
      m_trace2(m_dataFolder / "test2.log")
{
    std::filesystem::create_directories(m_dataFolder);
    std::filesystem::create_directories(m_settingsFolder);

    m_trace.openTruncated(m_dataFolder / "test.log");
    // The parcel and point converters reopen the second log for every line.
    m_trace2.truncate();

    for (const int datum : {1, 2}) {
        // Paths are UTF-8 on this platform, as SQLite wants them.
        auto db = std::make_unique<catalogue::TSQLiteDatabase>(cataloguePath(datum).string());
        catalogue::CreateSchemaIfMissing(*db);
        m_catalogues.at(index(datum)) = std::move(db);
    }
}

AppState::~AppState() = default;

catalogue::TSQLiteDatabase& AppState::catalogue(int datum)
{
    return *m_catalogues.at(index(datum));
}

std::filesystem::path AppState::cataloguePath(int datum) const
{
    return m_dataFolder / catalogueFileName(datum);
}

std::filesystem::path AppState::workingFile(WorkingFile kind, int datum) const
{
    return m_dataFolder /
           (std::string(kProgramStem) + workingFileExtension(kind) + (datum == 1 ? "1" : "2"));
}

} // namespace ft::app
