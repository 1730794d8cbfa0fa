#include "viewer/viewer_session.h"

#include "core/dataset/data_set_reader.h"
#include "core/platform/cp932.h"
#include "core/search/request_file.h"
#include "viewer/problem_texts.h"
#include "viewer/screen_text.h"

#include <algorithm>

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
        SessionDrawing drawing = openDrawing(search::requestPathOf(cp932Path));
        drawing.requestPath = cp932Path;
        return drawing;
    } catch (const platform::EncodingError&) {
        SessionDrawing drawing;
        drawing.requestPath = cp932Path;
        drawing.data = std::make_unique<dataset::SurveyDataSet>();
        drawing.name = screenText(cp932Path);
        drawing.pathError = QStringLiteral("パスが CP932 として読めません");
        return drawing;
    }
}

} // namespace

QString drawingPathText(const SessionDrawing& drawing)
{
    if (!drawing.basePath.empty())
        return QString::fromStdString(drawing.basePath.string());
    return drawing.name;
}

SessionDrawing openDrawing(const std::filesystem::path& basePath,
                           const std::filesystem::path& headerFile)
{
    SessionDrawing drawing;
    drawing.basePath = basePath;
    drawing.data = std::make_unique<dataset::SurveyDataSet>(
        headerFile.empty() ? dataset::readDataSet(basePath)
                           : dataset::readDataSetAtHeader(headerFile));
    drawing.name = QString::fromStdString(basePath.filename().string());
    if (drawing.data->present)
        drawing.scene = std::make_unique<SceneDrawing>(buildScene(*drawing.data, drawing.name));
    return drawing;
}

void ViewerSession::openRequest(const std::filesystem::path& requestFile)
{
    m_hasRequest = true;
    try {
        m_request = search::readRequestFile(requestFile);
    } catch (const search::RequestReadError& error) {
        m_request = {};
        m_requestProblems.push_back(requestUnreadableText(
            QString::fromStdString(requestFile.string()), QString::fromStdString(error.what())));
    }
    for (const search::UnreadableRequestLine& line : m_request.unreadable)
        m_requestProblems.push_back(requestLineText(line));

    m_drawingOfRequest.clear();
    for (const search::RequestedDrawing& requested : m_request.drawings)
        m_drawingOfRequest.push_back(addRequestedDrawing(requested.path));
    for (const search::RequestedItem& item : m_request.items)
        if (item.code == search::kRegisteredDrawingRecord)
            addRequestedDrawing(item.value);
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

std::size_t ViewerSession::addRequestedDrawing(const std::string& cp932Path)
{
    // An overview click names a drawing again each time its sheets and
    // another drawing's alternate under the pointer: reading the data set
    // again for each record, only to drop it as a duplicate, made such a
    // request slow to open.
    for (std::size_t i = 0; i < m_drawings.size(); ++i)
        if (m_drawings[i].requestPath == cp932Path)
            return i;
    return addDrawing(drawingOfRequestPath(cp932Path));
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

void ViewerSession::rematch()
{
    m_match = matchRequest(m_request, openDrawings(), m_drawingOfRequest);
}

std::vector<OpenDrawing> ViewerSession::openDrawings() const
{
    std::vector<OpenDrawing> open;
    open.reserve(m_drawings.size());
    for (const SessionDrawing& drawing : m_drawings)
        open.push_back({drawing.isOpen() ? drawing.data.get() : nullptr, drawing.scene.get(),
                        drawing.requestPath});
    return open;
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
