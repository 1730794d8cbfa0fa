#include "core/search/request_file.h"

#include "core/catalogue/sqlite_database.h"
#include "core/platform/cp932.h"

#include <cerrno>
#include <system_error>

namespace ft::search {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string recordStart(int code)
{
    return std::to_string(code) + ",";
}

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Catalogue text for the request file. The message names the text, so that
// the operator can find the drawing or item that cannot be handed over. A
// line break (a Linux path may hold one) would end the record early and make
// the rest of the value a record of its own, so it is refused like a
// character CP932 lacks.
std::string cp932Field(std::string_view utf8, std::string_view what)
{
    if (holdsLineBreak(utf8))
        throw std::invalid_argument("The " + std::string(what) + " \"" + std::string(utf8) +
                                    "\" holds a line break and cannot be written to the request "
                                    "file");
    try {
        return platform::utf8ToCp932(utf8);
    } catch (const platform::EncodingError& error) {
        throw platform::EncodingError("The " + std::string(what) + " \"" + std::string(utf8) +
                                      "\" cannot be written to the request file: " + error.what());
    }
}

} // namespace

std::filesystem::path requestFilePath(const std::filesystem::path& requestFolder)
{
    return requestFolder / kRequestFileName;
}

std::string viewerArgumentText(const std::filesystem::path& requestFolder)
{
    const std::string path = requestFilePath(requestFolder).string();
    if (path.find('"') != std::string::npos)
        throw std::invalid_argument("The request file path " + path +
                                    " holds a double quote and cannot be passed to the viewer");
    return " -E2 \"" + path + "\"";
}

std::string drawingPath(catalogue::TSQLiteDatabase& db, int fileNo)
{
    catalogue::TSQLiteTable table =
        db.GetTable("SELECT * FROM FILE WHERE FILENO=" + std::to_string(fileNo));
    table.MoveFirst();
    return table.FieldByName("PATH");
}

RequestWriter::RequestWriter(const std::filesystem::path& requestFolder)
    : m_path(requestFilePath(requestFolder)), m_file(platform::openFile(m_path, "wb"))
{
    if (!m_file) {
        const int error = errno;
        throw RequestFileError("Cannot create the request file " + m_path.string() + ": " +
                               std::generic_category().message(error));
    }
}

RequestWriter::~RequestWriter() = default;
RequestWriter::RequestWriter(RequestWriter&&) noexcept = default;
RequestWriter& RequestWriter::operator=(RequestWriter&&) noexcept = default;

void RequestWriter::writeLine(const std::string& cp932Line)
{
    if (!m_file)
        throw std::logic_error("The request file " + m_path.string() + " is closed");
    const std::string line = cp932Line + std::string(kLineEnd);
    if (std::fwrite(line.data(), 1, line.size(), m_file.get()) != line.size()) {
        const int error = errno;
        throw std::system_error(error, std::generic_category(),
                                "Cannot write the request file " + m_path.string());
    }
}

void RequestWriter::writeDrawing(std::string_view utf8Path)
{
    writeLine(recordStart(kDrawingRecord) + "\"" + cp932Field(utf8Path, "drawing path") + "\"");
}

void RequestWriter::writeDrawing(catalogue::TSQLiteDatabase& db, int fileNo)
{
    writeDrawing(drawingPath(db, fileNo));
}

void RequestWriter::writeParcel(std::string_view utf8Oaza, std::string_view utf8Koaza,
                                std::string_view utf8Chiban)
{
    writeLine(recordStart(kParcelOrSheetRecord) + cp932Field(utf8Oaza, "oaza name") + "," +
              cp932Field(utf8Koaza, "koaza name") + "," + cp932Field(utf8Chiban, "lot number"));
}

void RequestWriter::writeMapSheet(std::string_view utf8MapName, int scale, int kubun)
{
    writeLine(recordStart(kParcelOrSheetRecord) + cp932Field(utf8MapName, "map sheet name") + "," +
              std::to_string(scale) + "," + std::to_string(kubun));
}

void RequestWriter::writeSheetName(std::string_view cp932Name)
{
    // No CP932 trail byte is CR or LF, so the bytes can be searched as they are.
    if (holdsLineBreak(cp932Name))
        throw std::invalid_argument("A sheet name holds a line break and cannot be written to "
                                    "the request file");
    writeLine(recordStart(kSheetNameRecord) + std::string(cp932Name));
}

void RequestWriter::writeNameRecord(int code, std::string_view utf8Name)
{
    writeLine(recordStart(code) + cp932Field(utf8Name, "name") + ",");
}

void RequestWriter::finish()
{
    if (!m_file)
        return;
    const bool writeFailed = std::ferror(m_file.get()) != 0;
    const bool closed = platform::closeFile(m_file);
    if (writeFailed || !closed) {
        const int error = errno;
        throw std::system_error(error, std::generic_category(),
                                "Cannot write the request file " + m_path.string());
    }
}

} // namespace ft::search
