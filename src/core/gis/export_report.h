#pragma once

// What an export did, and its words for the person who asked for it.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace ft::gis {

// A drawing that was not exported, and why (Japanese, UTF-8).
struct Refusal {
    int fileNo = 0;
    std::string path; // UTF-8; empty for a number without a FILE row
    std::string reason;
};

struct LayerCount {
    std::string name;
    std::size_t features = 0;
    std::size_t withoutGeometry = 0; // never counted for a table without geometry
};

// Parcels exported without geometry, by cause, and outlines left out.
struct ParcelTally {
    std::size_t withoutOutline = 0;       // no outline is linked to the record
    std::size_t openOutline = 0;          // an outline does not come back to its start
    std::size_t outlineMissingPoints = 0; // an outline names points the point file lacks
    std::size_t unlinkedOutlines = 0;     // outlines of no parcel record: not exported
    std::size_t withoutLot = 0;           // records without a lot number: not exported

    ParcelTally& operator+=(const ParcelTally& other);
};

// Records or files of a drawing that could not be read (see the data-set
// reader's problems; missing sibling files are not counted).
struct ReadProblems {
    std::string path;
    std::size_t count = 0;
};

struct ExportReport {
    std::filesystem::path file;
    bool written = false;   // the file is in place
    bool cancelled = false; // the person stopped it; nothing was written
    std::size_t drawings = 0;
    std::vector<int> epsgCodes;     // ascending
    std::vector<LayerCount> layers; // in the file's order
    ParcelTally parcels;
    std::size_t missingParcels = 0; // chosen parcels their data sets no longer hold
    std::vector<ReadProblems> readProblems;
    std::vector<Refusal> refused;
};

// What was written: the file, the drawings, the coordinate systems, the
// count of every layer and what the parcels lacked. Japanese, UTF-8.
std::vector<std::string> summaryLines(const ExportReport& report);
// One line per drawing that was not exported. Japanese, UTF-8.
std::vector<std::string> refusalLines(const ExportReport& report);

} // namespace ft::gis
