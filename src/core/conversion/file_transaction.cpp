#include "core/conversion/file_transaction.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/transaction.h"
#include "core/formats/converter_support.h"
#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
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
    } catch (const catalogue::CatalogueError&) {
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

bool RunFileTransaction(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                        const std::filesystem::path& source, const std::function<void()>& body,
                        const RecordLineReader* reader)
{
    std::optional<catalogue::Transaction> transaction;
    try {
        transaction.emplace(db);
    } catch (const catalogue::ECatalogueBusy&) {
        trace.writeLine(kRollbackLine);
        throw;
    } catch (const catalogue::CatalogueError&) {
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
