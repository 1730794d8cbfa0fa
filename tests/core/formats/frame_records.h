#pragma once

// Builders of sheet-frame file records for the outline tests: fixed-position
// CP932 bytes, in the line form or padded to 300-byte blocks.

#include <string>
#include <string_view>
#include <vector>

namespace ft::test {

// Places `text` at 1-based byte `position`, widening the record with blanks.
inline void putAt(std::string& record, std::size_t position, std::string_view text)
{
    if (record.size() < position - 1 + text.size())
        record.resize(position - 1 + text.size(), ' ');
    record.replace(position - 1, text.size(), text);
}

// A frame record (code "050"): name at bytes 6-15, scale at 16-21 and eight
// 11-byte corner fields from byte 22, given as their exact texts.
inline std::string frameRecord(std::string_view code, std::string_view name, std::string_view scale,
                               const std::vector<std::string>& corners)
{
    std::string record;
    putAt(record, 1, code);
    putAt(record, 6, name);
    putAt(record, 16, scale);
    for (std::size_t i = 0; i < corners.size(); ++i)
        putAt(record, 22 + 11 * i, corners[i]);
    return record;
}

struct SubRecord {
    std::string name;
    char firstSign = ' ';
    std::string firstMagnitude; // 10 bytes
    char secondSign = ' ';
    std::string secondMagnitude;
    char kind = ' ';
};

// A vertex record: groups at bytes 12-14 and 18-21, sub-records of 44 bytes
// from byte 34.
inline std::string vertexRecord(std::string_view code, std::string_view groupA,
                                std::string_view groupB, const std::vector<SubRecord>& subs)
{
    std::string record;
    putAt(record, 1, code);
    putAt(record, 12, groupA);
    putAt(record, 18, groupB);
    for (std::size_t k = 0; k < subs.size(); ++k) {
        const std::size_t start = 34 + 44 * k;
        putAt(record, start, subs[k].name);
        putAt(record, start + 21, std::string(1, subs[k].firstSign));
        putAt(record, start + 22, subs[k].firstMagnitude);
        putAt(record, start + 32, std::string(1, subs[k].secondSign));
        putAt(record, start + 33, subs[k].secondMagnitude);
        putAt(record, start + 43, std::string(1, subs[k].kind));
    }
    return record;
}

inline std::string asLines(const std::vector<std::string>& records)
{
    std::string bytes;
    for (const auto& record : records)
        bytes += record + "\r\n";
    return bytes;
}

// Every record padded to a 300-byte block; the last one may be left short.
inline std::string asBlocks(const std::vector<std::string>& records, bool padLast = true)
{
    std::string bytes;
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::string block = records[i];
        if (padLast || i + 1 < records.size())
            block.resize(300, ' ');
        bytes += block;
    }
    return bytes;
}

} // namespace ft::test
