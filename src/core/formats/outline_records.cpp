#include "core/formats/outline_records.h"

#include "core/formats/text_helpers.h"

namespace ft::formats {

OutlineHeader parseOutlineHeader(std::string line)
{
    FieldCursor fields(line);
    OutlineHeader header;
    header.groupA = IntOf(fields.next()).value_or(-1);
    header.groupB = IntOf(fields.next()).value_or(-1);
    header.labelC = fields.next();
    header.labelD = fields.next();
    fields.skip(1);
    header.vertexCount = IntOf(fields.next()).value_or(0);
    return header;
}

OutlineVertexLine parseOutlineVertexLine(std::string line)
{
    FieldCursor fields(line);
    OutlineVertexLine vertex;
    vertex.name = fields.next();
    vertex.kind = IntOf(fields.next()).value_or(0);
    return vertex;
}

std::optional<std::size_t> forEachOutline(const std::filesystem::path& polFile,
                                          const std::function<void(const OutlineRecord&)>& visit)
{
    RecordLineReader reader(polFile);
    if (!reader.isOpen())
        return std::nullopt;
    OutlineRecord outline;
    std::size_t outlines = 0;
    std::size_t lineNumber = 0;
    std::string line;
    while (reader.next(line)) {
        outline.headerLine = ++lineNumber;
        outline.header = parseOutlineHeader(std::move(line));
        outline.vertices.clear();
        // Past the end of the file the missing vertex lines would read as
        // empty names, which name no point: stopping there changes nothing.
        for (int i = 0; i < outline.header.vertexCount && reader.next(line); ++i) {
            ++lineNumber;
            outline.vertices.push_back(parseOutlineVertexLine(std::move(line)));
        }
        visit(outline);
        ++outlines;
    }
    return outlines;
}

} // namespace ft::formats
