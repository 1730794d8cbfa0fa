#include "viewer/request_matching.h"

#include "core/dataset/data_set_links.h"
#include "core/formats/request_file.h"
#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "viewer/name_index.h"
#include "viewer/screen_text.h"
#include "viewer/side_by_side.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace ft::viewer {

namespace {

using dataset::kNoIndex;
using Kind = SceneItem::Kind;

// Below this many items a request is matched on one thread.
constexpr std::size_t kItemsWorthAThread = 2000;

// What makes two request items the same: code, value and, for a sheet name,
// the drawing it follows.
struct ItemIdentity {
    int code = 0;
    std::string_view value;
    std::size_t drawing = 0; // the drawing record's index plus one; 0 for none

    friend bool operator==(const ItemIdentity&, const ItemIdentity&) = default;

    struct Hash {
        std::size_t operator()(const ItemIdentity& item) const
        {
            const std::size_t text = std::hash<std::string_view>()(item.value);
            return text ^ (static_cast<std::size_t>(item.code) << 56) ^
                   (item.drawing * 0x9E3779B97F4A7C15ULL);
        }
    };
};

QString joined(std::initializer_list<QString> parts)
{
    QStringList shown;
    for (const QString& part : parts)
        if (!part.trimmed().isEmpty())
            shown << part.trimmed();
    return shown.join(QLatin1Char(' '));
}

// What one item is, once found in one drawing.
struct Finding {
    ItemState state = ItemState::Shown;
    LabelSource labelFrom = LabelSource::Request;
    std::size_t labelRecord = 0;
    std::vector<SceneItem> targets;
};

class Matcher {
public:
    Matcher(const formats::ViewerRequest& request, const std::vector<OpenDrawing>& drawings,
            const std::vector<std::size_t>& drawingOfRequest, const DrawingNames& names)
        : m_request(request), m_drawings(drawings), m_drawingOfRequest(drawingOfRequest),
          m_keys(names)
    {
        m_result.marks.resize(drawings.size());
    }

    // sheetDrawing: for a sheet name, the request's drawing record it is
    // looked for in, when not the one it follows.
    void matchItem(std::size_t itemIndex, std::optional<std::size_t> sheetDrawing = {});
    // What the items matched so far found (the first view not yet widened to
    // the whole drawings when empty).
    RequestMatch take() { return std::move(m_result); }
    void reserve(std::size_t items)
    {
        m_result.items.reserve(items);
        m_result.targets.reserve(items);
    }

private:
    std::optional<Finding> findIn(const formats::RequestedItem& item, std::size_t drawing,
                                  const std::string& utf8Value);
    std::optional<Finding> findParcels(std::size_t drawing, const std::string& key);
    std::optional<Finding> findMapSheets(std::size_t drawing, const std::string& key);
    std::optional<Finding> findSheetNames(std::size_t drawing, const std::string& key);
    std::optional<Finding> findPoints(std::size_t drawing, const std::string& key, bool control);
    std::optional<std::size_t> drawingNamed(std::string_view cp932Path) const;
    // The one drawing an item is looked for in, when it is not looked for in all.
    std::optional<std::size_t> onlyDrawingFor(const formats::RequestedItem& item,
                                              std::optional<std::size_t> sheetDrawing) const;
    // Whether an item could be looked for in a drawing that was read.
    bool anyReadable(std::optional<std::size_t> onlyDrawing) const;
    // The drawings to look in: those that hold the item's name, among its candidates.
    std::vector<std::size_t> drawingsToSearch(const formats::RequestedItem& item,
                                              const std::string& utf8Value,
                                              std::optional<std::size_t> onlyDrawing);
    void addMarks(std::size_t drawing, const Finding& finding);
    void addTargets(MatchedItem& matched, const std::vector<SceneItem>& targets);

