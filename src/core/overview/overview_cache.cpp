#include "core/overview/overview_cache.h"

namespace ft::overview {

OverviewFilesStamp stampOf(const OverviewFiles& files)
{
    return {{platform::stampOf(files.extent), platform::stampOf(files.sheetOutlines),
             platform::stampOf(files.segments)}};
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

const SegmentStore* OverviewCache::segmentsOf(workspace::Datum datum,
                                              const std::filesystem::path& file)
{
    // Taken before reading: a file that changes meanwhile does not match it later.
    const platform::FileStamp now = platform::stampOf(file);
    if (!m_segments || m_segments->datum != datum || !(m_segments->stamp == now)) {
        m_segments.reset();
        std::optional<SegmentStore> segments;
        try {
            segments = SegmentStore::load(file);
        } catch (const std::exception&) {
            // A number that is not one: the drawing from the file says
            // where, each time it is drawn, until the file is mended.
        }
        m_segments = HeldSegments{datum, now, std::move(segments)};
    }
    return m_segments->segments ? &*m_segments->segments : nullptr;
}

void OverviewCache::forgetAll()
{
    for (const workspace::Datum datum : workspace::kDatums)
        m_drawings[datum].reset();
    m_segments.reset();
}

} // namespace ft::overview
