#include "fuzz_support.h"

#include "core/catalogue/schema.h"

#include <cstdio>
#include <cstdlib>

namespace ft::fuzz {

Scratch& Scratch::instance()
{
    static Scratch scratch;
    return scratch;
}

Scratch::Scratch() : m_trace2(m_folder.path() / "test2.log")
{
    catalogue::CreateSchemaIfMissing(m_catalogue);
}

std::filesystem::path Scratch::write(std::string_view name, const std::uint8_t* data,
                                     std::size_t size) const
{
    const std::filesystem::path file = folder() / name;
    test::writeBytes(file, std::string_view(reinterpret_cast<const char*>(data), size));
    return file;
}

void Scratch::fresh()
{
    catalogue::DeleteAllRows(m_catalogue);
    m_trace.openTruncated(folder() / "test.log");
    m_trace2.truncate();
}

int Scratch::rowCount()
{
    int rows = 0;
    for (const char* table : {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN"})
        rows +=
            std::stoi(m_catalogue.GetTable(std::string("SELECT COUNT(*) FROM ") + table).Fields(0));
    return rows;
}

std::string Scratch::lastTraceLine() const
{
    std::string log = test::readBytes(folder() / "test.log");
    if (log.size() >= 2 && log.compare(log.size() - 2, 2, "\r\n") == 0)
        log.resize(log.size() - 2);
    const std::size_t lineStart = log.rfind("\r\n");
    return lineStart == std::string::npos ? log : log.substr(lineStart + 2);
}

void require(bool condition, std::string_view what)
{
    if (condition)
        return;
    std::fprintf(stderr, "oracle failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

bool convertsOrRefuses(const std::function<void()>& read)
{
    try {
        read();
        return true;
    } catch (const formats::SourceFileError&) {
        return false;
    }
}

void checkCatalogueConverter(std::string_view name, const std::function<bool()>& convert,
                             bool falseAllowed)
{
    Scratch& scratch = Scratch::instance();
    bool result = false;
    const std::string what(name);
    if (!convertsOrRefuses([&] { result = convert(); })) {
        require(scratch.rowCount() == 0, what + ": rows left after a conversion error");
        require(!scratch.catalogue().InTransaction(), what + ": transaction left open");
        return;
    }
    require(scratch.lastTraceLine() != "Rollback", what + ": the catalogue refused a statement");
    require(result || falseAllowed, what + " answered false for a readable file");
}

void requireWorkingFileLines(const std::filesystem::path& file, int fields,
                             const std::function<void(std::string)>& parse)
{
    const std::string bytes = test::readBytes(file);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        require(end != std::string::npos, "working-file line without CR LF");
        const std::string line = bytes.substr(start, end - start);
        int commas = 0;
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            require(byte >= 0x20 && byte != 0x7F, "control byte in a working-file line");
            commas += c == ',' ? 1 : 0;
        }
        require(commas == fields && !line.empty() && line.back() == ',',
                "working-file line with the wrong field count: " + line);
        parse(line);
        start = end + 2;
    }
}

} // namespace ft::fuzz
