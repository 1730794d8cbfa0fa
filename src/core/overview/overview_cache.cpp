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

void OverviewCache::forgetAll()
{
    for (const workspace::Datum datum : workspace::kDatums)
        m_drawings[datum].reset();
}

} // namespace ft::overview
