#pragma once

// The work on one data set in a registration run, in its two passes. The
// first pass writes the set's sheet outlines and reads and traces its MAP
// statements; the second runs, in one transaction on the set's catalogue,
// those MAP statements, the chain of point, outline and parcel conversions
// and the FILE row, then replaces the set's older registration. So a set's
// rows appear together with its FILE row, or not at all.

#include "core/catalogue/shared_catalogue.h"
#include "core/conversion/map_converter.h"
#include "core/registration/registration_run.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace ft::registration {

class DataSetPasses {
public:
    explicit DataSetPasses(RegistrationRun& run) : m_run(run) {}

    // A set of a datum whose catalogue is not usable fails with the
    // catalogue's failure as its reason; true when it did.
    bool refuseIfUnusable(const SetJob& job);
    bool isRegistered(const SetJob& job);
    // First pass: sheet outlines, and the MAP statements traced and kept for
    // the second. False when the set failed.
    bool writeSheets(const SetJob& job);
    // Second pass: the set's transaction (see above); afterwards an older
    // registration of the set in the other datum's catalogue is removed.
    SetOutcome registerChain(const SetJob& job);

private:
    bool runChainSteps(const SetJob& job, std::string& failure);
    bool registerInOneTransaction(const SetJob& job, std::string& failure);
    void replaceOlderRegistrations(const SetJob& job);
    void removeFromOtherCatalogue(const SetJob& job);
    void drop(const SetJob& job, const std::optional<std::string>& failure);
    void traceStep(std::string_view stepName, int fileNo, const std::filesystem::path& file);

    RegistrationRun& m_run;
    // The MAP statements of each set between its two passes.
    std::map<std::pair<workspace::Datum, int>, formats::MapStatements> m_mapStatements;
    // On a shared catalogue, the overview lines each set wrote, which go into
    // the catalogue in the set's transaction.
    std::map<std::pair<workspace::Datum, int>, catalogue::DrawingLines> m_lines;
};

} // namespace ft::registration
