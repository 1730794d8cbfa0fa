#include "core/overview/overview_cache.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace ft::overview {

namespace {

FileStamp stampOf(const std::filesystem::path& file)
{
    std::error_code error;
    FileStamp stamp;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return stamp;
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(file, error);
    if (error)
        return stamp;
    stamp.exists = true;
    stamp.size = size;
    stamp.modified =
        std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
    return stamp;
}

} // namespace

OverviewFilesStamp stampOf(const OverviewFiles& files)
{
    return {{stampOf(files.extent), stampOf(files.sheetOutlines), stampOf(files.segments)}};
}

const CachedOverview* OverviewCache::find(workspace::Datum datum,
                                          const OverviewFilesStamp& now) const
{
    const std::optional<CachedOverview>& drawing = m_drawings[datum];
    if (!drawing || drawing->stamp != now)
        return nullptr;
    return &*drawing;
}

void OverviewCache::store(workspace::Datum datum, CachedOverview drawing)
{
    m_drawings[datum] = std::move(drawing);
}

void OverviewCache::forgetAll()
{
    for (const workspace::Datum datum : workspace::kDatums)
        m_drawings[datum].reset();
}

} // namespace ft::overview
