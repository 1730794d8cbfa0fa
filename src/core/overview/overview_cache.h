#pragma once

#include "core/formats/extent.h"
#include "core/overview/overview_drawing.h"
#include "core/overview/overview_view.h"
#include "core/overview/segment_store.h"
#include "core/platform/file_stamp.h"
#include "core/workspace/datum.h"

#include <QImage>

#include <array>
#include <optional>

namespace ft::overview {

// The state of the three working files an overview is drawn from.
struct OverviewFilesStamp {
    std::array<platform::FileStamp, 3> files; // extent, sheet outlines, segments

    bool operator==(const OverviewFilesStamp&) const = default;
};

OverviewFilesStamp stampOf(const OverviewFiles& files);

// One datum's last drawing: the picture, the view record the draw set and
// the extent it read, whether anything was drawn (not without an extent
// file), with the state of the files it was drawn from.
struct CachedOverview {
    QImage picture;
    OverviewView view;
    formats::Extent extent;
    bool drawn = false;
    OverviewFilesStamp stamp;
};

// The last drawing of each datum, so that switching back to a datum, or
// activating the window, shows its overview at once instead of reading a
// million segments again; and the segments of the datum drawn last, so that
// a zoom or a pan draws them again from memory. Both are good only while
// their working files keep their size and time; the owner forgets them
// whenever it changes the files itself (registration, delete-all).
class OverviewCache {
public:
    // The datum's drawing when its files are still in the state `now`.
    const CachedOverview* find(workspace::Datum datum, const OverviewFilesStamp& now) const;
    void store(workspace::Datum datum, CachedOverview drawing);

    // The segments of the datum's segment file, loaded when the file is
    // another than last time (the segments of the other datum are let go:
    // a million segments take 16 MB). Nothing when the file cannot be held
    // (SegmentStore::load) or cannot be read; the drawing then reads the
    // file itself, and reports what is wrong with it.
    const SegmentStore* segmentsOf(workspace::Datum datum, const std::filesystem::path& file);

    void forgetAll();

private:
    struct HeldSegments {
        workspace::Datum datum;
        platform::FileStamp stamp;
        std::optional<SegmentStore> segments;
    };

    workspace::PerDatum<std::optional<CachedOverview>> m_drawings;
    std::optional<HeldSegments> m_segments;
};

} // namespace ft::overview
