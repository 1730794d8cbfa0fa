#include "core/overview/segment_store.h"

#include "core/formats/source_records.h"
#include "core/formats/working_files.h"

#include <cmath>
#include <limits>

namespace ft::overview {

namespace {

// Beyond this a value times 1000 is no longer a whole number a double holds
// exactly; survey coordinates stay within a few thousand kilometres.
constexpr double kLargestKept = 1e12;

// The value as whole thousandths, when dividing them by 1000 gives the value
// back exactly.
std::optional<std::int64_t> thousandthsOf(double value)
{
    if (!(std::abs(value) < kLargestKept))
        return std::nullopt;
    const std::int64_t thousandths = std::llround(value * 1000.0);
    if (static_cast<double>(thousandths) / 1000.0 != value)
        return std::nullopt;
    return thousandths;
}

std::optional<std::int32_t> offsetFrom(std::int64_t origin, double value)
{
    const std::optional<std::int64_t> thousandths = thousandthsOf(value);
    if (!thousandths)
        return std::nullopt;
    const std::int64_t offset = *thousandths - origin;
    if (offset < std::numeric_limits<std::int32_t>::min() ||
        offset > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(offset);
}

} // namespace

std::optional<SegmentStore> SegmentStore::load(const std::filesystem::path& segments)
{
    SegmentStore store;
    bool exact = true;
    bool first = true;
    const bool opened = formats::forEachLine(
        segments,
        [&](std::string& line) {
            const formats::SegmentEnds segment = formats::parseSegmentEnds(line);
            if (segment.fileNo < 1 || !exact)
                return;
            if (first) {
                const auto x = thousandthsOf(segment.x1);
                const auto y = thousandthsOf(segment.y1);
                exact = x && y;
                if (!exact)
                    return;
                store.m_originX = *x;
                store.m_originY = *y;
                first = false;
            }
            const auto x1 = offsetFrom(store.m_originX, segment.x1);
            const auto y1 = offsetFrom(store.m_originY, segment.y1);
            const auto x2 = offsetFrom(store.m_originX, segment.x2);
            const auto y2 = offsetFrom(store.m_originY, segment.y2);
            exact = x1 && y1 && x2 && y2;
            if (exact)
                store.add(segment.fileNo, {*x1, *y1, *x2, *y2});
        },
        formats::RecordLineReader::Ending::AtEndOfFile);
    if (!opened || !exact)
        return std::nullopt;
    store.m_ends.shrink_to_fit();
    store.m_runs.shrink_to_fit();
    return store;
}

void SegmentStore::add(int fileNo, const std::array<std::int32_t, 4>& ends)
{
    if (m_runs.empty() || m_runs.back().fileNo != fileNo)
        m_runs.push_back({fileNo, m_ends.size()});
    m_ends.push_back(ends);
}

} // namespace ft::overview
