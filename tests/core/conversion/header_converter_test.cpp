#include "core/conversion/header_converter.h"

#include "converter_fixture.h"
#include "core/platform/path_text.h"

namespace ft::formats {
namespace {

using platform::pathFromText;
using platform::pathText;
using test::DataSetBuilder;
using test::HeaderRecord;
using Rows = std::vector<std::vector<std::string>>;

class StoreFileNameTest : public ConverterTest {
protected:
    const std::string kFileColumns =
        "SELECT PATH, TIME, FILENO, CREATER, CHIKU, quote(KEI), quote(SOKU) FROM FILE";
};

TEST_F(StoreFileNameTest, StoresTheHeaderValuesAndTracesTheStatement)
{
    DataSetBuilder set(folder.path() / pathFromText("測量データ"), "A01");
    set.setHeader({"9", "測量　太郎", "テスト地区", std::string("2 ")}).write();

    ASSERT_TRUE(storeFileName(db, trace, 7, set.basePath(), "2024/01/02 03:04:05"));

    const std::string base = pathText(set.basePath());
    EXPECT_EQ(rows(kFileColumns),
              (Rows{{base, "2024/01/02 03:04:05", "7", "測量　太郎", "テスト地区", "9", "2"}}));
    EXPECT_EQ(traceLines(),
              (std::vector<std::string>{sj("INSERT INTO FILE VALUES (\"" + base +
                                           "\", \"2024/01/02 03:04:05\", 7,\"測量　太郎\","
                                           "\"テスト地区\",9,2); ")}));
    EXPECT_FALSE(db.InTransaction());
}

TEST_F(StoreFileNameTest, ReadsTheHeaderBesideABasePathThatHoldsADot)
{
    DataSetBuilder set(folder.path(), "A.01");
    set.write();
    ASSERT_TRUE(storeFileName(db, trace, 1, set.basePath(), "t"));
    EXPECT_EQ(rows("SELECT PATH FROM FILE"), (Rows{{pathText(folder / "A.01")}}));
}

TEST_F(StoreFileNameTest, MissingHeaderStoresNothing)
{
    EXPECT_FALSE(storeFileName(db, trace, 1, folder / "none", "t"));
    EXPECT_EQ(count("FILE"), 0);
    EXPECT_TRUE(traceLines().empty());
}

TEST_F(StoreFileNameTest, ShortOrOddHeadersStillStoreTheirRow)
{
    struct Case {
        const char* what;
        HeaderRecord header;
        Rows expected; // CREATER, CHIKU, KEI, SOKU
    };
    const std::vector<Case> cases{
        {"eight fields", {"9", "c", "k", {}, 8}, {{"c", "k", "9", "0"}}},
        {"two fields: no KEI", {"9", "c", "k", {}, 2}, {{"", "", "NULL", "0"}}},
        {"KEI not an integer", {"x9", "c", "k", std::string("1")}, {{"c", "k", "NULL", "1"}}},
        {"KEI with blanks", {" 12 ", "c", "k", std::string(" 1")}, {{"c", "k", "12", "1"}}},
        {"datum not a number", {"9", "c", "k", std::string("W")}, {{"c", "k", "9", "0"}}},
        {"double quotes in names",
         {"9", "say \"hi\"", "\"", std::string("2")},
         {{"say \"hi\"", "\"", "9", "2"}}},
    };
    int fileNo = 0;
    for (const Case& c : cases) {
        DataSetBuilder set(folder.path(), "H" + std::to_string(++fileNo));
        set.setHeader(c.header).write();
        EXPECT_TRUE(storeFileName(db, trace, fileNo, set.basePath(), "t")) << c.what;
        EXPECT_EQ(rows("SELECT CREATER, CHIKU, quote(KEI), quote(SOKU) FROM FILE WHERE FILENO = " +
                       std::to_string(fileNo)),
                  c.expected)
            << c.what;
    }
}

TEST_F(StoreFileNameTest, QuotesAreDoubledInTheTracedStatement)
{
    DataSetBuilder set(folder.path(), "Q");
    set.setHeader({"9", "a\"b", "c", std::string("2")}).write();
    ASSERT_TRUE(storeFileName(db, trace, 3, set.basePath(), "t"));
    EXPECT_EQ(traceLines().at(0), "INSERT INTO FILE VALUES (\"" + pathText(set.basePath()) +
                                      "\", \"t\", 3,\"a\"\"b\",\"c\",9,2); ");
}

TEST_F(StoreFileNameTest, PathThatCp932CannotHoldIsStoredExactlyAndTracedEscaped)
{
    DataSetBuilder set(folder.path() / pathFromText("한국ü"), "A");
    set.write();
    ASSERT_TRUE(storeFileName(db, trace, 1, set.basePath(), "t"));
    EXPECT_EQ(rows("SELECT PATH FROM FILE"),
              (std::vector<std::vector<std::string>>{{pathText(set.basePath())}}));
    // Joined as text: on Windows a name starting with a backslash would be a root.
    const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
    const std::string escaped =
        pathText(folder.path()) + separator + "\\uD55C\\uAD6D\\u00FC" + separator + "A";
    EXPECT_EQ(traceLines().at(0).rfind("INSERT INTO FILE VALUES (\"" + escaped + "\", ", 0), 0u)
        << traceLines().at(0);
}

} // namespace
} // namespace ft::formats
