#include "core/formats/converter_support.h"

#include "core/catalogue/sqlite_database.h"
#include "core/catalogue/transaction.h"
#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "core/platform/message_text.h"
#include "core/platform/trace_log.h"

#include <optional>
#include <system_error>

namespace ft::formats {

namespace {

constexpr std::string_view kRollbackLine = "Rollback";

void rollBack(catalogue::Transaction& transaction, platform::TraceLog& trace)
{
    transaction.rollback();
    trace.writeLine(kRollbackLine);
}

} // namespace

SourceFileError::SourceFileError(std::filesystem::path file, std::string text,
                                 const platform::Message& reason)
    : std::runtime_error(file.string() + ": " + reason.english().toStdString()),
      platform::MarkedFailure(
          platform::Message(QT_TRANSLATE_NOOP("findTavla", "%1 cannot be read: %2"),
                            {QString::fromStdString(file.string()), reason.text()}),
          std::string()),
      m_file(std::move(file)), m_text(std::move(text))
{
}

platform::Message inRecord(std::size_t recordNumber, const platform::Message& reason)
{
    if (recordNumber == 0)
        return reason;
    return platform::Message(QT_TRANSLATE_NOOP("findTavla", "record %1: %2"),
                             {QString::number(recordNumber), reason.text()});
}

platform::Message notANumber(const std::string& cp932)
{
    return platform::Message(QT_TRANSLATE_NOOP("findTavla", "'%1' is not a valid number"),
                             {QString::fromStdString(platform::cp932ForMessage(cp932))});
}

std::string IntegerOrNull(std::string_view field)
{
    const std::optional<int> value = IntOf(TrimBlanks(field));
    return value ? std::to_string(*value) : std::string("NULL");
}

std::string Utf8Of(std::string_view cp932)
{
    if (const std::size_t zero = cp932.find('\0'); zero != std::string_view::npos)
        throw platform::EncodingError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "Zero byte (NUL) at byte %1"), {QString::number(zero)}));
    return platform::cp932ToUtf8(cp932);
}

std::string TraceTextOf(const std::filesystem::path& path)
{
    return platform::utf8ToCp932Escaped(path.string());
}

void TraceStatement(platform::TraceLog& trace, std::string_view utf8Statement)
{
    trace.writeLine(platform::utf8ToCp932Escaped(utf8Statement));
}

namespace {

// Runs the body of a file's conversion and ends it as the contract says:
// true, false, or the error turned into the file's SourceFileError, after
// `undo` (the rollback and its "Rollback" line) on every failing path.
bool endFileWork(const std::filesystem::path& source, const std::function<void()>& body,
                 const std::function<void()>& undo, const RecordLineReader* reader)
{
    // The line the reader stopped at, when there is one.
    const auto lineNumber = [reader] {
        return reader == nullptr ? std::size_t{0} : std::size_t{reader->lineNumber()};
    };
    try {
        body();
        return true;
    } catch (const catalogue::ECatalogueBusy&) {
        // Another program holds the catalogue: every later file would wait
        // and fail the same way, and this one is not at fault.
        undo();
        throw;
    } catch (const catalogue::ESQLiteException&) {
        undo();
        return false;
    } catch (const std::system_error&) {
        // A read error of the source file.
        undo();
        return false;
    } catch (const ConversionError& error) {
        undo();
        throw SourceFileError(source, error.text(),
                              inRecord(lineNumber(), notANumber(error.text())));
    } catch (const platform::EncodingError& error) {
        undo();
        throw SourceFileError(source, {}, inRecord(lineNumber(), error.message()));
    } catch (...) {
        // Not ours to handle, but the connection lives on after it: left
        // open, the transaction would refuse every later file's.
        undo();
        throw;
    }
}

} // namespace

bool RunFileTransaction(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace,
                        const std::filesystem::path& source, const std::function<void()>& body,
                        const RecordLineReader* reader)
{
    std::optional<catalogue::Transaction> transaction;
    try {
        transaction.emplace(db);
    } catch (const catalogue::ECatalogueBusy&) {
        trace.writeLine(kRollbackLine);
        throw;
    } catch (const catalogue::ESQLiteException&) {
        // Nothing of ours to roll back.
        trace.writeLine(kRollbackLine);
        return false;
    }
    return endFileWork(
        source,
        [&] {
            body();
            transaction->commit();
        },
        [&] { rollBack(*transaction, trace); }, reader);
}

bool RunFileReading(platform::TraceLog& trace, const std::filesystem::path& source,
                    const std::function<void()>& body, const RecordLineReader* reader)
{
    return endFileWork(
        source, body, [&] { trace.writeLine(kRollbackLine); }, reader);
}

} // namespace ft::formats