    const formats::ViewerRequest& m_request;
    const std::vector<OpenDrawing>& m_drawings;
    const std::vector<std::size_t>& m_drawingOfRequest;
    NameLookup m_keys;
    RequestMatch m_result;
};

std::optional<std::size_t> Matcher::drawingNamed(std::string_view cp932Path) const
{
    for (std::size_t i = 0; i < m_drawings.size(); ++i)
        if (!m_drawings[i].requestPath.empty() && m_drawings[i].requestPath == cp932Path)
            return i;
    return std::nullopt;
}

std::optional<std::size_t> Matcher::onlyDrawingFor(const formats::RequestedItem& item,
                                                   std::optional<std::size_t> sheetDrawing) const
{
    // The overview click writes each sheet name right after its drawing.
    const std::optional<std::size_t> requestDrawing =
        sheetDrawing ? sheetDrawing : std::optional<std::size_t>(item.drawing);
    if (item.code == formats::kSheetNameRecord && requestDrawing &&
        *requestDrawing < m_drawingOfRequest.size())
        return m_drawingOfRequest[*requestDrawing];
    return std::nullopt;
}

bool Matcher::anyReadable(std::optional<std::size_t> onlyDrawing) const
{
    const auto readable = [this](std::size_t drawing) {
        return drawing < m_drawings.size() && m_drawings[drawing].records != nullptr;
    };
    if (onlyDrawing)
        return readable(*onlyDrawing);
    for (std::size_t drawing = 0; drawing < m_drawings.size(); ++drawing)
        if (readable(drawing))
            return true;
    return false;
}

std::vector<std::size_t> Matcher::drawingsToSearch(const formats::RequestedItem& item,
                                                   const std::string& utf8Value,
                                                   std::optional<std::size_t> onlyDrawing)
{
    std::vector<std::size_t> holding;
    switch (item.code) {
    case formats::kParcelOrSheetRecord:
        holding = m_keys.drawingsHolding(
            {KeyKind::Parcels, KeyKind::GroupedParcels, KeyKind::MapSheets}, utf8Value);
        break;
    case formats::kSheetNameRecord:
        holding = m_keys.drawingsHolding({KeyKind::MapSheetNames, KeyKind::FrameNames}, utf8Value);
        break;
    case formats::kBoundaryPointRecord:
        holding = m_keys.drawingsHolding({KeyKind::Points}, utf8Value);
        break;
    case formats::kControlPointRecord:
        holding = m_keys.drawingsHolding({KeyKind::ControlPoints}, utf8Value);
        break;
    default:
        break;
    }
    if (onlyDrawing)
        std::erase_if(holding, [&](std::size_t drawing) { return drawing != *onlyDrawing; });
    return holding;
}

std::optional<Finding> Matcher::findParcels(std::size_t drawing, const std::string& key)
{
    const DrawingRecords& records = *m_drawings[drawing].records;
    const SceneDrawing& scene = *m_drawings[drawing].scene;
    const std::vector<std::size_t> parcels = m_keys.itemsIn(KeyKind::Parcels, drawing, key);
    const std::vector<std::size_t> grouped = m_keys.itemsIn(KeyKind::GroupedParcels, drawing, key);
    if (parcels.empty() && grouped.empty())
        return std::nullopt;
    Finding finding;
    finding.labelFrom = parcels.empty() ? LabelSource::GroupedParcel : LabelSource::Parcel;
    finding.labelRecord = parcels.empty() ? grouped.front() : parcels.front();
    bool anyClosed = false;
    for (const std::size_t parcel : parcels) {
        for (const std::size_t outline : records.outlinesOf(parcel)) {
            anyClosed = anyClosed || scene.outlines[outline].shape == dataset::OutlineShape::Closed;
            finding.targets.push_back({drawing, Kind::Outline, outline});
        }
    }
    // Grouped parcels carry no outline of their own.
    if (finding.targets.empty())
        finding.state = ItemState::NoOutline;
    else if (!anyClosed)
        finding.state = ItemState::OutlineIncomplete;
    return finding;
}

std::optional<Finding> Matcher::findMapSheets(std::size_t drawing, const std::string& key)
{
    const std::vector<std::size_t> sheets = m_keys.itemsIn(KeyKind::MapSheets, drawing, key);
    if (sheets.empty())
        return std::nullopt;
    Finding finding;
    finding.labelFrom = LabelSource::MapSheet;
    finding.labelRecord = sheets.front();
    for (const std::size_t i : sheets)
        finding.targets.push_back({drawing, Kind::MapSheet, i});
    return finding;
}

std::optional<Finding> Matcher::findSheetNames(std::size_t drawing, const std::string& key)
{
    const std::vector<std::size_t> sheets = m_keys.itemsIn(KeyKind::MapSheetNames, drawing, key);
    const std::vector<std::size_t> frames = m_keys.itemsIn(KeyKind::FrameNames, drawing, key);
    if (sheets.empty() && frames.empty())
        return std::nullopt;
    Finding finding;
    finding.labelFrom = LabelSource::SheetName;
    for (const std::size_t i : sheets)
        finding.targets.push_back({drawing, Kind::MapSheet, i});
    for (const std::size_t i : frames)
        finding.targets.push_back({drawing, Kind::Frame, i});
    return finding;
}

std::optional<Finding> Matcher::findPoints(std::size_t drawing, const std::string& key,
                                           bool control)
{
    const std::vector<std::size_t> points =
        m_keys.itemsIn(control ? KeyKind::ControlPoints : KeyKind::Points, drawing, key);
    if (points.empty())
        return std::nullopt;
    Finding finding;
    finding.labelFrom = control ? LabelSource::ControlPoint : LabelSource::Point;
    for (const std::size_t i : points)
        finding.targets.push_back({drawing, control ? Kind::ControlPoint : Kind::Point, i});
    return finding;
}

std::optional<Finding> Matcher::findIn(const formats::RequestedItem& item, std::size_t drawing,
                                       const std::string& utf8Value)
{
    switch (item.code) {
    case formats::kParcelOrSheetRecord:
        if (std::optional<Finding> parcels = findParcels(drawing, utf8Value))
            return parcels;
        return findMapSheets(drawing, utf8Value);
    case formats::kSheetNameRecord:
        return findSheetNames(drawing, utf8Value);
    case formats::kBoundaryPointRecord:
        return findPoints(drawing, utf8Value, false);
    case formats::kControlPointRecord:
        return findPoints(drawing, utf8Value, true);
    default:
        return std::nullopt;
    }
}

void Matcher::addMarks(std::size_t drawing, const Finding& finding)
{
    if (finding.state != ItemState::Shown)
        return;
    const SceneDrawing& scene = *m_drawings[drawing].scene;
    DrawingMarks& marks = m_result.marks[drawing];
    for (const SceneItem& target : finding.targets) {
        switch (target.kind) {
        case Kind::Outline:
            // Only a closed ring has an inside to fill.
            if (scene.outlines[target.index].shape == dataset::OutlineShape::Closed)
                marks.outlines.push_back(target.index);
            break;
        case Kind::MapSheet:
            marks.mapSheets.push_back(target.index);
            break;
        case Kind::Frame:
            marks.frames.push_back(target.index);
            break;
        case Kind::Point:
            marks.points.push_back(target.index);
            break;
        case Kind::ControlPoint:
            marks.controlPoints.push_back(target.index);
            break;
        }
    }
}

// The overview click writes a sheet name only when it differs from the name
// of the hit before, also across a change of drawing: a drawing record that
// no sheet name follows was hit in a sheet of the name written last. Pairs
// of (sheet name item, drawing record) for those drawings.
std::vector<std::pair<std::size_t, std::size_t>>
carriedSheetNames(const formats::ViewerRequest& request)
{
    std::vector<std::pair<std::size_t, std::size_t>> carried;
    std::optional<std::size_t> lastName;
    std::size_t next = 0;
    const std::vector<formats::RequestedItem>& items = request.items;
    for (std::size_t drawing = 0; drawing < request.drawings.size(); ++drawing) {
        bool named = false;
        for (; next < items.size() && items[next].drawing <= std::optional<std::size_t>(drawing);
             ++next) {
            if (items[next].code != formats::kSheetNameRecord)
                continue;
            named = named || items[next].drawing == std::optional<std::size_t>(drawing);
            lastName = next;
        }
        if (!named && lastName && items[*lastName].drawing != std::optional<std::size_t>(drawing))
            carried.emplace_back(*lastName, drawing);
    }
    return carried;
}

void Matcher::addTargets(MatchedItem& matched, const std::vector<SceneItem>& targets)
{
    matched.firstTarget = static_cast<std::uint32_t>(m_result.targets.size());
    matched.targetCount = static_cast<std::uint32_t>(targets.size());
    for (const SceneItem& target : targets)
        m_result.targets.push_back({static_cast<std::uint32_t>(target.drawing),
                                    static_cast<std::uint32_t>(target.index), target.kind});
    if (matched.state == ItemState::Shown || matched.state == ItemState::OutlineIncomplete)
        m_result.firstView.widen(boxOf(targets, m_drawings));
}

void Matcher::matchItem(std::size_t itemIndex, std::optional<std::size_t> sheetDrawing)
{
    const formats::RequestedItem& item = m_request.items[itemIndex];
    MatchedItem matched;
    matched.requestItem = static_cast<std::uint32_t>(itemIndex);

    if (item.code == formats::kRegisteredDrawingRecord) {
        const std::optional<std::size_t> drawing = drawingNamed(item.value);
        const OpenDrawing* open = drawing ? &m_drawings[*drawing] : nullptr;
        if (drawing)
            matched.drawing = static_cast<std::uint32_t>(*drawing);
        matched.labelFrom = LabelSource::Drawing;
        matched.state = open && open->scene ? ItemState::Shown : ItemState::DrawingUnreadable;
        if (matched.state == ItemState::Shown)
            m_result.firstView.widen(open->scene->framing);
        m_result.items.push_back(matched);
        return;
    }

    // Sheet and point names are folded in the catalogue already; folding
    // them again changes nothing but makes a hand-written request match too.
    // A code 2 value cannot be folded whole: oaza and koaza names are not.
    const std::optional<std::string> utf8Value =
        utf8Of(item.code == formats::kParcelOrSheetRecord ? item.value : folded(item.value));
    const std::optional<std::size_t> onlyDrawing = onlyDrawingFor(item, sheetDrawing);
    bool found = false;
    const std::vector<std::size_t> searched =
        utf8Value ? drawingsToSearch(item, *utf8Value, onlyDrawing) : std::vector<std::size_t>{};
    for (const std::size_t drawing : searched) {
        std::optional<Finding> finding = findIn(item, drawing, *utf8Value);
        if (!finding)
            continue;
        found = true;
        addMarks(drawing, *finding);
        MatchedItem inDrawing = matched;
        inDrawing.drawing = static_cast<std::uint32_t>(drawing);
        inDrawing.state = finding->state;
        inDrawing.labelFrom = finding->labelFrom;
        inDrawing.labelRecord = static_cast<std::uint32_t>(finding->labelRecord);
        addTargets(inDrawing, finding->targets);
        m_result.items.push_back(inDrawing);
    }
    if (found)
        return;
    matched.state = anyReadable(onlyDrawing) ? ItemState::NotFound : ItemState::DrawingUnreadable;
    if (onlyDrawing)
        matched.drawing = static_cast<std::uint32_t>(*onlyDrawing);
    m_result.items.push_back(matched);
}

// The items to match: a parcel found by its parcel and its owner-list rows
// comes twice in a request, as equal lines, and is listed once. The set holds
// views of the request's own texts: a million lines are not copied again.
ItemIdentity identityOf(const formats::RequestedItem& item)
{
    const std::size_t drawing =
        item.code == formats::kSheetNameRecord && item.drawing ? *item.drawing + 1 : 0;
    return {item.code, item.value, drawing};
}

// The first of each set of equal items, in the request's order. The items
// seen are kept in an open table of their indices (a slot per item at least
// twice over): a set of nodes took a memory allocation for each of a
// million request lines.
std::vector<std::uint32_t> distinctItems(const formats::ViewerRequest& request)
{
    constexpr std::uint32_t kFree = static_cast<std::uint32_t>(-1);
    std::size_t slotCount = 16;
    while (slotCount < 2 * request.items.size())
        slotCount *= 2;
    std::vector<std::uint32_t> seen(slotCount, kFree);
    std::vector<std::uint32_t> distinct;
    for (std::size_t i = 0; i < request.items.size(); ++i) {
        const ItemIdentity identity = identityOf(request.items[i]);
        std::size_t slot = ItemIdentity::Hash()(identity) & (slotCount - 1);
        while (seen[slot] != kFree && identityOf(request.items[seen[slot]]) != identity)
            slot = (slot + 1) & (slotCount - 1);
        if (seen[slot] != kFree)
            continue;
        seen[slot] = static_cast<std::uint32_t>(i);
        distinct.push_back(static_cast<std::uint32_t>(i));
    }
    return distinct;
}

// The kinds of names the request's items are looked up by.
std::vector<KeyKind> kindsAskedFor(const formats::ViewerRequest& request)
{
    std::array<bool, 6> codes{};
    for (const formats::RequestedItem& item : request.items)
        if (item.code >= 0 && item.code < static_cast<int>(codes.size()))
            codes[static_cast<std::size_t>(item.code)] = true;
    std::vector<KeyKind> kinds;
    if (codes[formats::kParcelOrSheetRecord])
        kinds.insert(kinds.end(), {KeyKind::Parcels, KeyKind::GroupedParcels, KeyKind::MapSheets});
    if (codes[formats::kSheetNameRecord])
        kinds.insert(kinds.end(), {KeyKind::MapSheetNames, KeyKind::FrameNames});
    if (codes[formats::kBoundaryPointRecord])
        kinds.push_back(KeyKind::Points);
    if (codes[formats::kControlPointRecord])
        kinds.push_back(KeyKind::ControlPoints);
    return kinds;
}

// Adds what a later run of items found after what the runs before it found.
void append(RequestMatch& match, RequestMatch&& later)
{
    const auto shift = static_cast<std::uint32_t>(match.targets.size());
    for (MatchedItem& item : later.items) {
        item.firstTarget += shift;
        match.items.push_back(item);
    }
    match.targets.insert(match.targets.end(), later.targets.begin(), later.targets.end());
    for (std::size_t d = 0; d < match.marks.size() && d < later.marks.size(); ++d) {
        DrawingMarks& marks = match.marks[d];
        const DrawingMarks& more = later.marks[d];
        for (auto list : {&DrawingMarks::outlines, &DrawingMarks::mapSheets, &DrawingMarks::frames,
                          &DrawingMarks::points, &DrawingMarks::controlPoints})
            (marks.*list).insert((marks.*list).end(), (more.*list).begin(), (more.*list).end());
    }
    match.firstView.widen(later.firstView);
}

// The distinct items cut into one run per core, matched side by side against
// the shared names, then the sheet names a click carried over: the runs in
// the request's order. The names are let go before the runs are joined.
std::vector<RequestMatch> matchInRuns(const formats::ViewerRequest& request,
                                      const std::vector<OpenDrawing>& drawings,
                                      const std::vector<std::size_t>& drawingOfRequest)
{
    const std::vector<std::uint32_t> distinct = distinctItems(request);
    const DrawingNames names(drawings, kindsAskedFor(request));
    const std::size_t runs = distinct.size() < kItemsWorthAThread ? 1 : coreCount();
    std::vector<RequestMatch> found(runs + 1);
    sideBySide(runs, [&](std::size_t run) {
        Matcher matcher(request, drawings, drawingOfRequest, names);
        // The first run makes room for every run's items, so that the others
        // join it without its lists growing (unless items are found in
        // several drawings).
        matcher.reserve(run == 0 ? distinct.size() : 0);
        const std::size_t end = distinct.size() * (run + 1) / runs;
        for (std::size_t i = distinct.size() * run / runs; i < end; ++i)
            matcher.matchItem(distinct[i]);
        found[run] = matcher.take();
    });
    Matcher carried(request, drawings, drawingOfRequest, names);
    for (const auto& [item, drawing] : carriedSheetNames(request))
        carried.matchItem(item, drawing);
    found.back() = carried.take();
    return found;
}

} // namespace

