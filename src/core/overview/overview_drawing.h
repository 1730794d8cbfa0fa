#pragma once

#include "core/formats/extent.h"
#include "core/overview/overview_view.h"
#include "core/workspace/datum.h"

#include <QColor>

#include <filesystem>
#include <optional>
#include <set>

class QPainter;

namespace ft::catalogue {
class CatalogueDatabase;
}
namespace ft::workspace {
class Workspace;
}

namespace ft::overview {

class SegmentStore;

// Colours of the overview: a white page, map sheets in dark green, outline
// segments in black.
inline const QColor kBackgroundColour{255, 255, 255};
inline const QColor kSheetColour{0, 128, 0};
inline const QColor kSegmentColour{0, 0, 0};
inline constexpr int kSheetLabelPointSize = 7;
inline constexpr int kSegmentPenWidth = 2;

// The three working files one overview is drawn from (one datum's).
struct OverviewFiles {
    std::filesystem::path extent;
    std::filesystem::path sheetOutlines;
    std::filesystem::path segments;
};

// The working files of a datum in the program's data folder.
OverviewFiles overviewFilesOf(const workspace::Workspace& workspace, workspace::Datum datum);

// The drawings whose working-file lines an overview shows: those numbered 1
// or more and, when `registered` is given, only those among it. A
// registration writes a set's working-file records before its FILE row lands
// (and one that fails or is killed leaves them until they are tidied): the
// program shows only the drawings of the catalogue's FILE rows.
struct ShownDrawings {
    std::optional<std::set<int>> registered;

    bool shows(int fileNo) const
    {
        return fileNo >= 1 && (!registered || registered->contains(fileNo));
    }
};

// Paints the area from (0, 0) to (width + 1, height + 1), exclusive, white:
// an empty overview.
void ClearOverview(QPainter& canvas, int width, int height);

// Draws one overview over whatever the canvas shows: fits the extent into
// the view's pixel size (writing the window into the view), then one green
// rectangle with its name per sheet-outline line and one black line per
// segment line, in file order, sheets first. Lines with a drawing number
// below 1 are left out; a missing sheet-outline or segment file leaves out
// its layer. Returns false, drawing nothing, when the extent admits no window
// (see fitWindow).
// A coordinate that is not a number throws SourceFileError naming the file
// and line; what was drawn before it stays.
bool drawOverviewOf(QPainter& canvas, OverviewView& view, const formats::Extent& extent,
                    const OverviewFiles& files, const ShownDrawings& shown);

// Draws the files as drawOverviewOf does, through the view's window as it
// stands (zoomed, panned or whole). `segments`, when given, holds the
// segment file's segments and is drawn instead of reading the file.
void drawOverviewWindow(QPainter& canvas, const OverviewView& view, const OverviewFiles& files,
                        const ShownDrawings& shown, const SegmentStore* segments);

// The drawing numbers of the catalogue's FILE rows: the overview draws, and a
// click on it hands over, only sheets of these numbers (see ShownDrawings).
std::set<int> registeredDrawings(catalogue::CatalogueDatabase& db);

// The program's overview: nothing while the drawings-present flag is clear,
// nor when the current datum has no extent file (the view then keeps its
// window). Otherwise the extent file's box becomes the current datum's extent
// and the datum's working files are drawn through the window the datum was
// zoomed to, when it was chosen over this extent, else through the whole
// extent's (placeWindow). `segments`, when given, holds the current datum's
// segment file. Only the lines of drawings `shown` shows are drawn. Returns
// whether the overview was drawn. Errors as
// drawOverviewOf; a bad number in the extent file throws SourceFileError
// before anything is drawn.
bool DrawOverview(QPainter& canvas, workspace::Workspace& workspace, OverviewState& overview,
                  const ShownDrawings& shown, const SegmentStore* segments = nullptr);

} // namespace ft::overview
