#include "core/formats/request_reader.h"

#include "core/formats/request_file.h"
#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "core/platform/path_text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace ft::formats {

namespace {

// The value of a record that ends with a comma after it (codes 1, 4, 5). A
// record written without that comma is still taken whole.
std::string_view beforeFinalComma(std::string_view rest)
{
    if (!rest.empty() && rest.back() == ',')
        rest.remove_suffix(1);
    return rest;
}

// The path of a drawing record: between the quote after "0," and the last
// quote of the line. The path itself may hold quotes and commas.
std::string_view quotedPath(std::string_view rest)
{
    if (!rest.empty() && rest.front() == '"')
        rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == '"')
        rest.remove_suffix(1);
    return rest;
}

bool isBlankLine(std::string_view line)
{
    return formats::TrimBlanks(line).empty();
}

// Takes a line that lives as long as the request's texts into the request.
void addHeldLine(ViewerRequest& request, std::string_view line, std::size_t lineNumber)
{
    if (isBlankLine(line))
        return;
    const auto unreadable = [&](UnreadableRequestLine::Reason reason) {
        request.unreadable.push_back({reason, lineNumber, std::string(line)});
    };
    const std::size_t comma = line.find(',');
    const std::optional<int> code =
        comma == std::string_view::npos ? std::nullopt : formats::IntOf(line.substr(0, comma));
    if (!code) {
        unreadable(UnreadableRequestLine::Reason::NoRecordCode);
        return;
    }
    const std::string_view rest = line.substr(comma + 1);
    const std::optional<std::uint32_t> lastDrawing =
        request.drawings.empty()
            ? std::nullopt
            : std::optional<std::uint32_t>(static_cast<std::uint32_t>(request.drawings.size() - 1));
    const auto addItem = [&](std::string_view value) {
        request.items.push_back(
            {value, lastDrawing, static_cast<std::uint32_t>(lineNumber), *code});
    };
    switch (*code) {
    case kDrawingRecord: {
        const std::string_view path = quotedPath(rest);
        if (path.empty()) {
            unreadable(UnreadableRequestLine::Reason::EmptyDrawingPath);
            return;
        }
        request.drawings.push_back({std::string(path), lineNumber});
        return;
    }
    case kRegisteredDrawingRecord: {
        const std::string_view path = beforeFinalComma(rest);
        if (path.empty()) {
            unreadable(UnreadableRequestLine::Reason::EmptyDrawingPath);
            return;
        }
        addItem(path);
        return;
    }
    case kParcelOrSheetRecord:
    case kSheetNameRecord:
        addItem(rest);
        return;
    case kBoundaryPointRecord:
    case kControlPointRecord:
        addItem(beforeFinalComma(rest));
        return;
    default:
        unreadable(UnreadableRequestLine::Reason::UnknownCode);
        return;
    }
}

// The file's bytes up to a Ctrl-Z, which ends it as it ends survey files.
std::string wholeFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw RequestReadError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "Cannot open the request file %1"),
                              {QString::fromStdString(platform::pathText(file))}));
    std::string bytes;
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(file, unknown);
    if (!unknown) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    } else {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (in.bad()) {
        const int failure = errno; // before building the message can touch it
        throw RequestReadError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "Cannot read the request file %1: %2"),
                              {QString::fromStdString(platform::pathText(file)),
                               QString::fromUtf8(std::strerror(failure))}));
    }
    if (const std::size_t end = bytes.find('\x1a'); end != std::string::npos)
        bytes.resize(end);
    return bytes;
}

} // namespace

void addRequestLine(ViewerRequest& request, std::string_view line, std::size_t lineNumber)
{
    request.texts.push_back(std::make_shared<const std::string>(line));
    addHeldLine(request, *request.texts.back(), lineNumber);
}

ViewerRequest readRequestFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        throw RequestReadError(platform::Message(
            std::filesystem::exists(file, error)
                ? QT_TRANSLATE_NOOP("findTavla", "The request file %1 is not a regular file")
                : QT_TRANSLATE_NOOP("findTavla", "The request file %1 does not exist"),
            {QString::fromStdString(platform::pathText(file))}));
    ViewerRequest request;
    request.texts.push_back(std::make_shared<const std::string>(wholeFile(file)));
    const std::string_view text = *request.texts.back();
    // Lines end with CR LF; a bare LF is taken too. A last line without a
    // line end is still a line.
    request.items.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        addHeldLine(request, line, ++lineNumber);
        start = end + 1;
    }
    return request;
}

std::filesystem::path requestPathOf(std::string_view cp932Path)
{
    return platform::pathFromText(platform::cp932ToUtf8(cp932Path));
}

} // namespace ft::formats
