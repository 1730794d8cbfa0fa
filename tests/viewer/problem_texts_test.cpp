// What the problem list says about a drawing's files.
#include "viewer/problem_texts.h"

#include "core/dataset/data_set_reader.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ft::viewer {
namespace {

// A point line that ends before its second coordinate is told as cut short,
// as registration refuses it, not as a value that is no number.
TEST(ProblemTexts, APointLineCutShortIsToldAsCutShort)
{
    test::TempFolder folder;
    test::DataSetBuilder builder(folder.path(), "A01", 2);
    builder.addPoint({"Ｐ１", "0.000", "0.000"})
        .addLine(test::SurveyFile::Points, "２－１０,1.000");
    const dataset::SurveyDataSet set = dataset::readDataSetAtHeader(builder.write());

    const auto cutShort = std::find_if(set.problems.begin(), set.problems.end(), [](const auto& p) {
        return p.kind == dataset::ProblemKind::CutShortRecord;
    });
    ASSERT_NE(cutShort, set.problems.end());
    EXPECT_EQ(cutShort->record, 2u);
    const QString text = fileProblemText(*cutShort, set);
    EXPECT_TRUE(text.contains(QStringLiteral("途中で切れて"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("「２－１０」"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("数値でない"))) << text.toStdString();
    EXPECT_EQ(set.points.size(), 1u);
}

} // namespace
} // namespace ft::viewer
