// Prints where the project's code page 932 table (src/core/platform/
// cp932_table.inc) differs from what Windows' own conversion answers
// (MultiByteToWideChar and WideCharToMultiByte for code page 932). Built for
// Windows only and run there or under Wine; the program never converts data
// with the Windows calls, this only tells where the two disagree.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace {

struct Cp932TableEntry {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
};

#include "core/platform/cp932_table.inc"

constexpr UINT kCodePage = 932;

std::string bytesOf(std::uint32_t code)
{
    if (code < 0x100)
        return std::string(1, static_cast<char>(code));
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// Windows' one UTF-16 unit for a CP932 code; nothing when it refuses the code
// or gives more than one unit.
std::optional<std::uint32_t> windowsDecode(std::uint32_t code)
{
    const std::string bytes = bytesOf(code);
    wchar_t wide[4] = {};
    const int length = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                             static_cast<int>(bytes.size()), wide, 4);
    if (length != 1)
        return std::nullopt;
    return static_cast<std::uint32_t>(wide[0]);
}

// Windows' CP932 code for a BMP code point, with no best-fit guess and no
// default character; nothing when it has none.
std::optional<std::uint32_t> windowsEncode(std::uint32_t codePoint)
{
    const wchar_t wide = static_cast<wchar_t>(codePoint);
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 4,
                                             nullptr, &usedDefault);
    if (length < 1 || length > 2 || usedDefault)
        return std::nullopt;
    std::uint32_t code = static_cast<unsigned char>(bytes[0]);
    if (length == 2)
        code = code << 8 | static_cast<unsigned char>(bytes[1]);
    return code;
}

std::string text(const std::optional<std::uint32_t>& value, const char* format)
{
    if (!value)
        return "none";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(*value));
    return buffer;
}

bool isLeadByte(std::uint32_t byte)
{
    for (const unsigned char lead : kCp932LeadBytes)
        if (lead == byte)
            return true;
    return false;
}

int compareDecoding()
{
    std::map<std::uint32_t, std::uint32_t> table;
    for (const Cp932TableEntry& entry : kCp932Decode)
        table[entry.from] = entry.to;
    int differences = 0;
    const auto compare = [&](std::uint32_t code) {
        const auto found = table.find(code);
        const std::optional<std::uint32_t> ours =
            found == table.end() ? std::nullopt : std::optional<std::uint32_t>(found->second);
        const std::optional<std::uint32_t> windows = windowsDecode(code);
        if (ours == windows)
            return;
        ++differences;
        std::printf("decode %s: table %s, Windows %s\n", text(code, "%04X").c_str(),
                    text(ours, "U+%04X").c_str(), text(windows, "U+%04X").c_str());
    };
    for (std::uint32_t byte = 0x80; byte < 0x100; ++byte) {
        if (!isLeadByte(byte)) {
            compare(byte);
            continue;
        }
        for (std::uint32_t trail = 0; trail < 0x100; ++trail)
            compare(byte << 8 | trail);
    }
    return differences;
}

int compareEncoding()
{
    std::map<std::uint32_t, std::uint32_t> table;
    for (const Cp932TableEntry& entry : kCp932Encode)
        table[entry.from] = entry.to;
    int differences = 0;
    for (std::uint32_t codePoint = 0x80; codePoint < 0x10000; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        const auto found = table.find(codePoint);
        const std::optional<std::uint32_t> ours =
            found == table.end() ? std::nullopt : std::optional<std::uint32_t>(found->second);
        const std::optional<std::uint32_t> windows = windowsEncode(codePoint);
        if (ours == windows)
            continue;
        ++differences;
        std::printf("encode U+%04X: table %s, Windows %s\n", static_cast<unsigned>(codePoint),
                    text(ours, "%04X").c_str(), text(windows, "%04X").c_str());
    }
    return differences;
}

} // namespace

int main()
{
    const int decoding = compareDecoding();
    const int encoding = compareEncoding();
    std::printf("%d decoding and %d encoding differences\n", decoding, encoding);
    return 0;
}
