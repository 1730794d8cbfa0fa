#include "core/formats/converter_support.h"

#include "core/catalogue/sqlite_database.h"
#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "core/platform/trace_log.h"

#include <cstdio>
#include <system_error>

namespace ft::formats {

namespace {

constexpr std::string_view kRollbackLine = "Rollback";

// Offending text for a message: as UTF-8 when it is valid CP932, otherwise
// its bytes in hexadecimal.
std::string displayText(std::string_view cp932)
{
    try {
        return platform::cp932ToUtf8(cp932);
    } catch (const platform::EncodingError&) {
        std::string hex;
        for (const char byte : cp932) {
            char digits[4];
            std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(byte));
            hex += hex.empty() ? "" : " ";
            hex += digits;
        }
        return "bytes " + hex;
    }
}

void rollBack(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace)
{
    db.Rollback();
    trace.writeLine(kRollbackLine);
}

} // namespace

SourceFileError::SourceFileError(std::filesystem::path file, std::string text,
                                 const std::string& reason)
    : std::runtime_error(file.string() + ": " + reason), m_file(std::move(file)),
      m_text(std::move(text))
{
}

std::string QuoteDoubled(std::string_view text, char quote)
{
    std::string quoted;
    quoted.reserve(text.size());
    AppendQuoteDoubled(quoted, text, quote);
    return quoted;
}

void AppendQuoteDoubled(std::string& statement, std::string_view text, char quote)
{
    for (const char c : text) {
        statement.push_back(c);
        if (c == quote)
            statement.push_back(c);
    }
}

std::string IntegerOrNull(std::string_view field)
{
    const std::optional<int> value = IntOf(TrimBlanks(field));
    return value ? std::to_string(*value) : std::string("NULL");
}

std::string Utf8Of(std::string_view cp932)
{
    return platform::cp932ToUtf8(cp932);
}

std::string Cp932Of(const std::filesystem::path& path)
{
    return platform::utf8ToCp932(path.string());
}

void TraceStatement(platform::TraceLog& trace, std::string_view utf8Statement)
{
    trace.writeLine(platform::utf8ToCp932(utf8Statement));
}

bool RunFileTransaction(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace,
                        const std::filesystem::path& source, const std::function<void()>& body)
{
    try {
        db.BeginTransaction();
    } catch (const catalogue::ESQLiteException&) {
        // Nothing of ours to roll back (another transaction may be open).
        trace.writeLine(kRollbackLine);
        return false;
    }
    try {
        body();
        db.Commit();
        return true;
    } catch (const catalogue::ESQLiteException&) {
        rollBack(db, trace);
        return false;
    } catch (const std::system_error&) {
        // A read error of the source file.
        rollBack(db, trace);
        return false;
    } catch (const ConversionError& error) {
        rollBack(db, trace);
        throw SourceFileError(source, error.text(),
                              "'" + displayText(error.text()) + "' is not a valid number");
    } catch (const platform::EncodingError& error) {
        rollBack(db, trace);
        throw SourceFileError(source, {}, error.what());
    } catch (...) {
        // Not ours to handle, but the connection lives on after it: left
        // open, the transaction would refuse every later file's.
        rollBack(db, trace);
        throw;
    }
}

} // namespace ft::formats
