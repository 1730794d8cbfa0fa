#include "cli/cli_command.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <map>
#include <string_view>

namespace ft::cli {
namespace {

// Options that take a value; every other option is a flag.
constexpr std::array<std::string_view, 8> kValueOptions{"--datum", "--oaza", "--koaza", "--chiban",
                                                        "--owner", "--kana", "--mode",  "--format"};
// Flags that every command takes.
constexpr std::array<std::string_view, 3> kCommonFlags{"--verbose", "--quiet", "--no-trace"};

template <std::size_t N>
bool isOneOf(const std::array<std::string_view, N>& names, std::string_view option)
{
    return std::find(names.begin(), names.end(), option) != names.end();
}

// Options that take no value.
constexpr std::array<std::string_view, 4> kFlagOptions{"--yes", "--all", "--drawing", "--jgd2000"};

bool takesValue(std::string_view option)
{
    return isOneOf(kValueOptions, option);
}

bool isFlag(std::string_view option)
{
    return std::find(kFlagOptions.begin(), kFlagOptions.end(), option) != kFlagOptions.end();
}

// The command line split into options (name → value, "" for flags) and
// operands, in order. "--" ends the options, so that a name or a path that
// starts with "-" can be given.
struct SplitArguments {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> operands;
    bool help = false;
    bool version = false;
};

void addOption(SplitArguments& split, const std::string& name, std::string value)
{
    if (!split.options.emplace(name, std::move(value)).second)
        throw UsageError("option " + name + " given twice");
}

SplitArguments splitArguments(const std::vector<std::string>& args)
{
    SplitArguments split;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            split.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            split.help = true;
            continue;
        }
        if (arg == "--version") {
            split.version = true;
            continue;
        }
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (!takesValue(name)) {
            if (!isFlag(name) && !isOneOf(kCommonFlags, name))
                throw UsageError("unknown option " + name);
            if (equals != std::string::npos)
                throw UsageError("option " + name + " takes no value");
            addOption(split, name, {});
        } else if (equals != std::string::npos) {
            addOption(split, name, arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            addOption(split, name, args[++i]);
        } else {
            throw UsageError("option " + name + " needs a value");
        }
    }
    return split;
}

// Every option given must be one the command knows, or one every command
// takes.
void allowOnly(const SplitArguments& split, std::initializer_list<std::string_view> allowed,
               std::string_view command)
{
    for (const auto& [name, value] : split.options)
        if (std::find(allowed.begin(), allowed.end(), name) == allowed.end() &&
            !isOneOf(kCommonFlags, name))
            throw UsageError("option " + name + " does not apply to " + std::string(command));
}

void requireOperandCount(const SplitArguments& split, std::size_t most, std::string_view command)
{
    if (split.operands.size() > most)
        throw UsageError("too many arguments for " + std::string(command) + ": " +
                         split.operands[most]);
}

// Search values are compared with the catalogue's UTF-8 text byte for byte:
// text typed in another encoding could never match, so it is refused.
const std::string& utf8SearchValue(const std::string& value)
{
    const QByteArray bytes = QByteArray::fromStdString(value);
    if (QString::fromUtf8(bytes).toUtf8() != bytes)
        throw UsageError("search values must be UTF-8 text");
    return value;
}

std::string optionValue(const SplitArguments& split, std::string_view name)
{
    const auto found = split.options.find(name);
    return found == split.options.end() ? std::string() : utf8SearchValue(found->second);
}

std::optional<workspace::Datum> parseDatum(const SplitArguments& split)
{
    const auto found = split.options.find("--datum");
    if (found == split.options.end())
        return std::nullopt;
    if (found->second == "1" || found->second == "2")
        return workspace::datumFromCode(found->second);
    throw UsageError("--datum must be 1 or 2, not \"" + found->second + "\"");
}

search::MatchMode parseMode(const SplitArguments& split)
{
    const auto found = split.options.find("--mode");
    if (found == split.options.end() || found->second == "prefix")
        return search::MatchMode::Prefix;
    if (found->second == "exact")
        return search::MatchMode::Exact;
    if (found->second == "contains")
        return search::MatchMode::Contains;
    throw UsageError("--mode must be exact, prefix or contains, not \"" + found->second + "\"");
}

OutputFormat parseFormat(const SplitArguments& split)
{
    const auto found = split.options.find("--format");
    if (found == split.options.end() || found->second == "tsv")
        return OutputFormat::Tsv;
    if (found->second == "csv")
        return OutputFormat::Csv;
    if (found->second == "json")
        return OutputFormat::Json;
    throw UsageError("--format must be tsv, csv or json, not \"" + found->second + "\"");
}

Verbosity parseVerbosity(const SplitArguments& split)
{
    const bool quiet = split.options.contains("--quiet");
    const bool verbose = split.options.contains("--verbose");
    if (quiet && verbose)
        throw UsageError("--quiet and --verbose cannot be given together");
    return quiet ? Verbosity::Quiet : verbose ? Verbosity::Verbose : Verbosity::Normal;
}

void parseSearch(const SplitArguments& split, CliCommand& command)
{
    if (split.operands.size() < 2)
        throw UsageError("search needs a kind: parcels, maps, fpoints or zpoints");
    const std::string& kind = split.operands[1];
    if (kind == "parcels") {
        allowOnly(
            split,
            {"--datum", "--oaza", "--koaza", "--chiban", "--owner", "--kana", "--mode", "--format"},
            "search parcels");
        requireOperandCount(split, 2, "search parcels");
        command.action = CliAction::SearchParcels;
        command.parcel = {optionValue(split, "--oaza"), optionValue(split, "--koaza"),
                          optionValue(split, "--chiban"), optionValue(split, "--owner"),
                          optionValue(split, "--kana")};
        command.mode = parseMode(split);
        return;
    }
    if (kind == "maps")
        command.action = CliAction::SearchMapSheets;
    else if (kind == "fpoints")
        command.action = CliAction::SearchBoundaryPoints;
    else if (kind == "zpoints")
        command.action = CliAction::SearchControlPoints;
    else
        throw UsageError("unknown search kind " + kind + " (parcels, maps, fpoints or zpoints)");
    allowOnly(split, {"--datum", "--mode", "--format"}, "search " + kind);
    requireOperandCount(split, 3, "search " + kind);
    if (split.operands.size() == 3)
        command.name = utf8SearchValue(split.operands[2]);
    command.mode = parseMode(split);
}

// A drawing number as the catalogue numbers drawings: a positive decimal.
int drawingNumber(const std::string& text)
{
    const bool digits =
        !text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoi(text) == 0)
        throw UsageError("\"" + text + "\" is no drawing number (FILENO)");
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

// export OUT.gpkg (--all | --drawing FILENO...)
void parseExport(const SplitArguments& split, CliCommand& command)
{
    allowOnly(split, {"--datum", "--all", "--drawing", "--jgd2000"}, "export");
    // The file's name is checked so that "export --drawing 3 OUT.gpkg",
    // which would write a file named "3", is caught.
    if (split.operands.size() < 2 || !endsWithGpkg(split.operands[1]))
        throw UsageError("export needs the GeoPackage file to write first, ending in .gpkg");
    command.action = CliAction::Export;
    command.exportFile = split.operands[1];
    command.allDrawings = split.options.contains("--all");
    const bool numbered = split.options.contains("--drawing");
    if (command.allDrawings == numbered)
        throw UsageError("export needs either --all or --drawing FILENO...");
    if (command.allDrawings)
        requireOperandCount(split, 2, "export --all");
    else if (split.operands.size() == 2)
        throw UsageError("--drawing needs at least one drawing number (FILENO)");
    for (std::size_t i = 2; i < split.operands.size(); ++i)
        command.drawingNumbers.push_back(drawingNumber(split.operands[i]));
    command.jgd2000 = split.options.contains("--jgd2000");
}

} // namespace

