#include "core/formats/request_file.h"

#include "core/platform/cp932.h"
#include "core/platform/path_text.h"

#include <system_error>

namespace ft::formats {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Lines go to the file in pieces of about this size: a request of a
// million parcels is a million lines.
constexpr std::size_t kPendingBytes = 64 * 1024;

std::string recordStart(int code)
{
    return std::to_string(code) + ",";
}

bool holdsLineBreak(std::string_view text)
{
    // Searched for one byte at a time: each search is a memchr, which a
    // million requested rows notice.
    return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
}

// The viewer reads the request as a survey text file, which ends at the first
// Ctrl-Z (1A): every record after it would be dropped without a word.
bool holdsEndOfText(std::string_view text)
{
    return text.find('\x1a') != std::string_view::npos;
}

constexpr const char* kDrawingField = QT_TRANSLATE_NOOP("findTavla", "drawing");

// Catalogue text for the request file. The message names the text, so that
// the operator can find the drawing or item that cannot be handed over. A
// line break (a Linux path may hold one) would end the record early and make
// the rest of the value a record of its own, so it is refused like a
// character CP932 lacks (ü, an emoji: a Linux path may hold those too).
// `what` is a marked literal naming the field.
std::string cp932Field(std::string_view utf8, const char* what)
{
    // Named only when refused: a request of a million parcels converts three
    // million fields.
    const auto named = [&] {
        return QStringList{platform::Message(what).text(),
                           QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))};
    };
    if (holdsLineBreak(utf8))
        throw RequestTextError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla",
                              "%1 %2 holds a line break and cannot be passed to the viewer"),
            named()));
    if (holdsEndOfText(utf8))
        throw RequestTextError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "%1 %2 holds the control character 1A and cannot be "
                                           "passed to the viewer"),
            named()));
    try {
        return platform::utf8ToCp932(utf8);
    } catch (const platform::EncodingError&) {
        throw platform::EncodingError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "%1 %2 holds a character that CP932 cannot represent "
                                           "and cannot be passed to the viewer"),
            named()));
    }
}

} // namespace

std::filesystem::path requestFilePath(const std::filesystem::path& requestFolder)
{
    return requestFolder / kRequestFileName;
}

RequestTextError::RequestTextError(platform::Message message)
    : std::invalid_argument(message.english().toStdString()), platform::MarkedFailure(
                                                                  std::move(message), std::string())
{
}

std::string viewerArgumentText(const std::filesystem::path& requestFolder)
{
    const std::string path = platform::pathText(requestFilePath(requestFolder));
    if (path.find('"') != std::string::npos)
        throw RequestTextError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "The request file path %1 holds a double quote and "
                                           "cannot be passed to the viewer"),
            {QString::fromStdString(path)}));
    return " -E2 \"" + path + "\"";
}

namespace {

platform::ReplacementFile createRequest(const std::filesystem::path& file)
{
    try {
        return platform::ReplacementFile(file);
    } catch (const std::system_error& error) {
        throw RequestFileError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "Cannot create the request file %1: %2"),
            {QString::fromStdString(platform::pathText(file)),
             QString::fromStdString(error.code().message())}));
    }
}

} // namespace

RequestWriter::RequestWriter(const std::filesystem::path& requestFolder)
    : m_path(requestFilePath(requestFolder)), m_file(createRequest(m_path))
{
}

RequestWriter::~RequestWriter() = default;
RequestWriter::RequestWriter(RequestWriter&&) noexcept = default;
RequestWriter& RequestWriter::operator=(RequestWriter&&) noexcept = default;

const std::string& RequestLines::converted(ConvertedField& field, std::string_view utf8,
                                           const char* what)
{
    if (!field.held || field.utf8 != utf8) {
        field.held = false;
        field.cp932 = cp932Field(utf8, what);
        field.utf8 = utf8;
        field.held = true;
    }
    return field.cp932;
}

void RequestLines::appendDrawing(std::string& to, std::string_view utf8Path)
{
    const std::string path = cp932Field(utf8Path, kDrawingField);
    to += recordStart(kDrawingRecord);
    to += '"';
    to += path;
    to += '"';
    to += kLineEnd;
}

