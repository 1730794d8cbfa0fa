#pragma once

// The drawings the viewer has open and the request it was started with:
// reading the request file, opening each drawing it names (or each header
// given), and finding the requested items in them. No windows: the window
// shows a session, tests and benchmarks build one directly.

#include "core/dataset/survey_data_set.h"
#include "core/formats/request_reader.h"
#include "viewer/drawing_records.h"
#include "viewer/drawing_scene.h"
#include "viewer/owner_lists.h"
#include "viewer/problem_texts.h"
#include "viewer/request_matching.h"
#include "viewer/scene_renderer.h"

#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ft::viewer {

struct SessionDrawing {
    std::filesystem::path basePath; // header path without extension
    std::string requestPath;        // CP932 as the request names it; empty when opened otherwise
    // The names of its records (the data set itself is let go once read).
    std::unique_ptr<DrawingRecords> records;
    std::unique_ptr<SceneDrawing> scene; // null when it could not be read
    // What reading it found wrong, its targets in drawing 0 (drawingProblems
    // names the drawing's place in the session).
    std::vector<ListedProblem> problems;
    QString name; // base file name, or the path as requested
    // Why the drawing could not even be looked for (a request path that is
    // not CP932); empty otherwise.
    QString pathError;
    // The files its owner lists are read from when first needed, as they
    // were when it was read; cleared once they are read.
    std::vector<NotedFile> ownerListFiles;

    bool isOpen() const { return scene != nullptr; }
    bool ownerListsPending() const { return isOpen() && !ownerListFiles.empty(); }
};

class ViewerSession {
public:
    // Reads the request and opens its drawings: each code 0 path, and each
    // code 1 path that no code 0 record names. A request file that cannot
    // be read leaves an empty session with the reason in requestProblems().
    void openRequest(const std::filesystem::path& requestFile);
    // Opens data sets by their header files; a header already open is not
    // read again. Returns the indices of the drawings the headers name.
    std::vector<std::size_t> openHeaders(const std::vector<std::filesystem::path>& headers);

    // Reads the owner lists of the open drawings that were read without
    // them (on every core) and adds what they tell to each drawing's
    // problems. Returns whether there were any to read.
    bool readOwnerLists();
    bool hasOwnerListsToRead() const;

    const std::vector<SessionDrawing>& drawings() const { return m_drawings; }
    const formats::ViewerRequest& request() const { return m_request; }
    bool hasRequest() const { return m_hasRequest; }
    const RequestMatch& match() const { return m_match; }
    // What went wrong with the request file itself (Japanese, for the window).
    const std::vector<QString>& requestProblems() const { return m_requestProblems; }

    // What the side list says a matched item is, and the box selecting it shows.
    QString itemLabel(const MatchedItem& item) const;
    MapBox itemBox(const MatchedItem& item) const;

    // The drawings as matching and drawing take them, by the same index.
    std::vector<OpenDrawing> openDrawings() const;
    std::vector<DrawingToRender> toRender() const;
    // Every open drawing's bounds together.
    MapBox bounds() const;
    // What a view of every open drawing frames: their framing boxes together.
    MapBox framing() const;

private:
    std::size_t addDrawing(SessionDrawing drawing);
    // One box of every open drawing, together.
    MapBox unionOf(MapBox SceneDrawing::*box) const;
    // The drawing open under the request path, if any.
    std::optional<std::size_t> openByRequestPath(const std::string& cp932Path) const;
    // The drawings the request paths name, in their order: those already
    // open under the path, the others read (side by side) and added.
    std::vector<std::size_t> addRequestedDrawings(const std::vector<std::string>& paths);
    void rematch();
    OpenDrawing openDrawingAt(std::size_t index) const;

    std::vector<SessionDrawing> m_drawings;
    formats::ViewerRequest m_request;
    bool m_hasRequest = false;
    std::vector<std::size_t> m_drawingOfRequest;
    std::vector<QString> m_requestProblems;
    RequestMatch m_match;
};

// The drawing's full path for a tool tip; its name when it has none.
QString drawingPathText(const SessionDrawing& drawing);

// The drawing's data set read and drawn, all but its owner lists (noted for
// ViewerSession::readOwnerLists); its name is the header's base name. The
// header is basePath + ".hed" unless headerFile names it.
SessionDrawing openDrawing(const std::filesystem::path& basePath,
                           const std::filesystem::path& headerFile = {});

} // namespace ft::viewer
