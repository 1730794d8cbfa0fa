// --format csv and json, read back by Python's csv and json modules: what a
// script that takes the output will see.

#include "cli/cli_run.h"

#include "core/workspace/workspace.h"

#include "devtools/temp_folder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <sstream>

namespace ft::cli {
namespace {

// Reads the file named by argv[1] with the module named by argv[2] and prints
// what it got as JSON, non-ASCII as it is.
constexpr const char* kReadBack = R"(
import csv, json, sys
with open(sys.argv[1], encoding="utf-8", newline="") as f:
    got = list(csv.reader(f, strict=True)) if sys.argv[2] == "csv" else json.load(f)
print(json.dumps(got, ensure_ascii=False))
)";

class OutputFormatsTest : public ::testing::Test {
protected:
    OutputFormatsTest()
    {
        workspace::Workspace state(m_folder / "data", m_folder / "settings");
        auto& world = state.catalogue(workspace::Datum::World);
        // Every character the formats must quote or escape, in one path.
        world.ExecSQL("INSERT INTO FILE VALUES ('/測量/a,\"b\"' || char(13, 10) || 'c\\d', '', 1, "
                      "'甲\t社', '', 0, 2)");
        world.ExecSQL("INSERT INTO FILE VALUES ('/測量/e', '', 2, '乙社', '南', 0, 2)");
    }

    // Runs the tool with `args`, then the reader on what it wrote.
    std::string readBack(const std::vector<std::string>& args, const char* module)
    {
        std::ostringstream out;
        std::ostringstream err;
        runCli(args, out, err, [this] {
            return CliFolders{m_folder / "data", m_folder / "settings"};
        });
        const auto file = m_folder / "output";
        test::writeBytes(file, out.str());
        QProcess python;
        python.start(QStringLiteral("python3"),
                     {QStringLiteral("-c"), QString::fromUtf8(kReadBack),
                      QString::fromStdString(file.string()), QString::fromUtf8(module)});
        EXPECT_TRUE(python.waitForFinished(30000));
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        return python.readAllStandardOutput().toStdString();
    }

    test::TempFolder m_folder;
};

TEST_F(OutputFormatsTest, CsvReadsBackFieldForField)
{
    EXPECT_EQ(readBack({"files", "--format", "csv"}, "csv"),
              R"([["PATH", "FILENO", "CREATER", "CHIKU", "SOKU"], )"
              R"(["/測量/a,\"b\"\r\nc\\d", "1", "甲\t社", "", "2"], )"
              R"(["/測量/e", "2", "乙社", "南", "2"]])"
              "\n");
}

TEST_F(OutputFormatsTest, JsonIsOneArrayOfObjectsKeyedByColumn)
{
    EXPECT_EQ(readBack({"files", "--format=json"}, "json"),
              R"([{"PATH": "/測量/a,\"b\"\r\nc\\d", "FILENO": 1, "CREATER": "甲\t社", )"
              R"("CHIKU": "", "SOKU": 2}, )"
              R"({"PATH": "/測量/e", "FILENO": 2, "CREATER": "乙社", "CHIKU": "南", "SOKU": 2}])"
              "\n");
    // Nothing found is still a valid document.
    EXPECT_EQ(readBack({"search", "maps", "--format", "json"}, "json"), "[]\n");
}

} // namespace
} // namespace ft::cli
