#pragma once

#include "core/formats/extent.h"
#include "core/overview/overview_drawing.h"
#include "core/overview/overview_view.h"
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
// the extent it read, with the state of the files it was drawn from.
struct CachedOverview {
    QImage picture;
    OverviewView view;
    formats::Extent extent;
    OverviewFilesStamp stamp;
};

// The last drawing of each datum, so that switching back to a datum, or
// activating the window, shows its overview at once instead of reading a
// million segments again. A drawing is good only while its working files
// keep their size and time; the owner forgets the drawings whenever it
// changes the files itself (registration, delete-all).
class OverviewCache {
public:
    // The datum's drawing when its files are still in the state `now`.
    const CachedOverview* find(workspace::Datum datum, const OverviewFilesStamp& now) const;
    void store(workspace::Datum datum, CachedOverview drawing);
    void forgetAll();

private:
    workspace::PerDatum<std::optional<CachedOverview>> m_drawings;
};

} // namespace ft::overview
