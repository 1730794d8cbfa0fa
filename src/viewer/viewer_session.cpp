#include "viewer/viewer_session.h"

#include "core/dataset/data_set_reader.h"
#include "core/formats/request_file.h"
#include "core/platform/cp932.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "viewer/problem_texts.h"
#include "viewer/screen_text.h"
#include "viewer/side_by_side.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace ft::viewer {

namespace {

std::filesystem::path comparable(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).lexically_normal();
}

SessionDrawing drawingOfRequestPath(const std::string& cp932Path)
{
    try {
        SessionDrawing drawing = openDrawing(formats::requestPathOf(cp932Path));
        drawing.requestPath = cp932Path;
        return drawing;
    } catch (const platform::EncodingError&) {
        SessionDrawing drawing;
        drawing.requestPath = cp932Path;
        drawing.records = std::make_unique<DrawingRecords>();
        drawing.name = screenText(cp932Path);
        drawing.pathError = platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "The path cannot be read as CP932"));
        return drawing;
    }
}

// The drawings of the request paths, in their order, read on every core:
// a request of a hundred drawings waits for the disk and the parsing of each,
// which do not depend on one another.
std::vector<SessionDrawing> readSideBySide(const std::vector<std::string>& paths)
{
    std::vector<SessionDrawing> read(paths.size());
    sideBySide(paths.size(), [&](std::size_t i) { read[i] = drawingOfRequestPath(paths[i]); });
    return read;
}

} // namespace

QString drawingPathText(const SessionDrawing& drawing)
{
    if (!drawing.basePath.empty())
        return QString::fromStdString(platform::pathText(drawing.basePath));
    return drawing.name;
}

SessionDrawing openDrawing(const std::filesystem::path& basePath,
                           const std::filesystem::path& headerFile)
{
    SessionDrawing drawing;
    drawing.basePath = basePath;
    // Noted before reading: a file written meanwhile counts as changed.
    std::vector<NotedFile> ownerListFiles = noteOwnerListFiles(basePath);
    const dataset::ReadParts withoutOwners{.owners = false};
    const dataset::SurveyDataSet set =
        headerFile.empty() ? dataset::readDataSet(basePath, withoutOwners)
                           : dataset::readDataSetAtHeader(headerFile, withoutOwners);
    if (set.present)
        drawing.ownerListFiles = std::move(ownerListFiles);
    drawing.name = QString::fromStdString(platform::pathText(basePath.filename()));
    drawing.records = std::make_unique<DrawingRecords>(DrawingRecords::of(set));
    drawing.problems = readingProblems(set);
    if (set.present)
        drawing.scene = std::make_unique<SceneDrawing>(buildScene(set, drawing.name));
    return drawing;
}

void ViewerSession::openRequest(const std::filesystem::path& requestFile)
{
    m_hasRequest = true;
    try {
        m_request = formats::readRequestFile(requestFile);
    } catch (const formats::RequestReadError& error) {
        m_request = {};
        m_requestProblems.push_back(
            requestUnreadableText(QString::fromStdString(platform::pathText(requestFile)),
                                  QString::fromStdString(error.what())));
    }
    for (const formats::UnreadableRequestLine& line : m_request.unreadable)
        m_requestProblems.push_back(requestLineText(line));

    std::vector<std::string> named;
    for (const formats::RequestedDrawing& requested : m_request.drawings)
        named.push_back(requested.path);
    for (const formats::RequestedItem& item : m_request.items)
        if (item.code == formats::kRegisteredDrawingRecord)
            named.emplace_back(item.value);
    const std::vector<std::size_t> indices = addRequestedDrawings(named);
    m_drawingOfRequest.assign(
        indices.begin(), indices.begin() + static_cast<std::ptrdiff_t>(m_request.drawings.size()));
    if (m_hasRequest && m_request.drawings.empty() && m_request.items.empty() &&
        m_requestProblems.empty())
        m_requestProblems.push_back(emptyRequestText());
    rematch();
}

std::size_t ViewerSession::addDrawing(SessionDrawing drawing)
{
    // The same drawing named twice is opened once.
    for (std::size_t i = 0; i < m_drawings.size(); ++i) {
        const SessionDrawing& open = m_drawings[i];
        const bool samePath = drawing.pathError.isEmpty() && open.pathError.isEmpty() &&
                              comparable(open.basePath) == comparable(drawing.basePath);
        if (samePath || (!drawing.requestPath.empty() && open.requestPath == drawing.requestPath)) {
            if (m_drawings[i].requestPath.empty())
                m_drawings[i].requestPath = drawing.requestPath;
            return i;
        }
    }
    m_drawings.push_back(std::move(drawing));
    return m_drawings.size() - 1;
}

std::optional<std::size_t> ViewerSession::openByRequestPath(const std::string& cp932Path) const
{
    for (std::size_t i = 0; i < m_drawings.size(); ++i)
        if (m_drawings[i].requestPath == cp932Path)
            return i;
    return std::nullopt;
}

