#include "cli/cli_command.h"
#include "cli/cli_grammar.h"

#include <gtest/gtest.h>

#include <map>

namespace ft::cli {
namespace {

using Args = std::vector<std::string>;

TEST(ParseCommandLineTest, ParcelSearchTakesEveryFieldAndMode)
{
    const CliCommand command =
        parseCommandLine({"search", "parcels", "--oaza", "本町", "--koaza=東", "--chiban", "12",
                          "--owner", "山田", "--kana", "ﾔﾏﾀﾞ", "--mode", "contains"});
    EXPECT_EQ(command.action, CliAction::SearchParcels);
    EXPECT_EQ(command.parcel.oaza, "本町");
    EXPECT_EQ(command.parcel.koaza, "東");
    EXPECT_EQ(command.parcel.chiban, "12");
    EXPECT_EQ(command.parcel.owner, "山田");
    EXPECT_EQ(command.parcel.ownerKana, "ﾔﾏﾀﾞ");
    EXPECT_EQ(command.mode, search::MatchMode::Contains);
    EXPECT_FALSE(command.datum.has_value());
}

TEST(ParseCommandLineTest, DefaultsAndDatumPlacement)
{
    EXPECT_EQ(parseCommandLine({"search", "parcels"}).mode, search::MatchMode::Prefix);
    EXPECT_EQ(parseCommandLine({"--datum", "1", "files"}).datum, workspace::Datum::Japanese);
    EXPECT_EQ(parseCommandLine({"files", "--datum=2"}).datum, workspace::Datum::World);

    const CliCommand maps = parseCommandLine({"search", "maps"});
    EXPECT_EQ(maps.action, CliAction::SearchMapSheets);
    EXPECT_EQ(maps.name, "");
    // Every search has the windows' modes, 先頭一致 unless told otherwise.
    EXPECT_EQ(maps.mode, search::MatchMode::Prefix);
    const CliCommand exact = parseCommandLine({"search", "maps", "--mode", "exact", "12"});
    EXPECT_EQ(exact.mode, search::MatchMode::Exact);
    EXPECT_EQ(exact.name, "12");
    EXPECT_EQ(parseCommandLine({"search", "fpoints", "K", "--mode=contains"}).mode,
              search::MatchMode::Contains);
    const CliCommand dashed = parseCommandLine({"search", "zpoints", "--", "-12"});
    EXPECT_EQ(dashed.action, CliAction::SearchControlPoints);
    EXPECT_EQ(dashed.name, "-12");
    EXPECT_EQ(parseCommandLine({"search", "fpoints", "K1"}).name, "K1");
}

TEST(ParseCommandLineTest, DeleteAllAndRegister)
{
    const CliCommand deleteAll = parseCommandLine({"--datum", "1", "delete-all", "--yes"});
    EXPECT_EQ(deleteAll.action, CliAction::DeleteAll);
    EXPECT_EQ(deleteAll.datum, workspace::Datum::Japanese);

    const CliCommand registration = parseCommandLine({"register", "/a", "/b c.hed"});
    EXPECT_EQ(registration.action, CliAction::Register);
    EXPECT_EQ(registration.paths, (std::vector<std::filesystem::path>{"/a", "/b c.hed"}));
}

TEST(ParseCommandLineTest, ExportTakesTheFileThenAllOrNumbers)
{
    const CliCommand all = parseCommandLine({"--datum", "2", "export", "out.gpkg", "--all"});
    EXPECT_EQ(all.action, CliAction::Export);
    EXPECT_EQ(all.exportFile, "out.gpkg");
    EXPECT_TRUE(all.allDrawings);
    EXPECT_FALSE(all.jgd2000);

    const CliCommand numbered =
        parseCommandLine({"export", "/tmp/A.GPKG", "--jgd2000", "--drawing", "3", "12"});
    EXPECT_FALSE(numbered.allDrawings);
    EXPECT_EQ(numbered.drawingNumbers, (std::vector<int>{3, 12}));
    EXPECT_TRUE(numbered.jgd2000);
}

TEST(ParseCommandLineTest, HelpWinsOverAnythingElse)
{
    EXPECT_EQ(parseCommandLine({"--help"}).action, CliAction::Help);
    EXPECT_EQ(parseCommandLine({"delete-all", "-h"}).action, CliAction::Help);
}

// Flags every command takes, and the output format of the listing commands.
TEST(ParseCommandLineTest, OutputFormatAndVerbosity)
{
    const CliCommand plain = parseCommandLine({"files"});
    EXPECT_EQ(plain.format, OutputFormat::Tsv);
    EXPECT_EQ(plain.verbosity, Verbosity::Normal);
    EXPECT_FALSE(plain.noTrace);
    // Once refused as an unknown option; now a flag of every command.
    EXPECT_EQ(parseCommandLine({"--verbose", "files"}).verbosity, Verbosity::Verbose);
    EXPECT_EQ(parseCommandLine({"register", "--quiet", "/a"}).verbosity, Verbosity::Quiet);
    EXPECT_TRUE(parseCommandLine({"--no-trace", "register", "/a"}).noTrace);
    EXPECT_EQ(parseCommandLine({"files", "--format", "csv"}).format, OutputFormat::Csv);
    EXPECT_EQ(parseCommandLine({"search", "maps", "--format=json"}).format, OutputFormat::Json);
    EXPECT_EQ(parseCommandLine({"search", "parcels", "--format", "tsv"}).format, OutputFormat::Tsv);
}

TEST(ParseCommandLineTest, BadUsageIsRefused)
{
    const std::vector<Args> bad = {
        {},
        {"list"},
        {"--datum", "3", "files"},
        {"--datum", "files"}, // "files" taken as the datum
        {"files", "--datum"},
        {"files", "extra"},
        {"files", "--oaza", "x"},
        {"files", "--format", "xml"},
        {"files", "--format"},
        {"--quiet", "--verbose", "register", "/a"},
        {"files", "--verbose=1"},
        {"delete-all", "--yes", "--format", "csv"},
        {"search"},
        {"search", "owners"},
        {"search", "parcels", "--mode", "fuzzy"},
        {"search", "parcels", "--oaza", "a", "--oaza", "b"},
        {"search", "parcels", "本町"},
        {"search", "maps", "12", "13"},
        {"search", "maps", "12", "--mode", "fuzzy"},
        {"search", "maps", "\x96\x7b"},               // 本 in CP932, not UTF-8
        {"search", "parcels", "--owner", "\x8e\x52"}, // 山 in CP932
        {"delete-all"},
        {"delete-all", "--yes=no"},
        {"register"},
        {"--datum", "1", "register", "/a"},
        {"export", "out.gpkg"},                            // neither --all nor --drawing
        {"export", "out.gpkg", "--all", "--drawing", "3"}, // both
        {"export", "out.gpkg", "--drawing"},               // no number
        {"export", "out.gpkg", "--all", "3"},
        {"export", "out.gpkg", "--drawing", "3", "x"},
        {"export", "out.gpkg", "--drawing", "0"},
        {"export", "--drawing", "3", "out.gpkg"}, // the file comes first
        {"export", "out.shp", "--all"},
        {"--datum", "1", "export", "out.gpkg", "--all", "--jgd2000"},
        {"files", "--all"},
    };
    for (const Args& args : bad) {
        std::string line;
        for (const std::string& arg : args)
            line += arg + " ";
        EXPECT_THROW(parseCommandLine(args), UsageError) << line;
    }
}

// Usage, --help and the parser come from one declaration per option: every
// option shows in the usage line of each command that takes it, in --help
// with its text, and is taken by exactly those commands.
TEST(CommandDeclarationsTest, EveryOptionShowsWhereItIsTakenAndIsTakenOnlyThere)
{
    const std::string help = helpText();
    // --help wraps the texts; compared with every run of blanks made one.
    std::string flowing;
    for (const char c : help)
        if (!(c == ' ' || c == '\n') || (!flowing.empty() && flowing.back() != ' '))
            flowing += c == '\n' ? ' ' : c;
    for (const OptionSpec& option : optionSpecs()) {
        const std::string name(option.name);
        EXPECT_NE(flowing.find(std::string(option.help)), std::string::npos) << name;
        for (const CommandSpec& command : commandSpecs()) {
            const std::string words(command.words);
            const std::size_t usage = help.find("findTavla-cli [OPTION]... " + words);
            ASSERT_NE(usage, std::string::npos) << words;
            const std::string usageLine = help.substr(usage, help.find('\n', usage) - usage);
            if (!option.general) {
                EXPECT_EQ(usageLine.find(name + (option.value.empty() ? "" : " ")) !=
                              std::string::npos,
                          appliesTo(option, command.action))
                    << usageLine << " / " << name;
            }

            // A command line of the command that is sound but for this option.
            Args args;
            for (std::size_t at = 0; at <= words.size();) {
                const std::size_t end = std::min(words.find(' ', at), words.size());
                args.push_back(words.substr(at, end - at));
                at = end + 1;
            }
            if (command.action == CliAction::DeleteAll && name != "--yes")
                args.push_back("--yes");
            if (command.action == CliAction::Export)
                args.insert(args.end(), {"out.gpkg", "--all"});
            if (command.action == CliAction::Register)
                args.push_back("/a");
            if (command.action == CliAction::CatalogueCopy)
                args.push_back("--to=x");
            const std::map<std::string, std::string> values{
                {"--datum", "2"}, {"--format", "csv"}, {"--mode", "exact"}};
            const auto value = values.find(name);
            args.push_back(option.value.empty()    ? name
                           : value != values.end() ? name + "=" + value->second
                                                   : name + "=x");
            if (command.action == CliAction::Export && (name == "--all" || name == "--drawing"))
                continue; // one of the two is given already
            if (command.action == CliAction::CatalogueCopy && (name == "--to" || name == "--from"))
                continue;
            if (appliesTo(option, command.action))
                EXPECT_NO_THROW(parseCommandLine(args)) << words << " " << name;
            else
                EXPECT_THROW(parseCommandLine(args), UsageError) << words << " " << name;
        }
    }
}

} // namespace
} // namespace ft::cli
