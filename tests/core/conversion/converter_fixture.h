#pragma once

// A fresh catalogue with its tables, the two trace logs and a folder for
// data sets, for the tests of the catalogue converters.

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/platform/cp932.h"
#include "core/platform/trace_log.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ft::formats {

class ConverterTest : public ::testing::Test {
protected:
    ConverterTest()
    {
        catalogue::CreateSchemaIfMissing(db);
        trace.openTruncated(folder / "test.log");
        trace2.truncate();
    }

    // Every row of a query, each cell as text (NULL as empty text; select
    // quote(X) to tell NULL apart).
    std::vector<std::vector<std::string>> rows(const std::string& sql)
    {
        catalogue::TSQLiteTable table = db.GetTable(sql);
        std::vector<std::vector<std::string>> result;
        for (table.MoveFirst(); !table.Eof(); table.Next()) {
            std::vector<std::string> row;
            for (int column = 0; column < table.ColumnCount(); ++column)
                row.push_back(table.FieldAsString(column));
            result.push_back(std::move(row));
        }
        return result;
    }

    int count(const std::string& table)
    {
        return std::stoi(db.GetTable("SELECT COUNT(*) FROM " + table).Fields(0));
    }

    // Makes inserts into `table` fail for rows whose `column` is 'boom'.
    void failInsertsOf(const std::string& table, const std::string& column)
    {
        db.ExecSQL("CREATE TRIGGER fail_" + table + " BEFORE INSERT ON " + table + " WHEN NEW." +
                   column + " = 'boom' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }

    // The lines of a trace log, CP932 bytes without their CRLF.
    static std::vector<std::string> linesOf(const std::filesystem::path& file)
    {
        const std::string bytes = test::readBytes(file);
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < bytes.size()) {
            const std::size_t end = bytes.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "trace line without CRLF";
            if (end == std::string::npos)
                break;
            lines.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    std::vector<std::string> traceLines() { return linesOf(folder / "test.log"); }
    std::vector<std::string> trace2Lines() { return linesOf(folder / "test2.log"); }

    static std::string sj(std::string_view utf8) { return platform::utf8ToCp932(utf8); }

    test::TempFolder folder;
    catalogue::TSQLiteDatabase db{(folder / "Dorsawrd.db").string()};
    platform::TraceLog trace;
    platform::AppendingTraceLog trace2{folder / "test2.log"};
};

} // namespace ft::formats
