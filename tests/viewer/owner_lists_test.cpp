// A drawing's owner lists, read after the drawing: what they tell, or that a
// file they depend on changed or went in between.
#include "viewer/viewer_session.h"

#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace ft::viewer {
namespace {

using test::DataSetBuilder;
using test::SurveyFile;

bool tells(const SessionDrawing& drawing, const QString& words)
{
    return std::any_of(drawing.problems.begin(), drawing.problems.end(),
                       [&](const ListedProblem& problem) { return problem.text.contains(words); });
}

// Parcel 101, and an owner list of parcel 999, which the lot file lacks.
DataSetBuilder makeSet(const test::TempFolder& folder)
{
    DataSetBuilder set(folder.path(), "A01", 2);
    set.addPoint({"Ｐ１", "0.000", "0.000"})
        .addParcel({"大字本町", "字東", "１０１", "", ""})
        .addOwnerGroup({"大字本町", "字東", "999", {{"ヤマダ", "山田"}}, {}});
    return set;
}

TEST(OwnerListsReadLater, TellTheirProblemsOrThatTheirFilesChangedSinceTheDrawingWasRead)
{
    const QString ownerProblem = QStringLiteral("地番ファイルにない筆");
    struct Case {
        const char* name;
        std::function<void(DataSetBuilder&)> before; // on the set before it is read
        std::function<void(DataSetBuilder&)> change; // between the two reads
        const char* told;
    };
    const auto none = [](DataSetBuilder&) {};
    const Case cases[] = {
        {"untouched", none, none, "地番ファイルにない筆 999 の所有者"},
        {"owner list rewritten", none,
         [](DataSetBuilder& set) {
             set.addOwnerGroup({"大字本町", "字東", "101", {{"スズキ", "鈴木"}}, {}}).write();
         },
         "開いた後に変更された"},
        {"owner list removed", none,
         [](DataSetBuilder& set) { std::filesystem::remove(set.path(SurveyFile::Owners)); },
         "開いた後に削除された"},
        {"owner list made", [](DataSetBuilder& set) { set.omit(SurveyFile::Owners); },
         [](DataSetBuilder& set) { std::ofstream(set.path(SurveyFile::Owners)) << "x\r\n"; },
         "開いた後に作られた"},
        {"lot file rewritten", none,
         [](DataSetBuilder& set) {
             set.addParcel({"大字本町", "字東", "999", "", ""}).write();
         },
         "開いた後に変更された"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        DataSetBuilder set = makeSet(folder);
        c.before(set);
        ViewerSession session;
        session.openHeaders({set.write()});
        ASSERT_TRUE(session.drawings().front().isOpen());
        EXPECT_FALSE(tells(session.drawings().front(), ownerProblem));
        EXPECT_TRUE(session.hasOwnerListsToRead());

        c.change(set);
        EXPECT_TRUE(session.readOwnerLists());
        const SessionDrawing& drawing = session.drawings().front();
        EXPECT_TRUE(tells(drawing, QString::fromUtf8(c.told)));
        // A changed file gives nothing of what it holds now.
        EXPECT_EQ(tells(drawing, ownerProblem), std::string(c.name) == "untouched");
        EXPECT_FALSE(session.hasOwnerListsToRead());
        EXPECT_FALSE(session.readOwnerLists());
    }
}

} // namespace
} // namespace ft::viewer
