#include "cli/cli_grammar.h"
#include "core/platform/path_text.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>

namespace ft::cli {
namespace {

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

constexpr const char* kExportNeedsItsFile = QT_TRANSLATE_NOOP(
    "findTavla", "export needs the GeoPackage file to write first, ending in .gpkg");

constexpr CommandSet kSearches =
    commandBit(CliAction::SearchParcels) | commandBit(CliAction::SearchMapSheets) |
    commandBit(CliAction::SearchBoundaryPoints) | commandBit(CliAction::SearchControlPoints);
constexpr CommandSet kCatalogueCommands =
    commandBit(CliAction::CatalogueInit) | commandBit(CliAction::CatalogueCopy);
constexpr CommandSet kEveryCommand =
    kSearches | commandBit(CliAction::Files) | commandBit(CliAction::DeleteAll) |
    commandBit(CliAction::Register) | commandBit(CliAction::Export);

// Search values are compared with the catalogue's UTF-8 text byte for byte:
// text typed in another encoding could never match, so it is refused.
std::string utf8SearchValue(const std::string& value)
{
    const QByteArray bytes = QByteArray::fromStdString(value);
    if (QString::fromUtf8(bytes).toUtf8() != bytes)
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "search values must be UTF-8 text"));
    return value;
}

void applyDatum(CliCommand& command, const std::string& value)
{
    if (value != "1" && value != "2")
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "--datum must be 1 or 2, not \"%1\""),
                         {text(value)});
    command.datum = workspace::datumFromCode(value);
}

void applyVerbosity(CliCommand& command, Verbosity verbosity)
{
    if (command.verbosity != Verbosity::Normal && command.verbosity != verbosity)
        throw UsageError(
            QT_TRANSLATE_NOOP("findTavla", "--quiet and --verbose cannot be given together"));
    command.verbosity = verbosity;
}

void applyFormat(CliCommand& command, const std::string& value)
{
    if (value == "tsv")
        command.format = OutputFormat::Tsv;
    else if (value == "csv")
        command.format = OutputFormat::Csv;
    else if (value == "json")
        command.format = OutputFormat::Json;
    else
        throw UsageError(
            QT_TRANSLATE_NOOP("findTavla", "--format must be tsv, csv or json, not \"%1\""),
            {text(value)});
}

void applyMode(CliCommand& command, const std::string& value)
{
    if (value == "prefix")
        command.mode = search::MatchMode::Prefix;
    else if (value == "exact")
        command.mode = search::MatchMode::Exact;
    else if (value == "contains")
        command.mode = search::MatchMode::Contains;
    else
        throw UsageError(
            QT_TRANSLATE_NOOP("findTavla", "--mode must be exact, prefix or contains, not \"%1\""),
            {text(value)});
}

// A drawing number as the catalogue numbers drawings: a positive decimal.
int drawingNumber(const std::string& text)
{
    const bool digits =
        !text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoi(text) == 0)
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "\"%1\" is no drawing number (FILENO)"),
                         {QString::fromStdString(text)});
    return std::stoi(text);
}

bool endsWithGpkg(const std::string& path)
{
    constexpr std::string_view kExtension = ".gpkg";
    if (path.size() <= kExtension.size())
        return false;
    std::string tail = path.substr(path.size() - kExtension.size());
    std::transform(tail.begin(), tail.end(), tail.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return tail == kExtension;
}

void applyNameOperand(CliCommand& command, const std::vector<std::string>& operands)
{
    if (!operands.empty())
        command.name = utf8SearchValue(operands.front());
}

void applyRegisterOperands(CliCommand& command, const std::vector<std::string>& operands)
{
    for (const std::string& operand : operands)
        command.paths.push_back(platform::pathFromText(operand));
}

// OUT.gpkg, then the drawing numbers of --drawing.
void applyExportOperands(CliCommand& command, const std::vector<std::string>& operands)
{
    // The file's name is checked so that "export --drawing 3 OUT.gpkg",
    // which would write a file named "3", is caught.
    if (!endsWithGpkg(operands.front()))
        throw UsageError(kExportNeedsItsFile);
    command.exportFile = platform::pathFromText(operands.front());
    if (command.allDrawings && operands.size() > 1)
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "too many arguments for %1: %2"),
                         {QStringLiteral("export --all"), text(operands[1])});
    if (!command.allDrawings && operands.size() == 1)
        throw UsageError(
            QT_TRANSLATE_NOOP("findTavla", "--drawing needs at least one drawing number (FILENO)"));
    for (std::size_t i = 1; i < operands.size(); ++i)
        command.drawingNumbers.push_back(drawingNumber(operands[i]));
}

