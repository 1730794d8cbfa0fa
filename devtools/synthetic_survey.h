#pragma once

// Synthetic survey data sets: a block of parcels on a slightly irregular grid,
// with boundary points at the grid nodes, closed parcel outlines, map sheets
// that tile the block, control points at the sheet corners, sheet frames, and
// Japanese oaza, koaza and owner names. Used by the data generator of the
// benchmarks and by the generator of samples/; the files are written through
// the test-support data-set builder, which knows every file's layout.

#include "devtools/dataset_builder.h"

#include <cstdint>
#include <string>

namespace ft::bench {

struct SyntheticSetOptions {
    int datum = 2;
    int parcels = 36;
    // Boundary points; when more than the grid needs, the rest are extra
    // points inside the parcels that no outline uses.
    int points = 0;
    int sheets = 4;
    // South-west corner of the block in plane coordinates: first value
    // (northing, X) and second value (easting, Y), in metres.
    double originFirst = -35000.0;
    double originSecond = -8000.0;
    double parcelSize = 20.0;
    ft::test::FrameForm frameForm = ft::test::FrameForm::Lines;
    // Selects the place names and the start of the lot numbers, so sets
    // generated side by side differ.
    int setNumber = 1;
    // Full-width point names ("１－２３") instead of plain ones ("P23").
    bool fullWidthPointNames = true;
    std::uint32_t seed = 1;
};

// What a generated set holds, for reports.
struct SyntheticSetSummary {
    int parcels = 0;
    int points = 0;
    int outlineVertexLines = 0;
    int sheets = 0;
    int controlPoints = 0;
};

// Fills `set` (its header is replaced) with a synthetic data set.
SyntheticSetSummary addSyntheticSet(ft::test::DataSetBuilder& set,
                                    const SyntheticSetOptions& options);

} // namespace ft::bench