MapBox boxOf(const std::vector<SceneItem>& items, const std::vector<OpenDrawing>& drawings)
{
    MapBox box;
    for (const SceneItem& item : items) {
        if (item.drawing >= drawings.size() || !drawings[item.drawing].scene)
            continue;
        const SceneDrawing& scene = *drawings[item.drawing].scene;
        switch (item.kind) {
        case Kind::Outline:
            if (item.index < scene.outlines.size())
                box.widen(scene.outlines[item.index].box);
            break;
        case Kind::MapSheet:
            if (item.index < scene.mapSheets.size())
                box.widen(scene.mapSheets[item.index].box);
            break;
        case Kind::Frame:
            if (item.index < scene.frames.size())
                box.widen(scene.frames[item.index].box);
            break;
        case Kind::Point:
            if (item.index < scene.points.size())
                box.widen(scene.points[item.index]);
            break;
        case Kind::ControlPoint:
            if (item.index < scene.controlPoints.size())
                box.widen(scene.controlPoints[item.index].at);
            break;
        }
    }
    return box;
}

std::vector<SceneItem> RequestMatch::targetsOf(const MatchedItem& item) const
{
    if (item.firstTarget + std::size_t{item.targetCount} > targets.size())
        return {};
    std::vector<SceneItem> items;
    for (std::size_t i = item.firstTarget; i < item.firstTarget + std::size_t{item.targetCount};
         ++i)
        items.push_back({targets[i].drawing, targets[i].kind, targets[i].index});
    return items;
}

