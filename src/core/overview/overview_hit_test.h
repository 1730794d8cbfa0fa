#pragma once

#include "core/overview/overview_window.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ft::workspace {
class Workspace;
}

namespace ft::overview {

// A map sheet under the pointer: its name (CP932, folded with ToHalfWidth)
// and the drawing it belongs to.
struct SheetHit {
    std::string name;
    int fileNo = 0;
};

// Every line of the sheet-outline file whose rectangle holds the point, edges
// included, in file order. Lines whose drawing number is below 1 are passed
// by, as the drawing passes them by: a record cut short reads as drawing 0,
// and no drawing has that number. Nothing when the file cannot be opened. A
// coordinate that is not a number throws SourceFileError naming the file and
// line.
std::optional<std::vector<SheetHit>> sheetsAt(const std::filesystem::path& sheetOutlines,
                                              SurveyPoint point);

// One record of the viewer request that a click on the overview makes.
struct SheetRequestRecord {
    enum class Kind {
        Drawing,   // record 0: the drawing's registered path
        SheetName, // record 3: the sheet to show in it
    };
    Kind kind = Kind::Drawing;
    int fileNo = 0;        // Drawing
    std::string sheetName; // SheetName, CP932
};

// The records for the hits, in order: a drawing record whenever a hit's
// drawing differs from the previous hit's, then a sheet-name record whenever
// its name differs from the previous hit's name (empty before the first), in
// whichever drawing that hit was. So a name repeated right after a drawing
// change is not sent again.
std::vector<SheetRequestRecord> sheetRequestRecords(const std::vector<SheetHit>& hits);

// A click on the overview at pixel (x, y): the sheets of the current datum's
// sheet-outline file under that point (with the window of the last draw)
// are written to the viewer request file in the settings folder, each
// drawing by its registered path followed by its sheet names. Returns true
// when anything was hit: the viewer is then to be started with the request.
// Sheets of drawings without a FILE row (a set still registering, or one
// that never did) are passed over, as the drawing leaves them out.
// Without a sheet-outline file nothing happens and the request file is not
// touched; when nothing is hit the request file is left empty.
// Throws what the parts throw: SourceFileError for a bad number in the
// sheet-outline file, the request writer's errors, and the catalogue's
// errors. On any of them the request is abandoned and the request file
// keeps the previous request.
bool requestSheetsAt(workspace::Workspace& workspace, const OverviewView& view, int x, int y);

} // namespace ft::overview
