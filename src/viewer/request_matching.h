#pragma once

// What a request asks the viewer to show, found in the open drawings: which
// outlines, sheets and points stand out, what the side list says about each
// requested item, and what the first view fits.
//
// Item records name no drawing (except the sheet names of an overview click,
// which follow their drawing), so codes 2, 4 and 5 are looked for in every
// open drawing. A code 2 record is a parcel (oaza, koaza, lot number) or a map
// sheet (name, scale, classification); in each drawing it is taken as a
// parcel when a parcel of that drawing has those three values, otherwise as a
// map sheet. Values are compared as the catalogue holds them (lot numbers,
// sheet and point names folded to half width), as UTF-8, so the round trip
// catalogue -> request file cannot make them differ. Equal records (a parcel
// ticked in its parcel row and its owner rows) are matched once.

#include "core/dataset/survey_data_set.h"
#include "core/search/request_reader.h"
#include "viewer/drawing_scene.h"
#include "viewer/scene_item.h"
#include "viewer/scene_renderer.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace ft::viewer {

// An open drawing as matching sees it.
struct OpenDrawing {
    const dataset::SurveyDataSet* data = nullptr; // null when it could not be read
    const SceneDrawing* scene = nullptr;          // null likewise
    std::string requestPath; // CP932, as the request names it; empty when opened otherwise
};

// How a requested item was found.
enum class ItemState {
    Shown,             // found and drawn: highlighted, and in the first view
    NotFound,          // in no open drawing
    NoOutline,         // the parcel is there, but no outline belongs to it
    OutlineIncomplete, // its outline misses points or does not close: drawn, not filled
    DrawingUnreadable, // the drawing it belongs to could not be read
};

struct MatchedItem {
    std::size_t requestItem = 0;        // index into ViewerRequest::items
    std::optional<std::size_t> drawing; // the open drawing it was found in
    ItemState state = ItemState::NotFound;
    QString label;                  // what it is, for the side list
    std::vector<SceneItem> targets; // what selecting it shows
    MapBox box;                     // the targets' box; a whole drawing's bounds for code 1
};

struct RequestMatch {
    std::vector<MatchedItem> items;
    std::vector<DrawingMarks> marks; // one per open drawing
    // The first view: everything shown with a margin; the whole drawings when
    // nothing more specific was asked for or found.
    MapBox firstView;
};

// drawingOfRequest[i] is the open drawing of the request's drawing record i.
RequestMatch matchRequest(const search::ViewerRequest& request,
                          const std::vector<OpenDrawing>& drawings,
                          const std::vector<std::size_t>& drawingOfRequest);

// The box of scene items (outline vertices, sheet corners, points).
MapBox boxOf(const std::vector<SceneItem>& items, const std::vector<OpenDrawing>& drawings);

} // namespace ft::viewer