QString itemLabel(const formats::ViewerRequest& request, const MatchedItem& item,
                  const OpenDrawing* drawing)
{
    if (item.requestItem >= request.items.size())
        return {};
    const formats::RequestedItem& asked = request.items[item.requestItem];
    const DrawingRecords* records = drawing ? drawing->records : nullptr;
    // Sheet and point names as they were looked for: folded, as UTF-8.
    const auto lookedFor = [&] {
        return QString::fromStdString(utf8Of(folded(asked.value)).value_or(""));
    };
    switch (item.labelFrom) {
    case LabelSource::Drawing:
        return QStringLiteral("図面全体 ") +
               (drawing && drawing->scene ? drawing->scene->name : screenText(asked.value));
    case LabelSource::Parcel:
    case LabelSource::GroupedParcel: {
        if (!records)
            break;
        const ParcelNames& names =
            item.labelFrom == LabelSource::Parcel ? records->parcels : records->groupedParcels;
        const std::size_t i = item.labelRecord;
        if (i >= names.size())
            break;
        return joined({QStringLiteral("地番"), screenText(names.oaza[i]),
                       screenText(names.koaza[i]), screenText(folded(names.lot[i]))});
    }
    case LabelSource::MapSheet:
        if (!records || item.labelRecord >= records->mapSheetNames.size())
            break;
        return QStringLiteral("図葉 %1（1/%2）")
            .arg(screenText(folded(records->mapSheetNames[item.labelRecord])),
                 QString::number(records->mapSheetScales[item.labelRecord]));
    case LabelSource::SheetName:
        return QStringLiteral("図葉 ") + lookedFor();
    case LabelSource::Point:
        return QStringLiteral("筆界点 ") + lookedFor().trimmed();
    case LabelSource::ControlPoint:
        return QStringLiteral("図根点 ") + lookedFor().trimmed();
    case LabelSource::Request:
        break;
    }
    const QString value = screenText(asked.value);
    switch (asked.code) {
    case formats::kParcelOrSheetRecord:
        // Parcel or sheet: the values as the request gives them.
        return QStringLiteral("地番または図葉 ") + value;
    case formats::kSheetNameRecord:
        return QStringLiteral("図葉 ") + value;
    case formats::kBoundaryPointRecord:
        return QStringLiteral("筆界点 ") + value;
    case formats::kControlPointRecord:
        return QStringLiteral("図根点 ") + value;
    default:
        return value;
    }
}

