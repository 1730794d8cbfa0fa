#pragma once

// The parcel-outline file (".pol"): groups of lines, each an outline header
// followed by the vertex lines it announces. The overview's segment writer and
// the whole-data-set reader both read outlines through forEachOutline.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ft::formats {

// Field 1 group a and field 2 group b (integers, -1 when not a number),
// fields 3 and 4 two labels (in practice the oaza name and the lot number),
// field 5 unused, field 6 the number of vertex lines that follow (0 when not a
// number). Group a is the number of the parcel record (field 1 of ".atr")
// the outline belongs to.
struct OutlineHeader {
    int groupA = -1;
    int groupB = -1;
    std::string labelC; // CP932
    std::string labelD;
    int vertexCount = 0;
};
OutlineHeader parseOutlineHeader(std::string line);

// A vertex line: field 1 the point name (as written; points are found by it
// trimmed), field 2 the line kind of the edge that starts here (0 when not a
// number).
struct OutlineVertexLine {
    std::string name;
    int kind = 0;
};
OutlineVertexLine parseOutlineVertexLine(std::string line);

// One outline as the file gives it.
struct OutlineRecord {
    OutlineHeader header;
    std::vector<OutlineVertexLine> vertices;
    std::size_t headerLine = 0; // line number of the header, from 1
};

// Calls visit for every outline of the file, in file order. Every line where
// a header is expected is one (a blank line too: an outline of no vertices).
// An outline that announces more vertex lines than the file has left ends at
// the end of the file. The record passed is reused between calls.
// Returns the number of outlines, or nothing when the file cannot be opened.
// Read errors throw std::system_error.
std::optional<std::size_t> forEachOutline(const std::filesystem::path& polFile,
                                          const std::function<void(const OutlineRecord&)>& visit);

} // namespace ft::formats