void RequestLines::appendParcel(std::string& to, std::string_view utf8Oaza,
                                std::string_view utf8Koaza, std::string_view utf8Chiban)
{
    static const std::string kStart = recordStart(kParcelOrSheetRecord);
    const std::string& oaza =
        converted(m_oaza, utf8Oaza, QT_TRANSLATE_NOOP("findTavla", "oaza name"));
    const std::string& koaza =
        converted(m_koaza, utf8Koaza, QT_TRANSLATE_NOOP("findTavla", "koaza name"));
    const std::string chiban = cp932Field(utf8Chiban, QT_TRANSLATE_NOOP("findTavla", "lot number"));
    to += kStart;
    to += oaza;
    to += ',';
    to += koaza;
    to += ',';
    to += chiban;
    to += kLineEnd;
}

void RequestLines::appendMapSheet(std::string& to, std::string_view utf8MapName, int scale,
                                  int kubun)
{
    const std::string mapName =
        cp932Field(utf8MapName, QT_TRANSLATE_NOOP("findTavla", "map sheet number"));
    to += recordStart(kParcelOrSheetRecord);
    to += mapName;
    to += ',';
    to += std::to_string(scale);
    to += ',';
    to += std::to_string(kubun);
    to += kLineEnd;
}

void RequestLines::appendSheetName(std::string& to, std::string_view cp932Name)
{
    // No CP932 trail byte is CR, LF or 1A, so the bytes can be searched as
    // they are.
    if (holdsLineBreak(cp932Name))
        throw RequestTextError(platform::Message(QT_TRANSLATE_NOOP(
            "findTavla",
            "A map sheet name holds a line break and cannot be passed to the viewer")));
    if (holdsEndOfText(cp932Name))
        throw RequestTextError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "A map sheet name holds the control character 1A and "
                                           "cannot be passed to the viewer")));
    to += recordStart(kSheetNameRecord);
    to += cp932Name;
    to += kLineEnd;
}

void RequestLines::appendNameRecord(std::string& to, int code, std::string_view utf8Name)
{
    const std::string name = cp932Field(
        utf8Name, code == kRegisteredDrawingRecord ? kDrawingField
                                                   : QT_TRANSLATE_NOOP("findTavla", "point name"));
    to += recordStart(code);
    to += name;
    to += ',';
    to += kLineEnd;
}

void RequestWriter::writePendingWhenFull()
{
    if (m_pending.size() >= kPendingBytes)
        writePending();
}

void RequestWriter::writePending()
{
    m_file.write(m_pending);
    m_pending.clear();
}

void RequestWriter::writeLines(std::string_view cp932Lines)
{
    m_pending += cp932Lines;
    writePendingWhenFull();
}

void RequestWriter::writeDrawing(std::string_view utf8Path)
{
    m_lines.appendDrawing(m_pending, utf8Path);
    writePendingWhenFull();
}

void RequestWriter::writeParcel(std::string_view utf8Oaza, std::string_view utf8Koaza,
                                std::string_view utf8Chiban)
{
    m_lines.appendParcel(m_pending, utf8Oaza, utf8Koaza, utf8Chiban);
    writePendingWhenFull();
}

void RequestWriter::writeMapSheet(std::string_view utf8MapName, int scale, int kubun)
{
    m_lines.appendMapSheet(m_pending, utf8MapName, scale, kubun);
    writePendingWhenFull();
}

void RequestWriter::writeSheetName(std::string_view cp932Name)
{
    m_lines.appendSheetName(m_pending, cp932Name);
    writePendingWhenFull();
}

void RequestWriter::writeNameRecord(int code, std::string_view utf8Name)
{
    m_lines.appendNameRecord(m_pending, code, utf8Name);
    writePendingWhenFull();
}

void RequestWriter::finish()
{
    if (m_file.committed())
        return;
    writePending();
    m_file.commit();
}

} // namespace ft::formats