MapBox itemBox(const formats::ViewerRequest& request, const RequestMatch& match,
               const MatchedItem& item, const std::vector<OpenDrawing>& drawings)
{
    const bool wholeDrawing =
        item.requestItem < request.items.size() &&
        request.items[item.requestItem].code == formats::kRegisteredDrawingRecord;
    if (!wholeDrawing)
        return boxOf(match.targetsOf(item), drawings);
    if (item.drawing && *item.drawing < drawings.size() && drawings[*item.drawing].scene)
        return drawings[*item.drawing].scene->framing;
    return {};
}

RequestMatch matchRequest(const formats::ViewerRequest& request,
                          const std::vector<OpenDrawing>& drawings,
                          const std::vector<std::size_t>& drawingOfRequest)
{
    std::vector<RequestMatch> found = matchInRuns(request, drawings, drawingOfRequest);
    RequestMatch match = std::move(found.front());
    // Each run is let go once joined.
    for (std::size_t run = 1; run < found.size(); ++run)
        append(match, std::exchange(found[run], RequestMatch{}));
    if (match.firstView.isEmpty())
        for (const OpenDrawing& drawing : drawings)
            if (drawing.scene)
                match.firstView.widen(drawing.scene->framing);
    return match;
}

} // namespace ft::viewer
