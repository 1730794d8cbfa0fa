#include "core/gis/gis_features.h"

#include "core/dataset/data_set_links.h"
#include "core/platform/message_text.h"

#include <memory>
#include <optional>

namespace ft::gis {
namespace {

using dataset::PointCoords;

// Field positions below follow the order of each layer's LayerField list.
constexpr LayerField kDrawingFields[] = {
    {"drawing", OFTInteger}, {"path", OFTString},   {"creator", OFTString}, {"district", OFTString},
    {"zone", OFTInteger},    {"datum", OFTInteger}, {"epsg", OFTInteger}};
constexpr LayerField kParcelFields[] = {
    {"drawing", OFTInteger},  {"path", OFTString},           {"record", OFTString},
    {"oaza", OFTString},      {"koaza", OFTString},          {"lot", OFTString},
    {"lot_half", OFTString},  {"owner", OFTString},          {"owner_kana", OFTString},
    {"co_owners", OFTString}, {"co_owners_kana", OFTString}, {"outline", OFTString}};
constexpr LayerField kUndeterminedFields[] = {
    {"drawing", OFTInteger},     {"path", OFTString},      {"group", OFTInteger},
    {"group_record", OFTString}, {"record", OFTString},    {"oaza", OFTString},
    {"koaza", OFTString},        {"lot", OFTString},       {"lot_half", OFTString},
    {"owner", OFTString},        {"owner_kana", OFTString}};
constexpr LayerField kBoundaryPointFields[] = {
    {"drawing", OFTInteger}, {"name", OFTString}, {"kind", OFTString}};
constexpr LayerField kControlPointFields[] = {{"drawing", OFTInteger}, {"name", OFTString}};
constexpr LayerField kMapSheetFields[] = {
    {"drawing", OFTInteger}, {"name", OFTString}, {"scale", OFTInteger}, {"kind", OFTInteger}};
constexpr LayerField kSheetFrameFields[] = {{"drawing", OFTInteger},
                                            {"name", OFTString},
                                            {"number", OFTInteger},
                                            {"group_a", OFTInteger},
                                            {"group_b", OFTInteger}};

// Survey texts are CP932; a GeoPackage holds UTF-8. A byte that is not CP932
// shows as \xHH rather than failing the export or vanishing.
std::string utf8(std::string_view cp932)
{
    return platform::cp932ForMessage(cp932);
}

void setText(OGRFeature& feature, int field, std::string_view cp932)
{
    feature.SetField(field, utf8(cp932).c_str());
}

OGRPoint pointAt(const PointCoords& at)
{
    return OGRPoint(at.second, at.first);
}

// A ring through the corners, closed back to the first.
std::unique_ptr<OGRLinearRing> ringThrough(std::span<const PointCoords> corners)
{
    auto ring = std::make_unique<OGRLinearRing>();
    for (const PointCoords& corner : corners)
        ring->addPoint(corner.second, corner.first);
    ring->closeRings();
    return ring;
}

// The outline of a sheet frame: a line round its corners, back to the first.
std::unique_ptr<OGRLineString> lineRound(std::span<const PointCoords> corners)
{
    auto line = std::make_unique<OGRLineString>();
    for (const PointCoords& corner : corners)
        line->addPoint(corner.second, corner.first);
    if (!corners.empty())
        line->addPoint(corners.front().second, corners.front().first);
    return line;
}

std::unique_ptr<OGRPolygon> polygonThrough(std::span<const PointCoords> corners)
{
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(ringThrough(corners).release());
    return polygon;
}

// Two corners (near and far) span a rectangle; four are the sheet's corners.
std::vector<PointCoords> sheetCorners(const std::vector<PointCoords>& corners)
{
    if (corners.size() != 2)
        return corners;
    const PointCoords& a = corners[0];
    const PointCoords& c = corners[1];
    return {a, {a.first, c.second}, c, {c.first, a.second}};
}

std::unique_ptr<OGRPolygon> boxPolygon(const dataset::SurveyBox& box)
{
    if (box.isEmpty())
        return nullptr;
    return polygonThrough(
        sheetCorners({{box.minFirst, box.minSecond}, {box.maxFirst, box.maxSecond}}));
}

void setCommon(OGRFeature& feature, const DrawingSource& source)
{
    feature.SetField(0, source.fileNo);
}

bool chosen(const DrawingSource& source, const dataset::ParcelFields& fields)
{
    return source.parcels == nullptr ||
           source.parcels->count({fields.oaza, fields.koaza, dataset::foldedLot(fields.lot)}) != 0;
}

// The outline attribute of a parcel and its geometry when every outline
// linked to it is a closed ring.
struct ParcelShape {
    std::string outline;
    std::unique_ptr<OGRMultiPolygon> geometry;
};

ParcelShape shapeOf(const dataset::SurveyDataSet& set, const dataset::Parcel& parcel,
                    ParcelTally& tally)
{
    if (parcel.outlines.empty()) {
        ++tally.withoutOutline;
        return {"none", nullptr};
    }
    std::string missing;
    bool open = false;
    for (const std::size_t index : parcel.outlines) {
        const dataset::Outline& outline = set.outlines[index];
        if (outline.shape == dataset::OutlineShape::Open)
            open = true;
        for (const std::string& name : outline.missingPoints)
            missing += (missing.empty() ? "" : ", ") + utf8(name);
    }
    if (!missing.empty()) {
        ++tally.outlineMissingPoints;
        return {"missing points: " + missing, nullptr};
    }
    if (open) {
        ++tally.openOutline;
        return {"open", nullptr};
    }
    auto geometry = std::make_unique<OGRMultiPolygon>();
    for (const std::size_t index : parcel.outlines) {
        std::vector<PointCoords> corners;
        for (const dataset::OutlineVertex& vertex : set.outlines[index].vertices)
            corners.push_back(set.points[vertex.point].at);
        geometry->addGeometryDirectly(polygonThrough(corners).release());
    }
    return {"closed", std::move(geometry)};
}

// Names joined into one text, in the order of the owner-list file.
std::string joined(const std::vector<dataset::Owner>& owners, std::string dataset::Owner::*part)
{
    std::string text;
    for (const dataset::Owner& owner : owners)
        text += (text.empty() ? "" : "、") + utf8(owner.*part);
    return text;
}

void setParcelFields(OGRFeature& feature, int first, const dataset::ParcelFields& fields)
{
    setText(feature, first, fields.number);
    setText(feature, first + 1, fields.oaza);
    setText(feature, first + 2, fields.koaza);
    setText(feature, first + 3, fields.lot);
    setText(feature, first + 4, dataset::foldedLot(fields.lot));
    setText(feature, first + 5, fields.owner);
    setText(feature, first + 6, fields.ownerKana);
}

} // namespace

const char* layerName(LayerKind kind)
{
    switch (kind) {
    case LayerKind::Drawings:
        return "drawings";
    case LayerKind::Parcels:
        return "parcels";
    case LayerKind::UndeterminedParcels:
        return "undetermined_parcels";
    case LayerKind::BoundaryPoints:
        return "boundary_points";
    case LayerKind::ControlPoints:
        return "control_points";
    case LayerKind::MapSheets:
        return "map_sheets";
    case LayerKind::SheetFrames:
        return "sheet_frames";
    }
    return "";
}

OGRwkbGeometryType geometryTypeOf(LayerKind kind)
{
    switch (kind) {
    case LayerKind::Drawings:
    case LayerKind::MapSheets:
        return wkbPolygon;
    case LayerKind::Parcels:
        // A parcel may have more than one outline.
        return wkbMultiPolygon;
    case LayerKind::UndeterminedParcels:
        return wkbNone;
    case LayerKind::BoundaryPoints:
    case LayerKind::ControlPoints:
        return wkbPoint;
    case LayerKind::SheetFrames:
        return wkbLineString;
    }
    return wkbNone;
}

std::span<const LayerField> fieldsOf(LayerKind kind)
{
    switch (kind) {
    case LayerKind::Drawings:
        return kDrawingFields;
    case LayerKind::Parcels:
        return kParcelFields;
    case LayerKind::UndeterminedParcels:
        return kUndeterminedFields;
    case LayerKind::BoundaryPoints:
        return kBoundaryPointFields;
    case LayerKind::ControlPoints:
        return kControlPointFields;
    case LayerKind::MapSheets:
        return kMapSheetFields;
    case LayerKind::SheetFrames:
        return kSheetFrameFields;
    }
    return {};
}

void writeDrawing(LayerWriter& layer, const DrawingSource& source)
{
    OGRFeatureUniquePtr feature = layer.newFeature();
    setCommon(*feature, source);
    feature->SetField(1, source.path.c_str());
    setText(*feature, 2, source.set.header.creater);
    setText(*feature, 3, source.set.header.chiku);
    feature->SetField(4, source.zone);
    feature->SetField(5, workspace::datumCode(source.datum));
    feature->SetField(6, source.epsg);
    if (std::unique_ptr<OGRPolygon> box = boxPolygon(source.set.bounds()))
        feature->SetGeometryDirectly(box.release());
    layer.add(*feature);
}

ParcelTally writeParcels(LayerWriter& layer, const DrawingSource& source)
{
    ParcelTally tally;
    // Outlines of no parcel concern the drawing as a whole: told only when
    // the whole drawing is exported, not for a few parcels chosen from it.
    if (source.parcels == nullptr)
        for (const dataset::Outline& outline : source.set.outlines)
            if (outline.link != dataset::OutlineLink::Linked)
                ++tally.unlinkedOutlines;
    for (const dataset::Parcel& parcel : source.set.parcels) {
        if (!chosen(source, parcel.fields))
            continue;
        // Registration stores no parcel row for a record without a lot
        // number; the layer holds what the catalogue holds.
        if (parcel.fields.lot.empty()) {
            ++tally.withoutLot;
            continue;
        }
        OGRFeatureUniquePtr feature = layer.newFeature();
        setCommon(*feature, source);
        feature->SetField(1, source.path.c_str());
        setParcelFields(*feature, 2, parcel.fields);
        feature->SetField(9, joined(parcel.owners, &dataset::Owner::name).c_str());
        feature->SetField(10, joined(parcel.owners, &dataset::Owner::kana).c_str());
        ParcelShape shape = shapeOf(source.set, parcel, tally);
        feature->SetField(11, shape.outline.c_str());
        if (shape.geometry)
            feature->SetGeometryDirectly(shape.geometry.release());
        layer.add(*feature);
    }
    return tally;
}

std::size_t writeUndeterminedParcels(LayerWriter& layer, const DrawingSource& source)
{
    std::size_t withoutLot = 0;
    for (const dataset::GroupedParcel& parcel : source.set.groupedParcels) {
        if (!chosen(source, parcel.fields))
            continue;
        if (parcel.fields.lot.empty()) {
            ++withoutLot;
            continue;
        }
        OGRFeatureUniquePtr feature = layer.newFeature();
        setCommon(*feature, source);
        feature->SetField(1, source.path.c_str());
        feature->SetField(2, static_cast<int>(parcel.group));
        setText(*feature, 3, parcel.groupNumber);
        setParcelFields(*feature, 4, parcel.fields);
        layer.add(*feature);
    }
    return withoutLot;
}

std::size_t countMissingParcels(const DrawingSource& source)
{
    if (source.parcels == nullptr)
        return 0;
    ParcelKeys found;
    const auto note = [&](const dataset::ParcelFields& fields) {
        if (chosen(source, fields))
            found.insert({fields.oaza, fields.koaza, dataset::foldedLot(fields.lot)});
    };
    for (const dataset::Parcel& parcel : source.set.parcels)
        note(parcel.fields);
    for (const dataset::GroupedParcel& parcel : source.set.groupedParcels)
        note(parcel.fields);
    return source.parcels->size() - found.size();
}

void writeBoundaryPoints(LayerWriter& layer, const DrawingSource& source)
{
    for (const dataset::BoundaryPoint& point : source.set.points) {
        OGRFeatureUniquePtr feature = layer.newFeature();
        setCommon(*feature, source);
        setText(*feature, 1, point.name);
        setText(*feature, 2, point.kind);
        OGRPoint at = pointAt(point.at);
        feature->SetGeometry(&at);
        layer.add(*feature);
    }
}

void writeControlPoints(LayerWriter& layer, const DrawingSource& source)
{
    for (const dataset::ControlPoint& point : source.set.controlPoints) {
        OGRFeatureUniquePtr feature = layer.newFeature();
        setCommon(*feature, source);
        setText(*feature, 1, point.name);
        OGRPoint at = pointAt(point.at);
        feature->SetGeometry(&at);
        layer.add(*feature);
    }
}

void writeMapSheets(LayerWriter& layer, const DrawingSource& source)
{
    for (const dataset::MapSheet& sheet : source.set.mapSheets) {
        OGRFeatureUniquePtr feature = layer.newFeature();
        setCommon(*feature, source);
        setText(*feature, 1, sheet.name);
        feature->SetField(2, sheet.scale);
        feature->SetField(3, sheet.kubun);
        feature->SetGeometryDirectly(polygonThrough(sheetCorners(sheet.corners)).release());
        layer.add(*feature);
    }
}

void writeSheetFrames(LayerWriter& layer, const DrawingSource& source)
{
    for (const formats::SheetFrame& frame : source.set.sheetFrames) {
        OGRFeatureUniquePtr feature = layer.newFeature();
        setCommon(*feature, source);
        setText(*feature, 1, frame.name);
        feature->SetField(2, frame.number);
        feature->SetGeometryDirectly(lineRound(frame.corners).release());
        layer.add(*feature);
    }
    for (const formats::FrameLine& line : source.set.frameLines) {
        OGRFeatureUniquePtr feature = layer.newFeature();
        setCommon(*feature, source);
        feature->SetField(3, line.groupA);
        feature->SetField(4, line.groupB);
        // A line needs two vertices; a record with one stays a row.
        if (line.vertices.size() >= 2) {
            auto geometry = std::make_unique<OGRLineString>();
            for (const formats::FrameVertex& vertex : line.vertices)
                geometry->addPoint(vertex.coords.second, vertex.coords.first);
            feature->SetGeometryDirectly(geometry.release());
        }
        layer.add(*feature);
    }
}

} // namespace ft::gis
