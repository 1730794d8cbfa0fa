#include "core/registration/working_file_upkeep.h"

#include "core/formats/text_helpers.h"
#include "core/formats/working_files.h"
#include "core/platform/disk_full.h"
#include "core/platform/replacement_file.h"

#include <functional>
#include <string>
#include <system_error>

namespace ft::registration {

namespace fs = std::filesystem;

namespace {

constexpr int kSegmentFileNoField = 10;
// Working files are read to their real end (see RecordLineReader).
constexpr auto kWorkingFile = formats::RecordLineReader::Ending::AtEndOfFile;

using RecordFilter = std::function<bool(const std::string& record)>;

// True when any record of the file fails the filter.
bool anyDropped(const fs::path& file, const RecordFilter& keep)
{
    formats::RecordLineReader reader(file, kWorkingFile);
    std::string record;
    while (reader.next(record)) {
        if (!keep(record))
            return true;
    }
    return false;
}

// Rewrites the file with the records that pass the filter. The copy replaces
// the file whole; a copy that fails (a full disk) is dropped and the file
// stays as it was.
void rewriteKept(const fs::path& file, const RecordFilter& keep)
{
    platform::ReplacementFile replacement(file, platform::ReplacementFile::Writer::ByName);
    try {
        formats::WorkingFile copy(replacement.temporaryPath(),
                                  formats::WorkingFile::Mode::Truncate);
        formats::RecordLineReader reader(file, kWorkingFile);
        std::string record;
        while (reader.next(record)) {
            if (keep(record))
                copy.writeRecord(record);
        }
        copy.close();
    } catch (const platform::DiskFull&) {
        throw platform::DiskFull(file); // the file the operator knows
    }
    replacement.commit();
}

void pruneFile(const fs::path& file, const RecordFilter& keep)
{
    std::error_code error;
    if (!fs::exists(file, error))
        return;
    if (anyDropped(file, keep))
        rewriteKept(file, keep);
}

int segmentFileNo(std::string record)
{
    for (int field = 1; field < kSegmentFileNoField; ++field)
        formats::NextField(record);
    return formats::NextInt(record, 0);
}

} // namespace

formats::Extent PruneSheetOutlines(const fs::path& sheetOutlineFile,
                                   const std::set<int>& registered)
{
    const RecordFilter keep = [&](const std::string& record) {
        try {
            const formats::SheetOutline sheet = formats::parseSheetOutline(record);
            return registered.contains(sheet.fileNo);
        } catch (const formats::ConversionError&) {
            return false; // not a record this program wrote; the overview could not read it
        }
    };
    pruneFile(sheetOutlineFile, keep);
    return SheetOutlinesExtent(sheetOutlineFile);
}

formats::Extent SheetOutlinesExtent(const fs::path& sheetOutlineFile)
{
    formats::Extent extent;
    formats::RecordLineReader reader(sheetOutlineFile, kWorkingFile);
    std::string record;
    while (reader.next(record)) {
        const formats::SheetOutline sheet = formats::parseSheetOutline(record);
        formats::widenExtent(extent, sheet.xmin, sheet.ymin, sheet.xmax, sheet.ymax);
    }
    return extent;
}

void PruneSegments(const fs::path& segmentFile, const std::set<int>& registered)
{
    pruneFile(segmentFile, [&](const std::string& record) {
        return registered.contains(segmentFileNo(record));
    });
}

} // namespace ft::registration
