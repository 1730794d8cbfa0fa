// Writes src/core/platform/cp932_table.inc: the project's own code page 932
// table, taken from glibc iconv's "CP932" (Microsoft's table with the NEC and
// IBM extensions, and glibc's one-way encodings such as U+301C WAVE DASH to
// 0x8160). Both builds convert with the table it writes, so a catalogue holds
// the same text whichever build registered it, and the Windows build needs no
// iconv. Run it again only to change the table on purpose:
//   findtavla-make-cp932-table > src/core/platform/cp932_table.inc
// It refuses to write anything when iconv answers in a way the table cannot
// hold (a character beyond the BMP that encodes, output of more than two
// bytes, ASCII not mapped onto itself).

#include <gnu/libc-version.h>
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from))
    {
        if (reinterpret_cast<std::intptr_t>(m_handle.get()) == -1) {
            m_handle.release();
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }

    // The conversion of the whole input, or the errno iconv stopped with.
    struct Result {
        std::optional<std::string> output;
        int error = 0;
    };

    Result convert(std::string_view input)
    {
        iconv(m_handle.get(), nullptr, nullptr, nullptr, nullptr);
        std::string output(input.size() * 4 + 4, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(m_handle.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
            return {std::nullopt, errno};
        output.resize(output.size() - outLeft);
        return {output, 0};
    }

private:
    struct Closer {
        void operator()(iconv_t handle) const { iconv_close(handle); }
    };
    std::unique_ptr<std::remove_pointer_t<iconv_t>, Closer> m_handle;
};

std::string utf8Of(char32_t codePoint)
{
    std::string bytes;
    if (codePoint < 0x80) {
        bytes += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        bytes += static_cast<char>(0xC0 | codePoint >> 6);
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        bytes += static_cast<char>(0xE0 | codePoint >> 12);
        bytes += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | codePoint >> 18);
        bytes += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return bytes;
}

// The one BMP code point a UTF-8 text holds; anything else is refused.
char32_t onlyBmpCodePoint(const std::string& utf8)
{
    const auto first = static_cast<unsigned char>(utf8.at(0));
    char32_t codePoint = 0;
    if (utf8.size() == 1 && first < 0x80)
        codePoint = first;
    else if (utf8.size() == 2 && (first & 0xE0) == 0xC0)
        codePoint = (first & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[1]) & 0x3Fu);
    else if (utf8.size() == 3 && (first & 0xF0) == 0xE0)
        codePoint = (first & 0x0Fu) << 12 | (static_cast<unsigned char>(utf8[1]) & 0x3Fu) << 6 |
                    (static_cast<unsigned char>(utf8[2]) & 0x3Fu);
    else
        throw std::runtime_error("iconv decoded a CP932 code to more than one BMP character");
    return codePoint;
}

int cp932Code(const std::string& cp932)
{
    if (cp932.size() == 1)
        return static_cast<unsigned char>(cp932[0]);
    if (cp932.size() == 2)
        return static_cast<unsigned char>(cp932[0]) << 8 | static_cast<unsigned char>(cp932[1]);
    throw std::runtime_error("iconv encoded a character to more than two CP932 bytes");
}

struct Entry {
    unsigned from = 0;
    unsigned to = 0;
};

struct Table {
    std::vector<unsigned> leadBytes; // bytes that start a pair: incomplete alone
    std::vector<Entry> decode;       // CP932 code (80-FF or a pair) to code point
    std::vector<Entry> encode;       // code point (80-FFFF) to CP932 code
    std::vector<Entry> dropped;      // ranges of code points written as nothing
};

// Adds a code point to the ranges, joining it to the last one when adjacent.
void addToRanges(std::vector<Entry>& ranges, unsigned codePoint)
{
    if (!ranges.empty() && ranges.back().to + 1 == codePoint)
        ranges.back().to = codePoint;
    else
        ranges.push_back({codePoint, codePoint});
}

Table readIconv()
{
    Table table;
    Converter decoder("UTF-8", "CP932");
    for (int byte = 0; byte < 0x100; ++byte) {
        const std::string single(1, static_cast<char>(byte));
        const Converter::Result result = decoder.convert(single);
        if (byte < 0x80) {
            if (result.output != single)
                throw std::runtime_error("iconv does not decode ASCII as itself");
        } else if (result.output) {
            table.decode.push_back({static_cast<unsigned>(byte), onlyBmpCodePoint(*result.output)});
        } else if (result.error == EINVAL) {
            table.leadBytes.push_back(static_cast<unsigned>(byte));
        }
    }
    for (const unsigned lead : table.leadBytes)
        for (unsigned trail = 0; trail < 0x100; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            if (const Converter::Result result = decoder.convert(pair); result.output)
                table.decode.push_back({lead << 8 | trail, onlyBmpCodePoint(*result.output)});
        }

    Converter encoder("CP932", "UTF-8");
    for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        const std::string utf8 = utf8Of(codePoint);
        const Converter::Result result = encoder.convert(utf8);
        if (codePoint < 0x80) {
            if (result.output != utf8)
                throw std::runtime_error("iconv does not encode ASCII as itself");
            continue;
        }
        if (!result.output)
            continue;
        // glibc leaves out the tag characters (E0000-E007F) without a word.
        if (result.output->empty()) {
            addToRanges(table.dropped, codePoint);
            continue;
        }
        if (codePoint > 0xFFFF)
            throw std::runtime_error("iconv encodes a character beyond the BMP");
        table.encode.push_back({codePoint, static_cast<unsigned>(cp932Code(*result.output))});
    }
    return table;
}

void printEntries(const char* name, const char* what, const std::vector<Entry>& entries)
{
    std::printf("\n// %s\nconstexpr Cp932TableEntry %s[] = {\n", what, name);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::printf("%s{0x%04X, 0x%04X},", i % 6 == 0 ? "    " : " ", entries[i].from,
                    entries[i].to);
        if (i % 6 == 5 || i + 1 == entries.size())
            std::printf("\n");
    }
    std::printf("};\n");
}

void printTable(const Table& table)
{
    std::printf("// Code page 932 as glibc %s iconv \"CP932\" converts it, written by\n"
                "// tools/make_cp932_table.cpp. Data, not code: do not edit by hand.\n"
                "// Bytes 00-7F are ASCII both ways and not listed.\n\n",
                gnu_get_libc_version());
    std::printf("// Bytes that start a two-byte code (incomplete on their own).\n"
                "constexpr unsigned char kCp932LeadBytes[] = {\n");
    for (std::size_t i = 0; i < table.leadBytes.size(); ++i) {
        std::printf("%s0x%02X,", i % 12 == 0 ? "    " : " ", table.leadBytes[i]);
        if (i % 12 == 11 || i + 1 == table.leadBytes.size())
            std::printf("\n");
    }
    std::printf("};\n");
    printEntries("kCp932Decode", "Every code that decodes: {CP932 code, code point}.",
                 table.decode);
    printEntries("kCp932Dropped", "Code points that encode to nothing, as ranges: {first, last}.",
                 table.dropped);
    printEntries("kCp932Encode",
                 "Every code point that encodes: {code point, CP932 code}. Several codes\n"
                 "// decode to some characters, and some characters encode one way only.",
                 table.encode);
}

} // namespace

int main()
{
    try {
        printTable(readIconv());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-make-cp932-table: %s\n", error.what());
        return 1;
    }
    return 0;
}
