#pragma once

// What the libFuzzer harnesses share: a scratch folder for the input file, an
// in-memory catalogue with its tables, the trace logs, and the oracles that
// go beyond the sanitizers. A broken oracle aborts, which libFuzzer reports
// as a finding with the input that caused it.

#include "core/catalogue/sqlite_database.h"
#include "core/formats/converter_support.h"
#include "core/platform/trace_log.h"
#include "devtools/temp_folder.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace ft::fuzz {

// Everything one fuzzing process works in. libFuzzer calls the harness
// without any context, so the scratch lives for the process: one instance,
// made on first use.
class Scratch {
public:
    static Scratch& instance();

    const std::filesystem::path& folder() const { return m_folder.path(); }
    // Writes the input as the file `name` of the scratch folder.
    std::filesystem::path write(std::string_view name, const std::uint8_t* data,
                                std::size_t size) const;

    catalogue::TSQLiteDatabase& catalogue() { return m_catalogue; }
    platform::TraceLog& trace() { return m_trace; }
    platform::AppendingTraceLog& trace2() { return m_trace2; }

    // Empties the catalogue's tables and both trace logs for the next input.
    void fresh();
    // The rows of the five tables that carry FILENO.
    int rowCount();
    // The last line of test.log, without its CR LF.
    std::string lastTraceLine() const;

private:
    Scratch();

    test::TempFolder m_folder;
    catalogue::TSQLiteDatabase m_catalogue{":memory:"};
    platform::TraceLog m_trace;
    platform::AppendingTraceLog m_trace2;
};

// Aborts with the message when the condition does not hold.
void require(bool condition, std::string_view what);

// Runs a reader. The typed conversion error (SourceFileError) is an answer
// a reader may give: then false. Any other exception is a finding and goes
// on to libFuzzer.
bool convertsOrRefuses(const std::function<void()>& read);

// Runs a catalogue converter on a readable file: it converts (true, or
// false where `falseAllowed`) without the catalogue refusing a statement,
// or it ends with SourceFileError and leaves no row behind.
void checkCatalogueConverter(std::string_view name, const std::function<bool()>& convert,
                             bool falseAllowed = false);

// Every line of a working file this program wrote: ended by CR LF, with
// exactly `fields` fields each followed by a comma, no control byte, and
// read back by the overview's own parser (parse throws on a bad number).
void requireWorkingFileLines(const std::filesystem::path& file, int fields,
                             const std::function<void(std::string)>& parse);

} // namespace ft::fuzz
