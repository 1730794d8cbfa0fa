#include "core/formats/source_records.h"

#include "core/platform/message_text.h"
#include "core/platform/operator_message.h"
#include "core/platform/owned_file.h"
#include "core/platform/path_text.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace ft::formats {

namespace {

template <typename ReadRecord>
void wrapConversionErrors(const std::filesystem::path& file, std::size_t recordNumber,
                          ReadRecord&& readRecord)
{
    try {
        readRecord();
    } catch (const ConversionError& error) {
        throw conversionErrorIn(file, recordNumber, error);
    }
}

bool forEachBlock(const std::filesystem::path& file, const RecordVisitor& visit)
{
    const platform::OwnedFile handle = platform::openFile(file, "rb");
    if (!handle)
        return false;
    std::string block;
    std::size_t blockNumber = 0;
    for (;;) {
        block.assign(kFrameBlockSize, ' ');
        const std::size_t got = std::fread(block.data(), 1, kFrameBlockSize, handle.get());
        // A short block is the last one only when the file ended there; one cut
        // short by a read error (a scratched CD-ROM) is no short last block.
        if (std::ferror(handle.get()))
            throw platform::SystemFailure(
                errno, platform::Message(QT_TRANSLATE_NOOP("findTavla", "cannot read %1"),
                                         {QString::fromStdString(platform::pathText(file))}));
        if (got == 0)
            return true;
        ++blockNumber;
        wrapConversionErrors(file, blockNumber, [&] { visit(block); });
        if (got < kFrameBlockSize)
            return true;
    }
}

} // namespace

SourceFileError conversionErrorIn(const std::filesystem::path& file, std::size_t recordNumber,
                                  const ConversionError& cause)
{
    return SourceFileError(file, cause.text(), inRecord(recordNumber, notANumber(cause.text())));
}

bool forEachLine(const std::filesystem::path& file, const RecordVisitor& visit,
                 RecordLineReader::Ending ending)
{
    RecordLineReader reader(file, ending);
    if (!reader.isOpen())
        return false;
    std::string line;
    std::size_t lineNumber = 0;
    while (reader.next(line))
        wrapConversionErrors(file, ++lineNumber, [&] { visit(line); });
    return true;
}

bool forEachFrameRecord(const std::filesystem::path& file, const RecordVisitor& visit)
{
    if (HasLineBreaks(file))
        return forEachLine(file, visit);
    return forEachBlock(file, visit);
}

std::string_view bytesAt(std::string_view record, std::size_t first, std::size_t last)
{
    if (first < 1 || first > record.size() || last < first)
        return {};
    return record.substr(first - 1, last - first + 1);
}

bool isBlank(std::string_view text)
{
    return TrimBlanks(text).empty();
}

int fixedInt(std::string_view text, int defaultValue)
{
    return IntOf(text).value_or(defaultValue);
}

double requiredFloat(std::string_view text)
{
    if (isBlank(text))
        throw ConversionError(std::string(text));
    return FloatOf(text);
}

} // namespace ft::formats
