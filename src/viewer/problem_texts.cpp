#include "viewer/problem_texts.h"

#include "core/dataset/data_set_links.h"
#include "core/dataset/data_set_reader.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "viewer/screen_text.h"
#include "viewer/viewer_session.h"

#include <QStringList>

namespace ft::viewer {

namespace {

using dataset::kNoIndex;

// Beyond this many entries of one kind in one drawing the rest are counted.
constexpr std::size_t kListedPerKind = 100;

// Kinds of problem, each an entry's heading and the name of the rest.
constexpr const char* kNoOutline = QT_TRANSLATE_NOOP("findTavla", "parcel without an outline");
constexpr const char* kOpenOutline = QT_TRANSLATE_NOOP("findTavla", "outline that does not close");
constexpr const char* kUnlinkedOutline = QT_TRANSLATE_NOOP("findTavla", "outline of no parcel");

QString fileNameOf(const dataset::SurveyDataSet& set, dataset::SurveyFile file)
{
    return QString::fromStdString(platform::pathText(
        dataset::siblingPath(set.basePath, dataset::extensionOf(file, set.header.datum))
            .filename()));
}

QString recordText(dataset::SurveyFile file, std::size_t record)
{
    // Sheet-frame files may be 300-byte blocks rather than lines.
    return platform::messageText(file == dataset::SurveyFile::SheetFrames
                                     ? QT_TRANSLATE_NOOP("findTavla", "record %1")
                                     : QT_TRANSLATE_NOOP("findTavla", "line %1"),
                                 {QString::number(record)});
}

QString parcelName(const dataset::ParcelFields& fields)
{
    QStringList parts;
    for (const QString& part : {screenText(fields.oaza), screenText(fields.koaza),
                                screenText(dataset::foldedLot(fields.lot))})
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    return parts.join(QLatin1Char(' '));
}

QString outlineName(const dataset::Outline& outline)
{
    const QString lot = screenText(dataset::foldedLot(outline.labelD));
    const QString line = QString::number(outline.line);
    return lot.isEmpty()
               ? platform::messageText(QT_TRANSLATE_NOOP("findTavla", "the outline of line %1"),
                                       {line})
               : platform::messageText(QT_TRANSLATE_NOOP("findTavla", "%1 (line %2)"), {lot, line});
}

QString linkText(dataset::OutlineLink link, int number)
{
    const QStringList numbered{QString::number(number)};
    switch (link) {
    case dataset::OutlineLink::NoNumber:
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "it has no parcel number"));
    case dataset::OutlineLink::NoSuchParcel:
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "no parcel numbered %1 in the lot file"), numbered);
    case dataset::OutlineLink::NumberNotUnique:
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "several parcels numbered %1 in the lot file"),
            numbered);
    case dataset::OutlineLink::LabelsDisagree:
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla",
                              "the oaza and lot number disagree with parcel number %1"),
            numbered);
    case dataset::OutlineLink::Linked:
        break;
    }
    return {};
}

// Collects entries of one kind, keeping the first kListedPerKind.
class ProblemList {
public:
    explicit ProblemList(std::vector<ListedProblem>& out) : m_out(out) {}

    void add(QString text, std::optional<SceneItem> target = {})
    {
        if (++m_count <= kListedPerKind)
            m_out.push_back({std::move(text), target});
    }
    // `what` is a marked text naming the kind.
    void close(const char* what)
    {
        if (m_count > kListedPerKind)
            m_out.push_back({platform::messageText(QT_TRANSLATE_NOOP("findTavla", "%1 more: %2"),
                                                   {QString::number(m_count - kListedPerKind),
                                                    platform::messageText(what)}),
                             std::nullopt});
        m_count = 0;
    }

private:
    std::vector<ListedProblem>& m_out;
    std::size_t m_count = 0;
};

void listOutlineProblems(const dataset::SurveyDataSet& set, std::size_t drawingIndex,
                         std::vector<ListedProblem>& out)
{
    ProblemList list(out);
    for (const dataset::Parcel& parcel : set.parcels)
        if (parcel.outlines.empty())
            list.add(platform::messageText(kNoOutline) + QStringLiteral(": ") +
                     parcelName(parcel.fields));
    list.close(kNoOutline);

    for (std::size_t i = 0; i < set.outlines.size(); ++i) {
        const dataset::Outline& outline = set.outlines[i];
        if (outline.shape != dataset::OutlineShape::MissingPoints)
            continue;
        QStringList names;
        for (const std::string& name : outline.missingPoints)
            names << screenText(name);
        list.add(platform::messageText(
                     QT_TRANSLATE_NOOP("findTavla",
                                       "points of the outline are not in the point file: %1 (%2)"),
                     {outlineName(outline),
                      names.join(platform::messageText(QT_TRANSLATE_NOOP("findTavla", ", ")))}),
                 SceneItem{drawingIndex, SceneItem::Kind::Outline, i});
    }
    list.close(QT_TRANSLATE_NOOP("findTavla", "outlines missing points"));

    for (std::size_t i = 0; i < set.outlines.size(); ++i)
        if (set.outlines[i].shape == dataset::OutlineShape::Open)
            list.add(platform::messageText(kOpenOutline) + QStringLiteral(": ") +
                         outlineName(set.outlines[i]),
                     SceneItem{drawingIndex, SceneItem::Kind::Outline, i});
    list.close(kOpenOutline);

    for (std::size_t i = 0; i < set.outlines.size(); ++i) {
        const dataset::Outline& outline = set.outlines[i];
        if (outline.link == dataset::OutlineLink::Linked)
            continue;
        const bool drawn = !set.boundsOf(outline).isEmpty();
        list.add(
            platform::messageText(kUnlinkedOutline) + QStringLiteral(": ") + outlineName(outline) +
                QStringLiteral(" — ") + linkText(outline.link, outline.groupA),
            drawn ? std::optional<SceneItem>(SceneItem{drawingIndex, SceneItem::Kind::Outline, i})
                  : std::nullopt);
    }
    list.close(kUnlinkedOutline);
}

} // namespace