std::vector<std::size_t> ViewerSession::addRequestedDrawings(const std::vector<std::string>& paths)
{
    // An overview click names a drawing again each time its sheets and
    // another drawing's alternate under the pointer: each path is read once,
    // not read again only to be dropped as a duplicate.
    std::vector<std::string> toRead;
    std::unordered_set<std::string> chosen;
    for (const std::string& path : paths)
        if (!openByRequestPath(path) && chosen.insert(path).second)
            toRead.push_back(path);
    std::vector<SessionDrawing> read = readSideBySide(toRead);
    // Two paths may name one drawing; addDrawing keeps it once.
    std::unordered_map<std::string, std::size_t> added;
    for (std::size_t i = 0; i < read.size(); ++i)
        added.emplace(toRead[i], addDrawing(std::move(read[i])));
    std::vector<std::size_t> indices;
    indices.reserve(paths.size());
    for (const std::string& path : paths) {
        const auto fresh = added.find(path);
        indices.push_back(fresh != added.end() ? fresh->second : *openByRequestPath(path));
    }
    return indices;
}

std::vector<std::size_t>
ViewerSession::openHeaders(const std::vector<std::filesystem::path>& headers)
{
    std::vector<std::size_t> named;
    for (const std::filesystem::path& header : headers) {
        const std::filesystem::path basePath = header.parent_path() / header.stem();
        const auto open =
            std::find_if(m_drawings.begin(), m_drawings.end(), [&](const SessionDrawing& drawing) {
                return drawing.pathError.isEmpty() &&
                       comparable(drawing.basePath) == comparable(basePath);
            });
        named.push_back(open != m_drawings.end()
                            ? static_cast<std::size_t>(open - m_drawings.begin())
                            : addDrawing(openDrawing(basePath, header)));
    }
    rematch();
    return named;
}

bool ViewerSession::hasOwnerListsToRead() const
{
    return std::any_of(m_drawings.begin(), m_drawings.end(),
                       [](const SessionDrawing& drawing) { return drawing.ownerListsPending(); });
}

bool ViewerSession::readOwnerLists()
{
    std::vector<std::size_t> pending;
    for (std::size_t i = 0; i < m_drawings.size(); ++i)
        if (m_drawings[i].ownerListsPending())
            pending.push_back(i);
    std::vector<std::vector<ListedProblem>> told(pending.size());
    sideBySide(pending.size(), [&](std::size_t i) {
        const SessionDrawing& drawing = m_drawings[pending[i]];
        told[i] = ownerListProblems(*drawing.records, drawing.ownerListFiles);
    });
    for (std::size_t i = 0; i < pending.size(); ++i) {
        SessionDrawing& drawing = m_drawings[pending[i]];
        drawing.problems.insert(drawing.problems.end(), told[i].begin(), told[i].end());
        drawing.ownerListFiles.clear();
    }
    return !pending.empty();
}

void ViewerSession::rematch()
{
    m_match = matchRequest(m_request, openDrawings(), m_drawingOfRequest);
}

OpenDrawing ViewerSession::openDrawingAt(std::size_t index) const
{
    const SessionDrawing& drawing = m_drawings[index];
    return {drawing.isOpen() ? drawing.records.get() : nullptr, drawing.scene.get(),
            drawing.requestPath};
}

std::vector<OpenDrawing> ViewerSession::openDrawings() const
{
    std::vector<OpenDrawing> open;
    open.reserve(m_drawings.size());
    for (std::size_t i = 0; i < m_drawings.size(); ++i)
        open.push_back(openDrawingAt(i));
    return open;
}

QString ViewerSession::itemLabel(const MatchedItem& item) const
{
    if (!item.drawing || *item.drawing >= m_drawings.size())
        return viewer::itemLabel(m_request, item, nullptr);
    const OpenDrawing drawing = openDrawingAt(*item.drawing);
    return viewer::itemLabel(m_request, item, &drawing);
}

MapBox ViewerSession::itemBox(const MatchedItem& item) const
{
    return viewer::itemBox(m_request, m_match, item, openDrawings());
}

std::vector<DrawingToRender> ViewerSession::toRender() const
{
    std::vector<DrawingToRender> render;
    render.reserve(m_drawings.size());
    for (std::size_t i = 0; i < m_drawings.size(); ++i)
        render.push_back(
            {m_drawings[i].scene.get(), i < m_match.marks.size() ? &m_match.marks[i] : nullptr});
    return render;
}

MapBox ViewerSession::bounds() const
{
    return unionOf(&SceneDrawing::bounds);
}

MapBox ViewerSession::framing() const
{
    return unionOf(&SceneDrawing::framing);
}

MapBox ViewerSession::unionOf(MapBox SceneDrawing::*box) const
{
    MapBox together;
    for (const SessionDrawing& drawing : m_drawings)
        if (drawing.scene)
            together.widen((*drawing.scene).*box);
    return together;
}

} // namespace ft::viewer
