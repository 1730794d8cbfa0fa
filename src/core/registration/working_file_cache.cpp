#include "core/registration/working_file_cache.h"

#include "core/catalogue/change_counter.h"
#include "core/catalogue/shared_catalogue.h"
#include "core/formats/working_files.h"
#include "core/platform/replacement_file.h"
#include "core/registration/exclusive_run.h"
#include "core/registration/working_file_upkeep.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <string>

namespace ft::registration {

namespace fs = std::filesystem;
using workspace::Datum;
using workspace::WorkingFileKind;

namespace {

// A counter no catalogue has: the cache is not in step with any.
constexpr std::int64_t kUnknownCounter = -1;

// Registered drawings by FILENO, each with the identity of its FILE row.
// FILENOs come round again (after a delete-all they start over at 1); the
// row identity does not, so a drawing that took over a cached drawing's
// number is not taken for it.
using DrawingKeys = std::map<int, std::int64_t>;

struct CacheState {
    std::string catalogue; // the catalogue's name as the operator knows it
    std::int64_t counter = kUnknownCounter;
    DrawingKeys drawings;
};

fs::path stateFileOf(RegistrationStores stores, Datum datum)
{
    return stores.workingFiles.dataFolder() / (std::string(workspace::kProgramStem) + ".ca" +
                                               std::to_string(workspace::datumCode(datum)));
}

DrawingKeys registeredDrawings(catalogue::CatalogueDatabase& db)
{
    DrawingKeys drawings;
    catalogue::ResultCursor rows = db.OpenCursor("SELECT FILENO, rowid FROM FILE");
    while (rows.Step())
        drawings[static_cast<int>(rows.Integer(0))] = rows.Integer(1);
    return drawings;
}

// Three lines: the catalogue, the counter, and FILENO:identity pairs
// separated by commas.
std::optional<CacheState> readState(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        return std::nullopt;
    CacheState state;
    std::string counter;
    std::string drawings;
    if (!std::getline(in, state.catalogue) || !std::getline(in, counter) ||
        !std::getline(in, drawings))
        return std::nullopt;
    for (std::string* line : {&state.catalogue, &counter, &drawings})
        if (!line->empty() && line->back() == '\r')
            line->pop_back();
    try {
        state.counter = std::stoll(counter);
        std::size_t at = 0;
        while (at < drawings.size()) {
            const std::size_t end = std::min(drawings.find(',', at), drawings.size());
            const std::string pair = drawings.substr(at, end - at);
            const std::size_t colon = pair.find(':');
            if (colon == std::string::npos)
                return std::nullopt;
            state.drawings[std::stoi(pair.substr(0, colon))] = std::stoll(pair.substr(colon + 1));
            at = end + 1;
        }
    } catch (const std::logic_error&) {
        return std::nullopt; // not a state this program wrote: the cache is made afresh
    }
    return state;
}

void writeState(const fs::path& file, const CacheState& state)
{
    std::string drawings;
    for (const auto& [fileNo, identity] : state.drawings)
        drawings +=
            (drawings.empty() ? "" : ",") + std::to_string(fileNo) + ':' + std::to_string(identity);
    platform::ReplacementFile replacement(file);
    replacement.write(state.catalogue + "\r\n" + std::to_string(state.counter) + "\r\n" + drawings +
                      "\r\n");
    replacement.commit();
}

void appendLines(const fs::path& file, const std::map<int, catalogue::DrawingLines>& drawings,
                 std::vector<std::string> catalogue::DrawingLines::*kind)
{
    formats::WorkingFile out(file, formats::WorkingFile::Mode::Append);
    for (const auto& [fileNo, lines] : drawings)
        for (const std::string& line : lines.*kind)
            out.writeRecord(line);
    out.close();
}

} // namespace

CacheUpdate UpdateWorkingFileCache(RegistrationStores stores, Datum datum)
{
    if (!stores.catalogues.isOpen(datum) || !catalogue::IsShared(stores.catalogues[datum]))
        return CacheUpdate::NotShared;
    try {
        const ExclusiveRun exclusive(stores.workingFiles.dataFolder());
        return UpdateHeldWorkingFileCache(stores, datum);
    } catch (const RegistrationInProgress&) {
        return CacheUpdate::Busy;
    }
}

CacheUpdate UpdateHeldWorkingFileCache(RegistrationStores stores, Datum datum)
{
    if (!stores.catalogues.isOpen(datum))
        return CacheUpdate::NotShared;
    catalogue::CatalogueDatabase& db = stores.catalogues[datum];
    if (!catalogue::IsShared(db))
        return CacheUpdate::NotShared;
    const fs::path stateFile = stateFileOf(stores, datum);
    // Read before the drawings: a change landing in between is seen next time.
    const std::int64_t counter = catalogue::ReadChangeCounter(db);
    std::optional<CacheState> state = readState(stateFile);
    if (state && state->catalogue != db.DisplayName())
        state.reset(); // made from another catalogue: nothing of it counts
    if (state && state->counter == counter)
        return CacheUpdate::UpToDate;

    const DrawingKeys registered = registeredDrawings(db);
    DrawingKeys kept;
    if (state)
        for (const auto& [fileNo, identity] : state->drawings) {
            const auto found = registered.find(fileNo);
            if (found != registered.end() && found->second == identity)
                kept.emplace(fileNo, identity);
        }
    // Drawings about to leave the files leave the record first.
    if (!state || kept != state->drawings)
        writeState(stateFile, {db.DisplayName(), kUnknownCounter, kept});
    std::set<int> keptFileNos;
    for (const auto& [fileNo, identity] : kept)
        keptFileNos.insert(fileNo);
    const fs::path sheets = stores.workingFiles.path(WorkingFileKind::SheetOutlines, datum);
    const fs::path segments = stores.workingFiles.path(WorkingFileKind::Segments, datum);
    PruneSheetOutlines(sheets, keptFileNos);
    PruneSegments(segments, keptFileNos);

    std::vector<int> missing;
    for (const auto& [fileNo, identity] : registered)
        if (!keptFileNos.contains(fileNo))
            missing.push_back(fileNo);
    const std::map<int, catalogue::DrawingLines> lines = catalogue::ReadDrawingLines(db, missing);
    appendLines(sheets, lines, &catalogue::DrawingLines::sheetOutlines);
    appendLines(segments, lines, &catalogue::DrawingLines::segments);
    formats::Extent& extent = stores.workingFiles.extent(datum);
    extent = SheetOutlinesExtent(sheets);
    formats::writeExtentFile(stores.workingFiles.path(WorkingFileKind::Extent, datum), extent);
    writeState(stateFile, {db.DisplayName(), counter, registered});
    return CacheUpdate::Updated;
}

void RecordCachedDrawings(RegistrationStores stores, Datum datum, const std::set<int>& fileNos)
{
    if (fileNos.empty() || !stores.catalogues.isOpen(datum))
        return;
    catalogue::CatalogueDatabase& db = stores.catalogues[datum];
    const fs::path stateFile = stateFileOf(stores, datum);
    std::optional<CacheState> state = readState(stateFile);
    if (!state || state->catalogue != db.DisplayName())
        return; // the next update makes the cache afresh
    for (const auto& [fileNo, identity] : registeredDrawings(db))
        if (fileNos.contains(fileNo))
            state->drawings[fileNo] = identity;
    // The counter stays the old one: the next update looks again.
    writeState(stateFile, *state);
}

} // namespace ft::registration
