#pragma once

// Reading the viewer request file TAVLA.E2 back: the viewer's side of the
// format request_file.h writes. The format has no escaping, so each record is
// taken apart by what its writer puts around the value, not by splitting at
// commas: a drawing path is everything between the quotes after "0,", a name
// of a record that ends with a comma is everything up to that last comma, and
// the three values of a code 2 record are kept as one text, to be compared
// whole with "oaza,koaza,lot" or "sheet,scale,kubun" of the data.

#include "core/platform/operator_message.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ft::formats {

// A drawing to open (code 0): its registered path, CP932 as written.
struct RequestedDrawing {
    std::string path;
    std::size_t line = 0;
};

// An item to show (codes 1 to 5). A request may hold a million of them, so
// an item is small: its value views a text the request holds.
struct RequestedItem {
    // CP932: code 1 the drawing path, code 2 "a,b,c" as written, code 3 the
    // sheet name, codes 4 and 5 the point name. It views one of
    // ViewerRequest::texts.
    std::string_view value;
    // The drawing record the item follows in the file (index into
    // ViewerRequest::drawings), nothing before the first one. The overview
    // click writes each drawing's sheet names right after it, so for code 3
    // this is the drawing the sheet belongs to.
    std::optional<std::uint32_t> drawing;
    std::uint32_t line = 0;
    int code = 0;
};

// A line that is no record of the format.
struct UnreadableRequestLine {
    enum class Reason {
        NoRecordCode,    // no comma, or no number before the first one
        UnknownCode,     // a number other than 0 to 5
        EmptyDrawingPath // a code 0 or 1 record without a path
    };
    Reason reason = Reason::NoRecordCode;
    std::size_t line = 0;
    std::string text; // CP932
};

struct ViewerRequest {
    std::vector<RequestedDrawing> drawings;
    std::vector<RequestedItem> items;
    std::vector<UnreadableRequestLine> unreadable;
    // What the items' values view: the file read whole, or each line added
    // by itself. Shared, so that a copy of the request views the same texts.
    std::vector<std::shared_ptr<const std::string>> texts;
};

// The request file cannot be opened or read; the message names it.
class RequestReadError : public platform::MessageError {
public:
    using platform::MessageError::MessageError;
};

// Takes one line (without its line end) into the request, keeping a copy of
// it. Blank lines are passed by.
void addRequestLine(ViewerRequest& request, std::string_view line, std::size_t lineNumber);

// Reads the whole file. Lines end with CR LF (a bare LF is taken too).
ViewerRequest readRequestFile(const std::filesystem::path& file);

// A CP932 path of the request as a path of this system; throws
// platform::EncodingError when the bytes are not CP932.
std::filesystem::path requestPathOf(std::string_view cp932Path);

} // namespace ft::formats
