#pragma once

#include "core/workspace/datum.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace ft::registration {

// One line of the target list: a data set named by its header file, with the
// datum and time its header was classified with. An entry whose header was
// not classified has an empty datum code and time and shows its path alone.
struct TargetEntry {
    std::filesystem::path headerPath;
    std::string datumCode; // "1" or "2"; empty when the header was not classified
    std::string time;      // "yyyy/MM/dd HH:mm:ss", the data set time
    bool checked = false;  // registered only when checked

    bool isClassified() const { return !datumCode.empty(); }
    // The datum the set registers into.
    workspace::Datum datum() const { return workspace::datumFromCode(datumCode); }
};

// "日本測地系" for "1", "世界測地系" for "2", empty otherwise (UTF-8).
std::string DatumLabel(std::string_view datumCode);

// The header path without its extension: the data set's drawing path, as the
// FILE row stores it. Only the text after the last "." of the file name goes,
// so "A.01.hed" gives "A.01" and a name without a dot stays as it is.
std::filesystem::path BasePathOf(const std::filesystem::path& headerPath);
// The sibling of a header with another extension (given with its dot). Data
// sets copied from media of case-blind systems may spell their names in any
// case ("B.HED" beside "B.POL"): when no file has the exact name, a file of
// the same folder whose name differs only in the case of ASCII letters is
// the sibling. When there is none either, the exact name is returned.
std::filesystem::path SiblingOf(const std::filesystem::path& headerPath,
                                std::string_view extension);

// The entry as the list shows it (UTF-8): path "," code "," label "," time,
// or the path alone for an unclassified entry.
std::string EntryText(const TargetEntry& entry);

// Reads an entry back from its text. The datum, label and time are taken
// from the end of the line, so a path that itself holds commas survives; a
// text whose last three fields are not a datum code, its label and a time is
// a path alone. The result is unchecked.
TargetEntry ParseTargetEntry(std::string_view text);

// The target list the discovery routes append to and the registration driver
// works through. Positions count every entry, checked or not: the driver
// numbers data sets by position. A header stands in the list once: one
// reached again by another way (a second walk of the same folder, a path
// through a link) is not appended again.
class TargetList {
public:
    // False, and nothing appended, when the list holds the header already.
    bool append(TargetEntry entry);
    void clear()
    {
        m_entries.clear();
        m_headers.clear();
    }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    TargetEntry& operator[](std::size_t position) { return m_entries.at(position); }
    const TargetEntry& operator[](std::size_t position) const { return m_entries.at(position); }
    const std::vector<TargetEntry>& entries() const { return m_entries; }

private:
    std::vector<TargetEntry> m_entries;
    // The canonical paths of the entries' headers.
    std::unordered_set<std::string> m_headers;
};

// The path a header is known by in the target list: absolute, links resolved
// as far as the path exists, "." and ".." gone.
std::string CanonicalHeaderPath(const std::filesystem::path& headerPath);

} // namespace ft::registration
