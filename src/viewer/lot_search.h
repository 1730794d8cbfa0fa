#pragma once

// The lot-number box of the viewer window: the parcels of the open drawings
// with a lot number, typed in full or half width.

#include "viewer/scene_item.h"

#include <QString>

#include <vector>

namespace ft::viewer {

class ViewerSession;

struct LotMatch {
    SceneItem outline; // the parcel's first outline
    bool hasOutline = false;
    QString description; // oaza, koaza, lot number and drawing
};

// Parcels whose lot number, folded to half width, equals the text folded the
// same way, in drawing and file order. Text that CP932 cannot hold finds
// nothing.
std::vector<LotMatch> findLots(const ViewerSession& session, const QString& text);

} // namespace ft::viewer
