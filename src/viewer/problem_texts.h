#pragma once

// What the viewer tells the user about what it could not read or find, in
// the Japanese of the screen.

#include "core/dataset/survey_data_set.h"
#include "core/formats/request_reader.h"
#include "viewer/request_matching.h"
#include "viewer/scene_item.h"

#include <QString>

#include <optional>
#include <vector>

namespace ft::viewer {

struct SessionDrawing;

QString requestUnreadableText(const QString& path, const QString& reason);
QString requestLineText(const formats::UnreadableRequestLine& line);
QString emptyRequestText();

// Why an item is greyed; empty for an item that is shown.
QString itemStateText(ItemState state);

QString fileProblemText(const dataset::ReadProblem& problem, const dataset::SurveyDataSet& set);

// One line of the problem list; selecting it shows the target when it has one.
struct ListedProblem {
    QString text;
    std::optional<SceneItem> target;
};

// Everything about a data set worth telling: the problems of its files, its
// parcels without an outline, its outlines with missing points or that do not
// close, and outlines that belong to no parcel record. Long lists are cut, the
// rest counted. Targets name drawing 0.
std::vector<ListedProblem> readingProblems(const dataset::SurveyDataSet& set);

// The same for a drawing of the session at drawingIndex, or why it could not
// be opened.
std::vector<ListedProblem> drawingProblems(const SessionDrawing& drawing, std::size_t drawingIndex);

} // namespace ft::viewer
