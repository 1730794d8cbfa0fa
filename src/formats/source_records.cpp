#include "formats/source_records.h"

#include "platform/cp932.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <system_error>

namespace ft::formats {

namespace {

// The offending text as it should appear in a UTF-8 message. Text that is not
// valid CP932 is shown with its odd bytes as \xHH rather than lost.
std::string readableText(const std::string& cp932)
{
    try {
        return platform::cp932ToUtf8(cp932);
    } catch (const platform::EncodingError&) {
        std::string shown;
        for (const unsigned char byte : cp932) {
            if (byte >= 0x20 && byte < 0x7F) {
                shown += static_cast<char>(byte);
            } else {
                static constexpr char kHex[] = "0123456789ABCDEF";
                shown += "\\x";
                shown += kHex[byte >> 4];
                shown += kHex[byte & 0x0F];
            }
        }
        return shown;
    }
}

std::FILE* openForReading(const std::filesystem::path& file)
{
    return std::fopen(file.c_str(), "rb");
}

template <typename ReadRecord>
void wrapConversionErrors(const std::filesystem::path& file, std::size_t recordNumber,
                          ReadRecord&& readRecord)
{
    try {
        readRecord();
    } catch (const SourceConversionError&) {
        throw;
    } catch (const ConversionError& error) {
        throw SourceConversionError(file, recordNumber, error);
    }
}

constexpr std::size_t kReadChunk = 64 * 1024;

bool forEachBlock(const std::filesystem::path& file, const RecordVisitor& visit)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> handle(openForReading(file), &std::fclose);
    if (!handle)
        return false;
    std::string block;
    std::size_t blockNumber = 0;
    for (;;) {
        block.assign(kFrameBlockSize, ' ');
        const std::size_t got = std::fread(block.data(), 1, kFrameBlockSize, handle.get());
        if (got == 0) {
            if (std::ferror(handle.get()))
                throw std::system_error(errno, std::generic_category(),
                                        "cannot read " + file.string());
            return true;
        }
        ++blockNumber;
        wrapConversionErrors(file, blockNumber, [&] { visit(block); });
        if (got < kFrameBlockSize)
            return true;
    }
}

} // namespace

SourceConversionError::SourceConversionError(std::filesystem::path file,
                                             std::size_t recordNumber,
                                             const ConversionError& cause)
    : ConversionError(cause.text()), m_file(std::move(file)), m_recordNumber(recordNumber),
      m_message("Not a number in " + m_file.string() + ", record " +
                std::to_string(recordNumber) + ": \"" + readableText(cause.text()) + "\"")
{
}

TextLineReader::TextLineReader(const std::filesystem::path& file)
    : m_file(openForReading(file)), m_path(file)
{
    if (m_file)
        m_buffer.resize(kReadChunk);
}

bool TextLineReader::fill()
{
    m_pos = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file.get());
    if (m_end == 0 && std::ferror(m_file.get()))
        throw std::system_error(errno, std::generic_category(), "cannot read " + m_path.string());
    return m_end > 0;
}

bool TextLineReader::next(std::string& line)
{
    line.clear();
    if (!m_file)
        return false;
    bool gotBytes = false;
    for (;;) {
        if (m_pos == m_end && !fill()) {
            if (gotBytes)
                ++m_lineNumber;
            return gotBytes;
        }
        gotBytes = true;
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_end;
        const char* stop = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
        line.append(begin, stop);
        m_pos += static_cast<std::size_t>(stop - begin);
        if (stop == end)
            continue;
        ++m_pos;
        if (*stop == '\r' && (m_pos < m_end || fill()) && m_buffer[m_pos] == '\n')
            ++m_pos;
        ++m_lineNumber;
        return true;
    }
}

bool forEachLine(const std::filesystem::path& file, const RecordVisitor& visit)
{
    TextLineReader reader(file);
    if (!reader.isOpen())
        return false;
    std::string line;
    while (reader.next(line))
        wrapConversionErrors(file, reader.lineNumber(), [&] { visit(line); });
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

std::string_view trimBlanks(std::string_view text)
{
    const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && isTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isTrimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isBlank(std::string_view text)
{
    return trimBlanks(text).empty();
}

std::optional<long long> fixedInteger(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] >= '0' && text[1] <= '9')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int fixedInt(std::string_view text, int defaultValue)
{
    const auto value = fixedInteger(text);
    if (!value || *value < INT_MIN || *value > INT_MAX)
        return defaultValue;
    return static_cast<int>(*value);
}

double requiredFloat(std::string_view text)
{
    const std::string_view trimmed = trimBlanks(text);
    // NextFloat reads an empty field as 0 and stops at a comma; a required
    // number must not silently lose either way.
    if (trimmed.empty() || trimmed.find(',') != std::string_view::npos)
        throw ConversionError(std::string(text));
    std::string field(trimmed);
    return NextFloat(field);
}

} // namespace ft::formats
