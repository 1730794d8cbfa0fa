#pragma once

// Overview working files for tests, written as the registration writes them:
// CP932 records, each field followed by a comma, CR LF line ends.

#include "core/formats/working_files.h"
#include "devtools/temp_folder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ft::test {

inline std::string sheetLine(const std::string& name, double xmin, double ymin, double xmax,
                             double ymax, int fileNo)
{
    return formats::formatSheetOutline({name, 500, xmin, ymin, xmax, ymax, fileNo});
}

inline std::string segmentLine(double x1, double y1, double x2, double y2, int fileNo)
{
    formats::Segment segment;
    segment.x1 = x1;
    segment.y1 = y1;
    segment.x2 = x2;
    segment.y2 = y2;
    segment.fileNo = fileNo;
    return formats::formatSegment(segment, formats::GroupText::AsNumber);
}

inline void writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    writeBytes(file, bytes);
}

} // namespace ft::test
