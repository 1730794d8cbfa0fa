#include "viewer/problem_texts.h"

#include "core/dataset/data_set_links.h"
#include "core/dataset/data_set_reader.h"
#include "viewer/screen_text.h"
#include "viewer/viewer_session.h"

#include <QStringList>

namespace ft::viewer {

namespace {

using dataset::kNoIndex;

// Beyond this many entries of one kind in one drawing the rest are counted.
constexpr std::size_t kListedPerKind = 100;

QString fileNameOf(const dataset::SurveyDataSet& set, dataset::SurveyFile file)
{
    return QString::fromStdString(
        dataset::siblingPath(set.basePath, dataset::extensionOf(file, set.header.datum))
            .filename()
            .string());
}

QString recordText(dataset::SurveyFile file, std::size_t record)
{
    // Sheet-frame files may be 300-byte blocks rather than lines.
    return file == dataset::SurveyFile::SheetFrames ? QStringLiteral("記録%1").arg(record)
                                                    : QStringLiteral("%1行目").arg(record);
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
    return lot.isEmpty() ? QStringLiteral("%1行目の輪郭").arg(outline.line)
                         : QStringLiteral("%1（%2行目）").arg(lot).arg(outline.line);
}

QString linkText(dataset::OutlineLink link, int number)
{
    switch (link) {
    case dataset::OutlineLink::NoNumber:
        return QStringLiteral("筆の番号がありません");
    case dataset::OutlineLink::NoSuchParcel:
        return QStringLiteral("番号 %1 の筆が地番ファイルにありません").arg(number);
    case dataset::OutlineLink::NumberNotUnique:
        return QStringLiteral("番号 %1 の筆が地番ファイルに複数あります").arg(number);
    case dataset::OutlineLink::LabelsDisagree:
        return QStringLiteral("番号 %1 の筆と大字・地番が一致しません").arg(number);
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
    void close(const QString& what)
    {
        if (m_count > kListedPerKind)
            m_out.push_back(
                {QStringLiteral("ほか %1 件の%2").arg(m_count - kListedPerKind).arg(what),
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
            list.add(QStringLiteral("輪郭のない筆: ") + parcelName(parcel.fields));
    list.close(QStringLiteral("輪郭のない筆"));

    for (std::size_t i = 0; i < set.outlines.size(); ++i) {
        const dataset::Outline& outline = set.outlines[i];
        if (outline.shape != dataset::OutlineShape::MissingPoints)
            continue;
        QStringList names;
        for (const std::string& name : outline.missingPoints)
            names << screenText(name);
        list.add(QStringLiteral("輪郭の点が点ファイルにありません: %1（%2）")
                     .arg(outlineName(outline), names.join(QStringLiteral("、"))),
                 SceneItem{drawingIndex, SceneItem::Kind::Outline, i});
    }
    list.close(QStringLiteral("点の足りない輪郭"));

    for (std::size_t i = 0; i < set.outlines.size(); ++i)
        if (set.outlines[i].shape == dataset::OutlineShape::Open)
            list.add(QStringLiteral("閉じていない輪郭: ") + outlineName(set.outlines[i]),
                     SceneItem{drawingIndex, SceneItem::Kind::Outline, i});
    list.close(QStringLiteral("閉じていない輪郭"));

    for (std::size_t i = 0; i < set.outlines.size(); ++i) {
        const dataset::Outline& outline = set.outlines[i];
        if (outline.link == dataset::OutlineLink::Linked)
            continue;
        const bool drawn = !set.boundsOf(outline).isEmpty();
        list.add(
            QStringLiteral("筆に結び付かない輪郭: %1 — %2")
                .arg(outlineName(outline), linkText(outline.link, outline.groupA)),
            drawn ? std::optional<SceneItem>(SceneItem{drawingIndex, SceneItem::Kind::Outline, i})
                  : std::nullopt);
    }
    list.close(QStringLiteral("筆に結び付かない輪郭"));
}

} // namespace

QString requestUnreadableText(const QString& path, const QString& reason)
{
    return QStringLiteral("表示依頼ファイルを読めません: %1（%2）").arg(path, reason);
}

QString requestLineText(const search::UnreadableRequestLine& line)
{
    QString why;
    switch (line.reason) {
    case search::UnreadableRequestLine::Reason::NoRecordCode:
        why = QStringLiteral("記録コードがありません");
        break;
    case search::UnreadableRequestLine::Reason::UnknownCode:
        why = QStringLiteral("知らない記録コードです");
        break;
    case search::UnreadableRequestLine::Reason::EmptyDrawingPath:
        why = QStringLiteral("図面のパスが空です");
        break;
    }
    return QStringLiteral("表示依頼ファイルの%1行目を読み飛ばしました（%2）: %3")
        .arg(line.line)
        .arg(why, screenText(line.text));
}

QString emptyRequestText()
{
    return QStringLiteral("表示依頼ファイルに図面がありません（何も選ばれていません）");
}

QString itemStateText(ItemState state)
{
    switch (state) {
    case ItemState::Shown:
        return {};
    case ItemState::NotFound:
        return QStringLiteral("開いた図面に見つかりません");
    case ItemState::NoOutline:
        return QStringLiteral("輪郭がありません");
    case ItemState::OutlineIncomplete:
        return QStringLiteral("輪郭が不完全です（点の不足か閉じていない）");
    case ItemState::DrawingUnreadable:
        return QStringLiteral("図面を読めません");
    }
    return {};
}

QString fileProblemText(const dataset::ReadProblem& problem, const dataset::SurveyDataSet& set)
{
    const QString file = fileNameOf(set, problem.file);
    const QString detail = QString::fromStdString(problem.detail);
    switch (problem.kind) {
    case dataset::ProblemKind::HeaderMissing:
        return QStringLiteral("図面がありません: %1").arg(detail);
    case dataset::ProblemKind::FileMissing:
        return QStringLiteral("ファイルがありません: %1").arg(detail);
    case dataset::ProblemKind::FileUnreadable:
        return QStringLiteral("読めないファイル: %1（%2）").arg(file, detail);
    case dataset::ProblemKind::BadRecord:
        if (problem.record == 0)
            return QStringLiteral("%1: ほか %2 件の読めない記録").arg(file, detail);
        return QStringLiteral("%1 %2: 数値でない値「%3」があるため読み飛ばしました")
            .arg(file, recordText(problem.file, problem.record), detail);
    case dataset::ProblemKind::CutShortRecord:
        return QStringLiteral(
                   "%1 %2: 点「%3」の行が途中で切れていて座標の値がないため読み飛ばしました")
            .arg(file, recordText(problem.file, problem.record), detail);
    case dataset::ProblemKind::NoPosition:
        return QStringLiteral("%1 %2: 座標のない図根点「%3」")
            .arg(file, recordText(problem.file, problem.record), detail);
    case dataset::ProblemKind::OwnersWithoutParcel:
        return QStringLiteral("%1 %2: 地番ファイルにない筆 %3 の所有者")
            .arg(file, recordText(problem.file, problem.record), detail);
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
