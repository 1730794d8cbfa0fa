#pragma once

// The viewer request file TAVLA.E2: the drawings the viewer is to open and the
// items it is to show in them. Written by the result windows' 図面表示 and by
// the click on the overview; the viewer is then started with viewerArgumentText.
//
// Format (binding for the viewer): CP932 text, one record per line, every line
// ending in CR LF, no header and no trailer. A record is its code, a comma and
// its fields separated by commas; nothing is escaped, so a comma or a double
// quote inside a value is written as it stands.
//
//   0,"<drawing path>"          a drawing to open (the PATH of its FILE row)
//   1,<drawing path>,           a drawing chosen in the registered drawing list
//   2,<oaza>,<koaza>,<lot>      a parcel
//   2,<sheet>,<scale>,<kubun>   a map sheet
//   3,<sheet name>              the sheet under a click on the overview
//   4,<point name>,             a boundary point
//   5,<point name>,             a control point
//
// Drawing records come first, then the item records; only the overview click
// interleaves them (each drawing followed by its sheet names).

#include "core/platform/operator_message.h"
#include "core/platform/replacement_file.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ft::formats {

// Record codes of the request file.
enum RequestCode : int {
    kDrawingRecord = 0,
    kRegisteredDrawingRecord = 1,
    kParcelOrSheetRecord = 2,
    kSheetNameRecord = 3,
    kBoundaryPointRecord = 4,
    kControlPointRecord = 5,
};

inline constexpr const char* kRequestFileName = "TAVLA.E2";

// The request file inside the request folder (the settings folder).
std::filesystem::path requestFilePath(const std::filesystem::path& requestFolder);

// The argument text every hand-off starts the viewer with: " -E2 " and the
// request file's full path in double quotes, so that a folder with blanks
// stays one argument. A folder whose path holds a double quote cannot be
// named that way and is refused with RequestTextError (a std::invalid_argument).
std::string viewerArgumentText(const std::filesystem::path& requestFolder);

// A text the request cannot carry to the viewer (a line break or an
// end-of-text in a field, a double quote in the request folder's path): an
// argument the program cannot use, with its message.
class RequestTextError : public std::invalid_argument, public platform::MarkedFailure {
public:
    explicit RequestTextError(platform::Message message);
};

// The request file could not be created. The result windows answer it with
// their own message; elsewhere it ends the command.
class RequestFileError : public platform::MessageError {
public:
    using platform::MessageError::MessageError;
};

// The records of a request as CP932 lines, each with its CR LF, appended to
// a buffer; the conversions and refusals RequestWriter describes below. A
// record refused appends nothing. The rows of a request come in list order,
// so a parcel's oaza and koaza names repeat over thousands of records in a
// row: each is converted when it changes.
class RequestLines {
public:
    void appendDrawing(std::string& to, std::string_view utf8Path);
    void appendParcel(std::string& to, std::string_view utf8Oaza, std::string_view utf8Koaza,
                      std::string_view utf8Chiban);
    void appendMapSheet(std::string& to, std::string_view utf8MapName, int scale, int kubun);
    void appendSheetName(std::string& to, std::string_view cp932Name);
    void appendNameRecord(std::string& to, int code, std::string_view utf8Name);

private:
    // The last catalogue text of a field and its CP932 bytes.
    struct ConvertedField {
        std::string utf8;
        std::string cp932;
        bool held = false;
    };

    static const std::string& converted(ConvertedField& field, std::string_view utf8,
                                        const char* what);

    ConvertedField m_oaza;
    ConvertedField m_koaza;
};

// Writes one request, whole or not at all. The records are streamed into a
// new file beside TAVLA.E2 as they come; finish() puts that file in the
// place of TAVLA.E2. Until then, and for good when a record fails or the
// writer is dropped without finish() (the request is abandoned, no viewer is
// started), TAVLA.E2 keeps the previous request byte for byte: a viewer
// started earlier still finds what it was given.
//
// Text parameters named utf8* are catalogue text and are converted to CP932;
// a character CP932 cannot represent raises platform::EncodingError (never a
// '?'). The sheet name of the overview is CP932 already and is written as is.
// A value holding a line break raises std::invalid_argument: the record
// would end early and the rest of the value would read as a record. Both
// messages name the value (a drawing by its path) in Japanese.
class RequestWriter {
public:
    // Throws RequestFileError when the new file cannot be created.
    explicit RequestWriter(const std::filesystem::path& requestFolder);
    ~RequestWriter();
    RequestWriter(const RequestWriter&) = delete;
    RequestWriter& operator=(const RequestWriter&) = delete;
    RequestWriter(RequestWriter&&) noexcept;
    RequestWriter& operator=(RequestWriter&&) noexcept;

    // 0,"path"
    void writeDrawing(std::string_view utf8Path);
    // 2,oaza,koaza,lot
    void writeParcel(std::string_view utf8Oaza, std::string_view utf8Koaza,
                     std::string_view utf8Chiban);
    // 2,sheet,scale,kubun
    void writeMapSheet(std::string_view utf8MapName, int scale, int kubun);
    // 3,name
    void writeSheetName(std::string_view cp932Name);
    // code,name, — the records of the point lists (4, 5) and of the
    // registered drawing list (1), which all end with a comma.
    void writeNameRecord(int code, std::string_view utf8Name);

    // Lines made by lines(), written as they stand: for a writer that
    // gathers records out of their order.
    void writeLines(std::string_view cp932Lines);
    RequestLines& lines() { return m_lines; }

    // Puts the request in the place of TAVLA.E2; throws platform::DiskFull
    // when the disk has no room for it, std::system_error when a write, the
    // flush or the rename failed otherwise (TAVLA.E2 is then as it was). The
    // write* calls can throw the same, since lines go to the file as they
    // gather.
    void finish();

    const std::filesystem::path& path() const { return m_path; }

private:
    void writePendingWhenFull();
    void writePending();

    std::filesystem::path m_path;
    platform::ReplacementFile m_file;
    RequestLines m_lines;
    // Lines gathered for one write to the file.
    std::string m_pending;
};

} // namespace ft::formats