QString requestUnreadableText(const QString& path, const QString& reason)
{
    return platform::messageText(
        QT_TRANSLATE_NOOP("findTavla", "Cannot read the request file: %1 (%2)"), {path, reason});
}

QString requestLineText(const formats::UnreadableRequestLine& line)
{
    QString why;
    switch (line.reason) {
    case formats::UnreadableRequestLine::Reason::NoRecordCode:
        why = platform::messageText(QT_TRANSLATE_NOOP("findTavla", "it has no record code"));
        break;
    case formats::UnreadableRequestLine::Reason::UnknownCode:
        why = platform::messageText(QT_TRANSLATE_NOOP("findTavla", "the record code is unknown"));
        break;
    case formats::UnreadableRequestLine::Reason::EmptyDrawingPath:
        why = platform::messageText(QT_TRANSLATE_NOOP("findTavla", "the drawing path is empty"));
        break;
    }
    return platform::messageText(
        QT_TRANSLATE_NOOP("findTavla", "Line %1 of the request file was passed by (%2): %3"),
        {QString::number(line.line), why, screenText(line.text)});
}

QString emptyRequestText()
{
    return platform::messageText(
        QT_TRANSLATE_NOOP("findTavla", "The request file names no drawing (nothing was chosen)"));
}

QString itemStateText(ItemState state)
{
    switch (state) {
    case ItemState::Shown:
        return {};
    case ItemState::NotFound:
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "not found in the open drawings"));
    case ItemState::NoOutline:
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "it has no outline"));
    case ItemState::OutlineIncomplete:
        return platform::messageText(QT_TRANSLATE_NOOP(
            "findTavla", "its outline is incomplete (points missing, or it does not close)"));
    case ItemState::DrawingUnreadable:
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "the drawing cannot be read"));
    }
    return {};
}

QString fileProblemText(const dataset::ReadProblem& problem, const dataset::SurveyDataSet& set)
{
    const QString file = fileNameOf(set, problem.file);
    const QString detail = QString::fromStdString(problem.detail);
    switch (problem.kind) {
    case dataset::ProblemKind::HeaderMissing:
        // A path registered on another desk of a shared catalogue is that
        // desk's path: it opens here only where the data sets are mounted
        // at the same place.
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "no drawing: %1 (a drawing registered on another desk "
                                           "opens only when every desk reaches the data sets by "
                                           "the same path, one mount point)"),
            {detail});
    case dataset::ProblemKind::FileMissing:
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "no file: %1"), {detail});
    case dataset::ProblemKind::FileUnreadable:
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "unreadable file: %1 (%2)"),
                                     {file, detail});
    case dataset::ProblemKind::BadRecord:
        if (problem.record == 0)
            return platform::messageText(
                QT_TRANSLATE_NOOP("findTavla", "%1: %2 more unreadable records"), {file, detail});
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "%1 %2: passed by for the value '%3', not a number"),
            {file, recordText(problem.file, problem.record), detail});
    case dataset::ProblemKind::CutShortRecord:
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "%1 %2: passed by: the line of point '%3' is cut "
                                           "short and has no coordinates"),
            {file, recordText(problem.file, problem.record), detail});
    case dataset::ProblemKind::NoPosition:
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "%1 %2: control point '%3' without coordinates"),
            {file, recordText(problem.file, problem.record), detail});
    case dataset::ProblemKind::OwnersWithoutParcel:
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "%1 %2: owners of parcel %3, which is not in the lot "
                                           "file"),
            {file, recordText(problem.file, problem.record), detail});
    }
    return detail;
}

std::vector<ListedProblem> readingProblems(const dataset::SurveyDataSet& set)
{
    std::vector<ListedProblem> out;
    for (const dataset::ReadProblem& problem : set.problems)
        out.push_back({fileProblemText(problem, set), std::nullopt});
    if (set.present)
        listOutlineProblems(set, 0, out);
    return out;
}

std::vector<ListedProblem> drawingProblems(const SessionDrawing& drawing, std::size_t drawingIndex)
{
    if (!drawing.pathError.isEmpty())
        return {{drawing.pathError, std::nullopt}};
    std::vector<ListedProblem> out = drawing.problems;
    for (ListedProblem& problem : out)
        if (problem.target)
            problem.target->drawing = drawingIndex;
    return out;
}

} // namespace ft::viewer
