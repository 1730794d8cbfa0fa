#include "cli/cli_command.h"
#include "cli/cli_grammar.h"

#include <string>
#include <string_view>

namespace ft::cli {
namespace {

constexpr std::size_t kWidth = 79;
constexpr std::size_t kTextColumn = 16;

// Columns a UTF-8 text takes on a terminal: two for the wide characters of
// Japanese, one for the rest.
std::size_t columnsOf(std::string_view text)
{
    std::size_t columns = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte
        // Lead bytes of U+1100 and above (three or four bytes long), save
        // the half-width katakana U+FF61..U+FF9F.
        const bool halfWidthKana = byte == 0xEF && i + 2 < text.size() &&
                                   ((static_cast<unsigned char>(text[i + 1]) == 0xBD &&
                                     static_cast<unsigned char>(text[i + 2]) >= 0xA1) ||
                                    static_cast<unsigned char>(text[i + 1]) == 0xBE);
        columns += byte >= 0xE1 && !halfWidthKana ? 2 : 1;
    }
    return columns;
}

// `text` wrapped at blanks into lines of kWidth columns, every line after the
// first indented to kTextColumn; the first goes on after `lead`.
std::string wrapped(const std::string& lead, std::string_view text)
{
    std::string out = lead;
    std::size_t column = columnsOf(lead);
    if (column >= kTextColumn) {
        out += "\n";
        column = 0;
    }
    out.append(kTextColumn - column, ' ');
    column = kTextColumn;
    bool lineStart = true;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::string_view word = text.substr(0, blank);
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
        const std::size_t wordColumns = columnsOf(word);
        if (!lineStart && column + 1 + wordColumns > kWidth) {
            out += "\n" + std::string(kTextColumn, ' ');
            column = kTextColumn;
            lineStart = true;
        }
        if (!lineStart) {
            out += ' ';
            ++column;
        }
        out += word;
        column += wordColumns;
        lineStart = false;
    }
    return out + "\n";
}

// "--mode M", "--drawing FILENO...", "--yes"
std::string optionSynopsis(const OptionSpec& option)
{
    std::string text(option.name);
    if (!option.value.empty())
        text += " " + std::string(option.value);
    if (!option.operandsAfter.empty())
        text += " " + std::string(option.operandsAfter);
    return text;
}

// The words, operands and options of one command after "[OPTION]...".
std::string commandSynopsis(const CommandSpec& command)
{
    std::string text(command.words);
    if (!command.operands.empty())
        text += " " + std::string(command.operands);
    std::string oneOf;
    std::string optional;
    for (const OptionSpec& option : optionSpecs()) {
        if (option.general || !appliesTo(option, command.action))
            continue;
        switch (option.presence) {
        case Presence::Required:
            text += " " + optionSynopsis(option);
            break;
        case Presence::OneOf:
            oneOf += (oneOf.empty() ? "" : " | ") + optionSynopsis(option);
            break;
        case Presence::Optional:
            optional += " [" + optionSynopsis(option) + "]";
            break;
        }
    }
    if (!oneOf.empty())
        text += " (" + oneOf + ")";
    return text + optional;
}

int commandsTaking(const OptionSpec& option)
{
    int count = 0;
    for (const CommandSpec& command : commandSpecs())
        count += appliesTo(option, command.action) ? 1 : 0;
    return count;
}

std::string usageLines()
{
    std::string text;
    for (const CommandSpec& command : commandSpecs())
        text += std::string(text.empty() ? "Usage: " : "  or:  ") + "findTavla-cli [OPTION]... " +
                commandSynopsis(command) + "\n";
    return text + "  or:  findTavla-cli --help|--version\n";
}

// Options of more than one command; the others are told under theirs.
std::string optionsSection()
{
    std::string text = "Options:\n";
    for (const OptionSpec& option : optionSpecs())
        if (option.general || commandsTaking(option) > 1)
            text += wrapped("  " + optionSynopsis(option), option.help);
    return text;
}

std::string commandsSection()
{
    std::string text = "Commands:\n";
    for (const CommandSpec& command : commandSpecs()) {
        std::string heading = "  " + std::string(command.words);
        if (!command.operands.empty())
            heading += " " + std::string(command.operands);
        text += wrapped(heading, command.help);
        for (const OptionSpec& option : optionSpecs())
            if (!option.general && commandsTaking(option) == 1 && appliesTo(option, command.action))
                text += wrapped("    " + optionSynopsis(option), option.help);
    }
    return text;
}

constexpr std::string_view kIntroduction =
    R"(Register, search and export Japanese cadastral survey data sets (地籍データ)
without windows.

Works on the same catalogues, working files and settings as findTavla:
catalogues and working files in $XDG_DATA_HOME/findTavla (default
~/.local/share/findTavla), settings in $XDG_CONFIG_HOME/findTavla (default
~/.config/findTavla).

)";

constexpr std::string_view kClosingSections = R"(
Searches: the matching mode says how every search compares, as the
matching-mode buttons of the windows do: exact (完全一致, the whole text),
prefix (先頭一致, text that begins with the value; the default, as in the
windows) or contains (あいまい, text that holds the value). In prefix and
contains mode, % and _ in a value match any text and any one character.
Values are UTF-8 text and are compared as findTavla compares what is typed
into its windows: first spelled as CP932 spells it (an input method's 〜 finds
the stored ～), then, except the oaza and the koaza, folded to half width as
registration stores them, so １０１ finds lot 101.

Output: UTF-8 text. tsv: one line per row, fields separated by tabs; the
first line holds the column names. A backslash, tab, carriage return or line
feed inside a field is written as \\, \t, \r or \n. csv: RFC 4180, the
column names first, lines ended by CR LF, a field holding a comma, a double
quote, CR or LF in double quotes with its double quotes doubled. json: one
array of objects, one per row, keyed by the column names; FILENO, SCALE,
KUBUN and SOKU are numbers, the rest strings. Put "--" before a value that
starts with "-".

Settings: findTavla and findTavla-cli write trace logs of every registration
(about 1 MB per data set); "enabled=0" in section [trace] of FindTavla.ini
turns them off.

Exit status:
  0  success
  1  nothing was found (no rows; "見つかりません" on standard error), a
     data set or path could not be registered, or a drawing could not be
     exported
  2  bad usage, or an error (the message goes to standard error), also
     when the output cannot be written, when a catalogue cannot be opened,
     and when register or delete-all meets a registration that findTavla or
     another findTavla-cli is running on the same folders
)";

} // namespace

std::string helpText()
{
    return usageLines() + std::string(kIntroduction) + optionsSection() + "\n" + commandsSection() +
           std::string(kClosingSections);
}

} // namespace ft::cli
