#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ft::formats {

// Coordinates of a boundary point as the point file gives them: the first
// value is the vertical one, the second the horizontal one.
struct PointCoords {
    double first = 0.0;
    double second = 0.0;
};

// The boundary points of the data set being registered, looked up by name
// while its parcel outlines are converted. Grows as needed. Names keep at most
// kMaxNameBytes bytes; when a name occurs twice, the first entry answers.
class PointTable {
public:
    static constexpr std::size_t kMaxNameBytes = 60;

    void clear();
    void reserve(std::size_t count);
    // Adds an entry; the name is cut to kMaxNameBytes bytes. An empty name
    // is kept as an entry but can never be found.
    void add(std::string_view name, PointCoords coords);

    // The first entry whose name equals `name` byte for byte.
    std::optional<PointCoords> find(std::string_view name) const;
    // Its position among the entries, counted from 0 in the order added.
    std::optional<std::size_t> indexOf(std::string_view name) const;

    std::size_t size() const { return m_coords.size(); }
    bool empty() const { return m_coords.empty(); }

private:
    // Lets the index be searched with a string_view, without a copy per lookup.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const
        {
            return std::hash<std::string_view>{}(name);
        }
    };

    std::vector<PointCoords> m_coords;
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> m_firstIndexByName;
};

// Loads the point file (".pnt") into the table: per line, field 1 trimmed is
// the name, fields 2 and 3 the first and second value. A line of zero bytes
// is not a point. Returns false when the file cannot be opened (the table is
// left as it was) or holds no point. A value that is not a number, and a
// named point whose first or second value is missing or blank (a line cut
// short), throw SourceFileError naming the file and line.
bool readPntToTable(const std::filesystem::path& pntFile, PointTable& table);

// The point of that name, the name trimmed first. An empty name, or one
// longer than the table keeps, finds nothing.
std::optional<PointCoords> findPoint(const PointTable& table, std::string_view name);

} // namespace ft::formats