void ignoreValue(CliCommand&, const std::string&)
{
}

const std::array kOptions{
    OptionSpec{"--datum", "1|2", "", kEveryCommand & ~commandBit(CliAction::Register),
               Presence::Optional, true,
               "1 = 日本測地系 (Japanese datum), 2 = 世界測地系 (world datum). Default: the "
               "current datum saved by findTavla. The choice is used for this run only and is "
               "not saved. Not for register.",
               applyDatum},
    OptionSpec{"--verbose", "", "", kEveryCommand, Presence::Optional, true,
               "Write every status text of the registration to standard error, one per line, "
               "as findTavla shows them in its status bar.",
               [](CliCommand& command, const std::string&) {
                   applyVerbosity(command, Verbosity::Verbose);
               }},
    OptionSpec{
        "--quiet", "", "", kEveryCommand | kCatalogueCommands, Presence::Optional, true,
        "Write only errors: no progress, notes, count line or \"見つかりません\".",
        [](CliCommand& command, const std::string&) { applyVerbosity(command, Verbosity::Quiet); }},
    OptionSpec{"--no-trace", "", "", kEveryCommand, Presence::Optional, true,
               "Write no trace logs (test.log, test2.log) in this run, whatever the settings "
               "file says.",
               [](CliCommand& command, const std::string&) { command.noTrace = true; }},
    OptionSpec{
        "--catalogue", "URI", "", kEveryCommand | commandBit(CliAction::CatalogueInit),
        Presence::Optional, true,
        "Use the catalogues on this PostgreSQL server (a libpq connection string or "
        "URI) for this run, instead of the server of the settings file; an empty value "
        "means the catalogue files of the data folder. Passwords come from ~/.pgpass or "
        "the service file, never from here.",
        [](CliCommand& command, const std::string& value) { command.catalogueServer = value; }},
    OptionSpec{"--oaza", "T", "", commandBit(CliAction::SearchParcels), Presence::Optional, false,
               "The oaza (OOAZA).",
               [](CliCommand& command, const std::string& value) {
                   command.parcel.oaza = utf8SearchValue(value);
               }},
    OptionSpec{"--koaza", "T", "", commandBit(CliAction::SearchParcels), Presence::Optional, false,
               "The koaza (KOAZA).",
               [](CliCommand& command, const std::string& value) {
                   command.parcel.koaza = utf8SearchValue(value);
               }},
    OptionSpec{"--chiban", "T", "", commandBit(CliAction::SearchParcels), Presence::Optional, false,
               "The lot number (CHIBAN).",
               [](CliCommand& command, const std::string& value) {
                   command.parcel.chiban = utf8SearchValue(value);
               }},
    OptionSpec{"--owner", "T", "", commandBit(CliAction::SearchParcels), Presence::Optional, false,
               "The owner (SNAME).",
               [](CliCommand& command, const std::string& value) {
                   command.parcel.owner = utf8SearchValue(value);
               }},
    OptionSpec{"--kana", "T", "", commandBit(CliAction::SearchParcels), Presence::Optional, false,
               "The owner kana (KNAME); it matches in hiragana, katakana or half-width katakana "
               "alike (やまだ, ヤマダ and ﾔﾏﾀﾞ find each other).",
               [](CliCommand& command, const std::string& value) {
                   command.parcel.ownerKana = utf8SearchValue(value);
               }},
    OptionSpec{"--format", "F", "", kSearches | commandBit(CliAction::Files), Presence::Optional,
               false,
               "How files and search write their rows: tsv (the default), csv or json (see "
               "Output).",
               applyFormat},
    OptionSpec{"--mode", "M", "", kSearches, Presence::Optional, false,
               "How a search compares: exact, prefix (the default) or contains (see Searches).",
               applyMode},
    OptionSpec{
        "--yes", "", "", commandBit(CliAction::DeleteAll), Presence::Required, false,
        // Told again when it is missing, in the operator's language.
        QT_TRANSLATE_NOOP("findTavla", "Confirms the deletion; without it nothing is deleted."),
        ignoreValue},
    OptionSpec{"--all", "", "", commandBit(CliAction::Export), Presence::OneOf, false,
               "Every registered drawing of the datum.",
               [](CliCommand& command, const std::string&) { command.allDrawings = true; }},
    OptionSpec{"--drawing", "", "FILENO...", commandBit(CliAction::Export), Presence::OneOf, false,
               "The drawings numbered FILENO, as \"files\" lists them.", ignoreValue},
    OptionSpec{"--jgd2000", "", "", commandBit(CliAction::Export), Presence::Optional, false,
               "The world datum as JGD2000, EPSG 2443-2461, instead of JGD2011; not with "
               "datum 1.",
               [](CliCommand& command, const std::string&) { command.jgd2000 = true; }},
    OptionSpec{"--print", "", "", commandBit(CliAction::CatalogueInit), Presence::Optional, false,
               "Write the statements to standard output instead of running them, for an "
               "administrator to run with a role that may create schemas.",
               [](CliCommand& command, const std::string&) { command.printOnly = true; }},
    OptionSpec{"--to", "URI", "", commandBit(CliAction::CatalogueCopy), Presence::OneOf, false,
               "Copy the catalogue files of the data folder to this server.",
               [](CliCommand& command, const std::string& value) { command.copyTo = value; }},
    OptionSpec{"--from", "URI", "", commandBit(CliAction::CatalogueCopy), Presence::OneOf, false,
               "Copy the catalogues of this server into the catalogue files of the data folder.",
               [](CliCommand& command, const std::string& value) { command.copyFrom = value; }},
    OptionSpec{"--replace", "", "", commandBit(CliAction::CatalogueCopy), Presence::Optional, false,
               "Replace the drawings the target holds already; without it such a target is "
               "refused and nothing is copied.",
               [](CliCommand& command, const std::string&) { command.replace = true; }},
};

