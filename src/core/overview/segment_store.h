#pragma once

#include "core/overview/overview_window.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace ft::overview {

// The outline segments of one segment file held in memory, so that a zoom or
// a pan draws a million segments again without reading and parsing a million
// lines again. Working files write coordinates with three decimals; each end
// is kept as whole thousandths from the first segment's start, 16 bytes a
// segment, and read back as the very double the file's text gives (a
// division of whole numbers is rounded as the text's conversion is). A
// registration appends a drawing's segments together, so the drawing number
// is kept once per run of segments of one drawing, not per segment.
class SegmentStore {
public:
    // The segments of the file with a drawing number of 1 or more, in file
    // order. Nothing when the file cannot be opened, or when a coordinate
    // cannot be kept exactly (more than three decimals, or more than 2,000 km
    // from the first): such a file is drawn from its lines. A coordinate that
    // is not a number throws SourceFileError naming the file and line.
    static std::optional<SegmentStore> load(const std::filesystem::path& segments);

    std::size_t size() const { return m_ends.size(); }

    // Calls visit(from, to) for every segment whose drawing number `shows`
    // admits, in file order.
    template <typename Shows, typename Visit> void forEach(Shows&& shows, Visit&& visit) const
    {
        for (std::size_t run = 0; run < m_runs.size(); ++run) {
            if (!shows(m_runs[run].fileNo))
                continue;
            const std::size_t end = run + 1 < m_runs.size() ? m_runs[run + 1].first : m_ends.size();
            for (std::size_t i = m_runs[run].first; i < end; ++i) {
                const std::array<std::int32_t, 4>& ends = m_ends[i];
                visit(SurveyPoint{coordinate(m_originX, ends[0]), coordinate(m_originY, ends[1])},
                      SurveyPoint{coordinate(m_originX, ends[2]), coordinate(m_originY, ends[3])});
            }
        }
    }

private:
    // Segments from `first` up to the next run's first are of drawing `fileNo`.
    struct Run {
        int fileNo;
        std::size_t first;
    };

    void add(int fileNo, const std::array<std::int32_t, 4>& ends);

    static double coordinate(std::int64_t origin, std::int32_t offset)
    {
        return static_cast<double>(origin + offset) / 1000.0;
    }

    std::int64_t m_originX = 0; // thousandths of a survey unit
    std::int64_t m_originY = 0;
    std::vector<std::array<std::int32_t, 4>> m_ends; // x1, y1, x2, y2 from the origin
    std::vector<Run> m_runs;
};

} // namespace ft::overview
