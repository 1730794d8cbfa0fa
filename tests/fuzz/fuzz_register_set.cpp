// A whole data set registered through the driver, one of its files replaced
// by the input (the first byte chooses which). Beyond the sanitizers: the
// set registers with its FILE row, or fails and leaves nothing behind; the
// working files hold well-formed lines only; nothing but a set's own failure
// comes out (a catalogue error would end the run with an exception).
#include "core/catalogue/schema.h"
#include "core/formats/working_files.h"
#include "core/platform/progress.h"
#include "core/registration/discovery.h"
#include "core/registration/registration_driver.h"
#include "devtools/dataset_builder.h"
#include "fuzz_support.h"

#include <array>
#include <optional>

namespace {

using namespace ft;
namespace fs = std::filesystem;
using test::SurveyFile;
using workspace::Datum;
using workspace::WorkingFileKind;

constexpr std::array kKinds{
    SurveyFile::Header,         SurveyFile::Parcels,   SurveyFile::Owners,
    SurveyFile::GroupedParcels, SurveyFile::MapSheets, SurveyFile::Points,
    SurveyFile::ControlPoints,  SurveyFile::Outlines,  SurveyFile::SheetFrames};

// The generated set and the folders it registers into, for the process.
class RegistrationBench {
public:
    RegistrationBench()
        : m_root(fuzz::Scratch::instance().folder()),
          m_set(test::DataSetBuilder::smallValidSet(m_root / "set", "S", 2)),
          m_header(m_set.write())
    {
        fs::create_directories(m_root / "data");
        // The logs would grow by every input; their lines are not checked.
        for (const char* log : {"test.log", "test2.log"})
            fs::create_symlink("/dev/null", m_root / "data" / log);
        m_state.emplace(m_root / "data", m_root / "cfg");
    }

    void replace(SurveyFile kind, const std::uint8_t* data, std::size_t size)
    {
        if (m_replaced)
            test::writeBytes(m_set.path(*m_replaced), m_set.bytesOf(*m_replaced));
        test::writeBytes(m_set.path(kind),
                         std::string_view(reinterpret_cast<const char*>(data), size));
        m_replaced = kind;
    }

    registration::EntryResult registerSet(registration::TargetEntry& entry)
    {
        entry = registration::MakeTargetEntry(m_header);
        platform::SilentProgress silent;
        return registration::RegisterEntries(*m_state, {entry}, silent).front();
    }

    int rows(Datum datum)
    {
        int rows = 0;
        for (const char* table : {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN"})
            rows += std::stoi(m_state->catalogue(datum)
                                  .GetTable(std::string("SELECT COUNT(*) FROM ") + table)
                                  .Fields(0));
        return rows;
    }

    int fileRows(Datum datum)
    {
        return std::stoi(m_state->catalogue(datum).GetTable("SELECT COUNT(*) FROM FILE").Fields(0));
    }

    fs::path workingFile(WorkingFileKind kind, Datum datum) const
    {
        return m_state->workingFile(kind, datum);
    }

    // Back to empty catalogues and working files for the next input.
    void reset()
    {
        for (const Datum datum : workspace::kDatums) {
            catalogue::DeleteAllRows(m_state->catalogue(datum));
            for (const WorkingFileKind kind : {WorkingFileKind::SheetOutlines,
                                               WorkingFileKind::Segments, WorkingFileKind::Extent})
                fs::remove(m_state->workingFile(kind, datum));
        }
    }

private:
    fs::path m_root;
    test::DataSetBuilder m_set;
    fs::path m_header;
    std::optional<workspace::Workspace> m_state;
    std::optional<SurveyFile> m_replaced;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static RegistrationBench bench;
    bench.replace(kKinds[data[0] % kKinds.size()], data + 1, size - 1);
    registration::TargetEntry entry;
    const registration::EntryResult result = bench.registerSet(entry);
    switch (result.outcome) {
    case registration::SetOutcome::Registered:
        fuzz::require(bench.fileRows(entry.datum()) == 1, "registered without its FILE row");
        break;
    case registration::SetOutcome::Failed:
        for (const Datum datum : workspace::kDatums) {
            fuzz::require(bench.rows(datum) == 0, "a failed set left rows: " + result.reason);
            for (const WorkingFileKind kind :
                 {WorkingFileKind::SheetOutlines, WorkingFileKind::Segments})
                fuzz::require(test::readBytes(bench.workingFile(kind, datum)).empty(),
                              "a failed set left working-file records: " + result.reason);
        }
        break;
    case registration::SetOutcome::AlreadyRegistered:
        fuzz::require(false, "an empty catalogue found the set registered");
        break;
    case registration::SetOutcome::Stopped:
        fuzz::require(false, "a run nobody asked to stop was stopped");
    }
    for (const Datum datum : workspace::kDatums) {
        fuzz::requireWorkingFileLines(
            bench.workingFile(WorkingFileKind::SheetOutlines, datum), 7,
            [](std::string line) { formats::parseSheetOutline(std::move(line)); });
        fuzz::requireWorkingFileLines(
            bench.workingFile(WorkingFileKind::Segments, datum), 10,
            [](std::string line) { formats::parseSegment(std::move(line)); });
    }
    bench.reset();
    return 0;
}