CliCommand parseCommandLine(const std::vector<std::string>& args)
{
    const SplitArguments split = splitArguments(args);
    CliCommand command;
    if (split.help)
        return command; // --help wins over everything else on the line
    if (split.version) {
        command.action = CliAction::Version;
        return command;
    }
    if (split.operands.empty())
        throw UsageError("no command given");

    const std::string& word = split.operands[0];
    if (word == "files") {
        allowOnly(split, {"--datum", "--format"}, word);
        requireOperandCount(split, 1, word);
        command.action = CliAction::Files;
    } else if (word == "search") {
        parseSearch(split, command);
    } else if (word == "delete-all") {
        allowOnly(split, {"--datum", "--yes"}, word);
        requireOperandCount(split, 1, word);
        if (!split.options.contains("--yes"))
            throw UsageError("delete-all deletes every registration of the datum; "
                             "confirm with --yes");
        command.action = CliAction::DeleteAll;
    } else if (word == "register") {
        // Each data set goes to the catalogue of its own datum.
        allowOnly(split, {}, word);
        if (split.operands.size() < 2)
            throw UsageError("register needs at least one folder or .hed file");
        command.action = CliAction::Register;
        command.paths.assign(split.operands.begin() + 1, split.operands.end());
    } else if (word == "export") {
        parseExport(split, command);
    } else {
        throw UsageError("unknown command " + word);
    }
    command.datum = parseDatum(split);
    if (command.jgd2000 && command.datum == workspace::Datum::Japanese)
        throw UsageError("--jgd2000 names a realisation of the world datum; it does not go "
                         "with --datum 1");
    command.format = parseFormat(split);
    command.verbosity = parseVerbosity(split);
    command.noTrace = split.options.contains("--no-trace");
    return command;
}

} // namespace ft::cli
