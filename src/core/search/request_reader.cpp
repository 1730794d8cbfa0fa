#include "core/search/request_reader.h"

#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "core/search/request_file.h"

#include <system_error>

namespace ft::search {

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

} // namespace

void addRequestLine(ViewerRequest& request, std::string_view line, std::size_t lineNumber)
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
    const std::optional<std::size_t> lastDrawing =
        request.drawings.empty() ? std::nullopt
                                 : std::optional<std::size_t>(request.drawings.size() - 1);
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
        request.items.push_back({*code, std::string(path), lastDrawing, lineNumber});
        return;
    }
    case kParcelOrSheetRecord:
    case kSheetNameRecord:
        request.items.push_back({*code, std::string(rest), lastDrawing, lineNumber});
        return;
    case kBoundaryPointRecord:
    case kControlPointRecord:
        request.items.push_back(
            {*code, std::string(beforeFinalComma(rest)), lastDrawing, lineNumber});
        return;
    default:
        unreadable(UnreadableRequestLine::Reason::UnknownCode);
        return;
    }
}

ViewerRequest readRequestFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        throw RequestReadError(
            "The request file " + file.string() +
            (std::filesystem::exists(file, error) ? " is not a regular file" : " does not exist"));
    formats::RecordLineReader reader(file);
    if (!reader.isOpen())
        throw RequestReadError("Cannot open the request file " + file.string());
    ViewerRequest request;
    std::string line;
    std::size_t lineNumber = 0;
    try {
        while (reader.next(line))
            addRequestLine(request, line, ++lineNumber);
    } catch (const std::system_error& failure) {
        throw RequestReadError("Cannot read the request file " + file.string() + ": " +
                               failure.what());
    }
    return request;
}

std::filesystem::path requestPathOf(std::string_view cp932Path)
{
    return std::filesystem::path(platform::cp932ToUtf8(cp932Path));
}

} // namespace ft::search