const std::array kCommands{
    CommandSpec{CliAction::Files, "files", "", 0, 0, "",
                "The registered drawings, as the drawing list shows them: PATH, FILENO, "
                "CREATER, CHIKU, SOKU, ordered by FILENO.",
                nullptr},
    CommandSpec{CliAction::SearchParcels, "search parcels", "", 0, 0, "",
                "Parcels (CHIBAN) matching every given field. No field lists every parcel. "
                "Columns OOAZA, KOAZA, CHIBAN, SNAME, KNAME, FILENO, MODE (the record's kind: 筆, "
                "所有者 or 一団), ordered by oaza, koaza and lot number.",
                nullptr},
    CommandSpec{CliAction::SearchMapSheets, "search maps", "[T]", 0, 1, "",
                "Map sheets (MAPNAME) matching T: columns MAPNAME, SCALE, KUBUN, FILENO, in "
                "FILENO order. Without T, every map sheet.",
                applyNameOperand},
    CommandSpec{CliAction::SearchBoundaryPoints, "search fpoints", "[T]", 0, 1, "",
                "Boundary points (FTEN) whose TENNAME matches T: TENNAME, FILENO. Without T, "
                "every boundary point.",
                applyNameOperand},
    CommandSpec{CliAction::SearchControlPoints, "search zpoints", "[T]", 0, 1, "",
                "Control points (ZTEN) whose TENNAME matches T: TENNAME, FILENO. Without T, "
                "every control point.",
                applyNameOperand},
    CommandSpec{CliAction::DeleteAll, "delete-all", "", 0, 0, "",
                "Deletes every registration of the datum: its catalogue rows and its overview "
                "working files. The other datum is kept. Prints the number of drawings deleted "
                "followed by \"件削除しました\"; the rows of each table and the files removed "
                "go to standard error.",
                nullptr},
    CommandSpec{CliAction::Register, "register", "PATH...", 1, kManyOperands,
                QT_TRANSLATE_NOOP("findTavla", "register needs at least one folder or .hed file"),
                "Registers survey data sets, each into the catalogue of its own datum (so no "
                "datum option). A folder is walked for .hed files that have their .pol, .pnt and "
                ".atr siblings; every set whose header names datum 1 or 2 is registered. A .hed "
                "file is registered alone. \"<path>は登録できません\" is printed once for each "
                "set or path that could not be registered (also for a folder none of whose sets "
                "has its siblings); its reason goes to standard error. A set registered already "
                "is named on standard error and counts as done. After every path, one line: the "
                "count of sets registered followed by \"件登録しました\". Paths are taken as "
                "absolute paths, as the catalogue records them. When standard error is a "
                "terminal, one line there shows the progress in place: sets done of sets found, "
                "the set being read, catalogue rows written per second and the time left; it is "
                "erased when the count line is printed. Otherwise only the failures and the "
                "count line are written.",
                applyRegisterOperands},
    CommandSpec{CliAction::Export, "export", "OUT.gpkg", 1, kManyOperands, kExportNeedsItsFile,
                "Writes registered drawings of the datum into a GeoPackage for desktop GIS. "
                "Layers: drawings (path, creator, district, zone, bounding box), parcels (one "
                "per .atr record with a lot number: oaza, koaza, lot, owner, kana, the .cos "
                "owners joined in co_owners), undetermined_parcels (.und, with their group, no "
                "geometry), boundary_points, control_points, map_sheets, sheet_frames. Each "
                "drawing is written, never reprojected, in the plane rectangular system of its "
                "zone (header field KEI, 1-19): datum 1 as Tokyo, EPSG 30161-30179; datum 2 as "
                "JGD2011, EPSG 6669-6687, or as JGD2000, EPSG 2443-2461. x is the easting "
                "(survey Y), y the northing (survey X). Drawings in several zones: every layer "
                "once per system, its name ending in the EPSG code (parcels_6677, "
                "parcels_6678). A parcel whose outline is missing, names missing points or does "
                "not close is a row without geometry (its column \"outline\" says why), counted "
                "in the report. A drawing whose header has no zone 1-19 is refused on standard "
                "error and the others are exported. OUT.gpkg is replaced only when the export "
                "is complete. The report goes to standard output.",
                applyExportOperands},
    CommandSpec{CliAction::CatalogueInit, "catalogue init", "", 0, 0, "",
                "Makes what findTavla needs on the catalogue server of --catalogue or of the "
                "settings file: the schemas dorsajpn and dorsawrd, their tables and functions "
                "(what is there already is kept). With --print, writes those statements "
                "instead, one per line ending in \";\", without connecting to any server.",
                nullptr},
    CommandSpec{CliAction::CatalogueCopy, "catalogue copy", "", 0, 0, "",
                "Copies the catalogues of both datums, row for row, from the data folder's "
                "files to a server (--to URI) or from a server back into the files (--from "
                "URI). A target that holds drawings is refused unless --replace. Every row is "
                "read back and compared before the copy is kept; a failure leaves the target "
                "as it was. Prints the number of drawings copied followed by "
                "\"件の図面を複写しました\"; the rows of each table go to standard error.",
                nullptr},
};

} // namespace

std::span<const OptionSpec> optionSpecs()
{
    return kOptions;
}

std::span<const CommandSpec> commandSpecs()
{
    return kCommands;
}

const OptionSpec* findOption(std::string_view name)
{
    const auto found = std::find_if(kOptions.begin(), kOptions.end(),
                                    [&](const OptionSpec& option) { return option.name == name; });
    return found == kOptions.end() ? nullptr : &*found;
}

} // namespace ft::cli
