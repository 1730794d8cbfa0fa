#pragma once

// Draws the open drawings onto any QPainter (the window, an offscreen image,
// a PDF page, a printer), so that what the window shows can be tested and
// put on paper the same way.

#include "viewer/drawing_scene.h"
#include "viewer/scene_item.h"
#include "viewer/view_transform.h"

#include <QColor>

#include <optional>
#include <vector>

class QPainter;

namespace ft::viewer {

// Colours of the drawing.
inline const QColor kPaperColour{255, 255, 255};
inline const QColor kOutlineColour{0, 0, 0};
inline const QColor kBrokenOutlineColour{200, 0, 0};
inline const QColor kLotColour{0, 0, 0};
inline const QColor kSheetColour{0, 128, 0}; // as the overview draws sheets
inline const QColor kFrameColour{0, 90, 200};
inline const QColor kPointColour{0, 0, 160};
inline const QColor kControlPointColour{210, 0, 0};
inline const QColor kHighlightFill{255, 200, 60};
inline const QColor kSheetHighlightFill{200, 240, 200};
inline const QColor kPointHighlight{220, 0, 160};
inline const QColor kFocusColour{230, 0, 0};

// The layers that can be switched on and off.
struct Layers {
    bool outlines = true;
    bool lotNumbers = true;
    bool boundaryPoints = true;
    bool pointNames = false; // names on demand: thousands of them hide the drawing
    bool controlPoints = true;
    bool mapSheets = true;
    bool frames = true;
};

// What of one drawing is to stand out: the requested items, by their index in
// the drawing's scene lists.
struct DrawingMarks {
    std::vector<std::size_t> outlines;
    std::vector<std::size_t> mapSheets;
    std::vector<std::size_t> frames;
    std::vector<std::size_t> points;
    std::vector<std::size_t> controlPoints;

    bool isEmpty() const
    {
        return outlines.empty() && mapSheets.empty() && frames.empty() && points.empty() &&
               controlPoints.empty();
    }
};

// A drawing to draw with its marks.
struct DrawingToRender {
    const SceneDrawing* scene = nullptr; // null (a drawing that could not be read): nothing drawn
    const DrawingMarks* marks = nullptr; // may be null
};

struct RenderOptions {
    Layers layers;
    // Device pixels per screen pixel: line widths and marks grow with it, so
    // that paper at 300 dpi looks like the screen. Fonts are in points and
    // follow the device's resolution by themselves.
    double deviceScale = 1.0;
    // Boundary points are marked only while no more than this many are in
    // view (their names a tenth of it): more would only blacken the drawing.
    std::size_t maxPointMarks = 6000;
};

// Fills the view's pixel area with paper and draws the drawings over it:
// sheets, frames, highlight fills, outlines, lot numbers, points, control
// points, then the marks and the focus: the one item selected in the side
// list or found by the lot-number box, drawn over everything in the focus
// colour (its drawing is an index into `drawings`).
void renderScene(QPainter& painter, const ViewTransform& view,
                 const std::vector<DrawingToRender>& drawings,
                 const std::optional<SceneItem>& focus, const RenderOptions& options);

} // namespace ft::viewer
