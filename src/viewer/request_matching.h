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
#include "core/formats/request_reader.h"
#include "viewer/drawing_records.h"
#include "viewer/drawing_scene.h"
#include "viewer/scene_item.h"
#include "viewer/scene_renderer.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ft::viewer {

// An open drawing as matching sees it.
struct OpenDrawing {
    const DrawingRecords* records = nullptr; // null when it could not be read
    const SceneDrawing* scene = nullptr;     // null likewise
    std::string requestPath; // CP932, as the request names it; empty when opened otherwise
};

// How a requested item was found.
enum class ItemState : std::uint8_t {
    Shown,             // found and drawn: highlighted, and in the first view
    NotFound,          // in no open drawing
    NoOutline,         // the parcel is there, but no outline belongs to it
    OutlineIncomplete, // its outline misses points or does not close: drawn, not filled
    DrawingUnreadable, // the drawing it belongs to could not be read
};

// Where an item's side-list text comes from: it is made when shown, from the
// request and the records of the drawing it was found in.
enum class LabelSource : std::uint8_t {
    Request,       // the request's value (an item found nowhere)
    Drawing,       // the drawing's name (a code 1 record)
    Parcel,        // parcel labelRecord of the drawing
    GroupedParcel, // grouped parcel labelRecord
    MapSheet,      // map sheet labelRecord, with its scale
    SheetName,     // the request's sheet name
    Point,         // the request's point name
    ControlPoint,  // likewise
};

// One entry of the side list; a large request has hundreds of thousands, so
// it keeps no text and no list of its own.
struct MatchedItem {
    std::uint32_t requestItem = 0;        // index into ViewerRequest::items
    std::optional<std::uint32_t> drawing; // the open drawing it was found in
    ItemState state = ItemState::NotFound;
    LabelSource labelFrom = LabelSource::Request;
    std::uint32_t labelRecord = 0;
    // What selecting it shows: RequestMatch::targets[firstTarget, + targetCount).
    std::uint32_t firstTarget = 0;
    std::uint32_t targetCount = 0;
};

// A target of a matched item, kept small: a request lists hundreds of
// thousands.
struct MatchedTarget {
    std::uint32_t drawing = 0;
    std::uint32_t index = 0;
    SceneItem::Kind kind = SceneItem::Kind::Outline;
};

struct RequestMatch {
    std::vector<MatchedItem> items;
    std::vector<MatchedTarget> targets; // the items' targets, one run each
    std::vector<DrawingMarks> marks;    // one per open drawing
    // The first view: everything shown with a margin; the whole drawings when
    // nothing more specific was asked for or found.
    MapBox firstView;

    std::vector<SceneItem> targetsOf(const MatchedItem& item) const;
};

// What the side list says the item is. `drawing` is the open drawing it was
// found in (null for none).
QString itemLabel(const formats::ViewerRequest& request, const MatchedItem& item,
                  const OpenDrawing* drawing);

// The box selecting the item shows: its targets', or the whole drawing's for
// a code 1 record.
MapBox itemBox(const formats::ViewerRequest& request, const RequestMatch& match,
               const MatchedItem& item, const std::vector<OpenDrawing>& drawings);

// drawingOfRequest[i] is the open drawing of the request's drawing record i.
RequestMatch matchRequest(const formats::ViewerRequest& request,
                          const std::vector<OpenDrawing>& drawings,
                          const std::vector<std::size_t>& drawingOfRequest);

// The box of scene items (outline vertices, sheet corners, points).
MapBox boxOf(const std::vector<SceneItem>& items, const std::vector<OpenDrawing>& drawings);

} // namespace ft::viewer
