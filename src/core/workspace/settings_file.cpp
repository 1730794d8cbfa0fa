#include "core/workspace/settings_file.h"

#include "core/platform/replacement_file.h"

#include <SimpleIni.h>

#include <string>
#include <string_view>
#include <system_error>

namespace ft::workspace {
namespace {

// Section and key names are raw CP932 bytes (SimpleIni does no conversion).
constexpr const char* kDatumSection = "\x91\xAA\x92\x6E\x8C\x6E"; // 測地系
constexpr const char* kDatumKey = "T";

using Ini = CSimpleIniCaseA;

// The file's content; a missing file is an empty store. A file that exists
// but cannot be read is an error, so that a write never replaces content
// that was merely unreadable.
void load(Ini& ini, const std::filesystem::path& settingsFile)
{
    std::error_code ignored;
    if (!std::filesystem::exists(settingsFile, ignored))
        return;
    if (!std::filesystem::is_regular_file(settingsFile, ignored) ||
        ini.LoadFile(settingsFile.c_str()) < 0)
        throw std::filesystem::filesystem_error("cannot read the settings file", settingsFile,
                                                std::make_error_code(std::errc::io_error));
}

// Whether a value can be read at all; reads fall back to their defaults.
// SimpleIni takes the size of whatever it opens as the size to read, so a
// folder in the file's place must never reach it.
bool loadForReading(Ini& ini, const std::filesystem::path& settingsFile)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(settingsFile, ignored) &&
           ini.LoadFile(settingsFile.c_str()) >= 0;
}

// Writes the store as profile files are written ("key=value", CRLF line
// ends), replacing the old file whole: another findTavla reading it meanwhile
// sees the old settings or the new, never a part.
void save(Ini& ini, const std::filesystem::path& settingsFile)
{
    ini.SetSpaces(false);
    std::string text;
    if (ini.Save(text, false) < 0)
        throw std::filesystem::filesystem_error("cannot write the settings file", settingsFile,
                                                std::make_error_code(std::errc::io_error));
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 8);
    // SimpleIni ends its lines with "\n" on Linux but "\r\n" on Windows,
    // where a '\r' more would make every line end "\r\r\n".
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            crlf += '\r';
        crlf += text[i];
    }

    if (settingsFile.has_parent_path())
        std::filesystem::create_directories(settingsFile.parent_path());
    platform::replaceFileWith(settingsFile, crlf);
}

} // namespace

Datum readSavedDatum(const std::filesystem::path& settingsFile)
{
    Ini ini;
    if (!loadForReading(ini, settingsFile))
        return Datum::World;
    return datumFromCode(ini.GetLongValue(kDatumSection, kDatumKey, 2));
}

bool readTraceEnabled(const std::filesystem::path& settingsFile)
{
    Ini ini;
    if (!loadForReading(ini, settingsFile))
        return true;
    const char* value = ini.GetValue("trace", "enabled", "1");
    return std::string_view(value) != "0";
}

std::string readCatalogueServer(const std::filesystem::path& settingsFile)
{
    Ini ini;
    if (!loadForReading(ini, settingsFile))
        return {};
    return ini.GetValue("catalogue", "server", "");
}

void writeSavedDatum(const std::filesystem::path& settingsFile, Datum datum)
{
    Ini ini;
    load(ini, settingsFile);
    ini.SetLongValue(kDatumSection, kDatumKey, datumCode(datum));
    save(ini, settingsFile);
}

WindowPlacement readPlacement(const std::filesystem::path& settingsFile, const char* section,
                              const WindowPlacement& current)
{
    WindowPlacement placement = current;
    Ini ini;
    if (!loadForReading(ini, settingsFile))
        return placement;
    // Flags and show command are unsigned; a negative stored value is not taken.
    if (const long flags = ini.GetLongValue(section, "PlaceFlags", current.flags); flags >= 0)
        placement.flags = static_cast<unsigned>(flags);
    if (const long showCmd = ini.GetLongValue(section, "PlaceShowCmd", current.showCmd);
        showCmd >= 0)
        placement.showCmd = static_cast<unsigned>(showCmd);
    const auto readInt = [&](const char* key, int value) {
        return static_cast<int>(ini.GetLongValue(section, key, value));
    };
    placement.minX = readInt("PlaceMinPos.X", current.minX);
    placement.minY = readInt("PlaceMinPos.Y", current.minY);
    placement.maxX = readInt("PlaceMaxPos.X", current.maxX);
    placement.maxY = readInt("PlaceMaxPos.Y", current.maxY);
    placement.normalLeft = readInt("PlaceNormalPos.Left", current.normalLeft);
    placement.normalTop = readInt("PlaceNormalPos.Top", current.normalTop);
    placement.normalRight = readInt("PlaceNormalPos.Right", current.normalRight);
    placement.normalBottom = readInt("PlaceNormalPos.Bottom", current.normalBottom);
    return placement;
}

void writePlacement(const std::filesystem::path& settingsFile, const char* section,
                    const WindowPlacement& placement)
{
    Ini ini;
    load(ini, settingsFile);
    const auto write = [&](const char* key, long value) { ini.SetLongValue(section, key, value); };
    write("PlaceFlags", static_cast<long>(placement.flags));
    write("PlaceShowCmd", static_cast<long>(placement.showCmd));
    write("PlaceMinPos.X", placement.minX);
    write("PlaceMinPos.Y", placement.minY);
    write("PlaceMaxPos.X", placement.maxX);
    write("PlaceMaxPos.Y", placement.maxY);
    write("PlaceNormalPos.Left", placement.normalLeft);
    write("PlaceNormalPos.Top", placement.normalTop);
    write("PlaceNormalPos.Right", placement.normalRight);
    write("PlaceNormalPos.Bottom", placement.normalBottom);
    save(ini, settingsFile);
}

} // namespace ft::workspace
