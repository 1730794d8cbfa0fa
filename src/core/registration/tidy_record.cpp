#include "core/registration/tidy_record.h"

#include "core/catalogue/catalogue_database.h"
#include "core/formats/working_files.h"
#include "core/platform/file_stamp.h"
#include "core/platform/path_text.h"
#include "core/platform/replacement_file.h"
#include "core/registration/registered_sets.h"
#include "core/workspace/workspace.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace ft::registration {

namespace {

using workspace::Datum;
using workspace::WorkingFileKind;

constexpr WorkingFileKind kRecordedFiles[] = {WorkingFileKind::SheetOutlines,
                                              WorkingFileKind::Segments, WorkingFileKind::Extent};

// FNV-1a, 64 bits: a change of any registration changes it.
class Checksum {
public:
    void add(std::string_view bytes)
    {
        for (const char byte : bytes) {
            m_value ^= static_cast<unsigned char>(byte);
            m_value *= 1099511628211ULL;
        }
        // A separator, so that ("ab", "c") and ("a", "bc") differ.
        m_value ^= 0x1F;
        m_value *= 1099511628211ULL;
    }
    std::uint64_t value() const { return m_value; }

private:
    std::uint64_t m_value = 14695981039346656037ULL;
};

// "catalogue <code> <FILE rows> <checksum> <last rowid of each table>".
std::string catalogueState(catalogue::CatalogueDatabase& db, Datum datum)
{
    Checksum checksum;
    long long rows = 0;
    catalogue::ResultCursor files =
        db.OpenCursor("SELECT rowid,FILENO,PATH,TIME FROM FILE ORDER BY rowid");
    while (files.Step()) {
        ++rows;
        for (int column = 0; column < 4; ++column)
            checksum.add(files.Fields(column));
    }
    std::string state = "catalogue " + std::to_string(workspace::datumCode(datum)) + " " +
                        std::to_string(rows) + " " + std::to_string(checksum.value());
    // Rows added to a table after the record raise its last rowid; rows of a
    // drawing can only lose their FILE row with the FILE table changing.
    for (const std::string_view table : kFileNoTables) {
        if (table == "FILE")
            continue;
        state += " " + db.GetTable("SELECT MAX(rowid) FROM " + std::string(table)).Fields(0);
    }
    return state;
}

} // namespace

std::filesystem::path TidyRecordPath(const std::filesystem::path& dataFolder)
{
    return dataFolder / (std::string(workspace::kProgramStem) + ".tidy");
}

std::string TidyState(RegistrationStores stores)
{
    std::string state;
    for (const Datum datum : workspace::kDatums) {
        state += catalogueState(stores.catalogues[datum], datum) + "\r\n";
        for (const WorkingFileKind kind : kRecordedFiles) {
            const std::filesystem::path file = stores.workingFiles.path(kind, datum);
            state += "file " + platform::pathText(file.filename()) + " " +
                     platform::stampText(platform::stampOf(file)) + "\r\n";
        }
    }
    return state;
}

bool StillInStep(RegistrationStores stores)
{
    // Anything but a file in the record's place (a folder) is no record.
    const std::filesystem::path record = TidyRecordPath(stores.workingFiles.dataFolder());
    std::error_code unknown;
    if (!std::filesystem::is_regular_file(record, unknown))
        return false;
    std::ifstream in(record, std::ios::binary);
    if (!in.is_open())
        return false;
    const std::string recorded{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    return recorded == TidyState(stores);
}

void RecordInStep(RegistrationStores stores)
{
    // The state is taken before the record is written: the record itself is
    // none of the files it describes.
    platform::replaceFileWith(TidyRecordPath(stores.workingFiles.dataFolder()), TidyState(stores));
}

} // namespace ft::registration
