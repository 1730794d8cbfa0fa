#include "cli/cli_command.h"

#include "cli/cli_grammar.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace ft::cli {
namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
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
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "option %1 given twice"), {text(name)});
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
        const OptionSpec* option = findOption(name);
        if (option == nullptr)
            throw UsageError(QT_TRANSLATE_NOOP("findTavla", "unknown option %1"), {text(name)});
        if (option->value.empty()) {
            if (equals != std::string::npos)
                throw UsageError(QT_TRANSLATE_NOOP("findTavla", "option %1 takes no value"),
                                 {text(name)});
            addOption(split, name, {});
        } else if (equals != std::string::npos) {
            addOption(split, name, arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            addOption(split, name, args[++i]);
        } else {
            throw UsageError(QT_TRANSLATE_NOOP("findTavla", "option %1 needs a value"),
                             {text(name)});
        }
    }
    return split;
}

bool startsWithWords(const std::vector<std::string>& operands, std::string_view words)
{
    std::size_t at = 0;
    for (const std::string& operand : operands) {
        const std::size_t end = std::min(words.find(' ', at), words.size());
        if (words.substr(at, end - at) != operand)
            return false;
        if (end == words.size())
            return true;
        at = end + 1;
    }
    return false;
}

// The command the operands begin with. A first word that only begins
// commands of several words ("search") asks for the next one.
const CommandSpec& findCommand(const std::vector<std::string>& operands)
{
    if (operands.empty())
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "no command given"));
    QStringList kinds;
    for (const CommandSpec& command : commandSpecs()) {
        if (startsWithWords(operands, command.words))
            return command;
        const std::string_view words = command.words;
        if (words.substr(0, words.find(' ')) == operands.front() && words.find(' ') != words.npos)
            kinds.push_back(text(words.substr(words.find(' ') + 1)));
    }
    if (kinds.empty())
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "unknown command %1"),
                         {text(operands.front())});
    if (operands.size() < 2)
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "%1 needs a kind: %2"),
                         {text(operands.front()), kinds.join(u", ")});
    throw UsageError(QT_TRANSLATE_NOOP("findTavla", "unknown %1 kind %2 (%3)"),
                     {text(operands.front()), text(operands[1]), kinds.join(u", ")});
}

std::size_t wordCount(std::string_view words)
{
    return static_cast<std::size_t>(std::count(words.begin(), words.end(), ' ')) + 1;
}

// Every option given applies to the command, each required one is given, and
// exactly one of its OneOf options.
void checkOptions(const SplitArguments& split, const CommandSpec& command)
{
    for (const auto& [name, value] : split.options)
        if (!appliesTo(*findOption(name), command.action))
            throw UsageError(QT_TRANSLATE_NOOP("findTavla", "option %1 does not apply to %2"),
                             {text(name), text(command.words)});
    QStringList oneOf;
    int oneOfGiven = 0;
    for (const OptionSpec& option : optionSpecs()) {
        if (!appliesTo(option, command.action))
            continue;
        const bool given = split.options.contains(option.name);
        if (option.presence == Presence::Required && !given)
            throw UsageError(QT_TRANSLATE_NOOP("findTavla", "%1 needs %2 (%3)"),
                             {text(command.words), text(option.name),
                              platform::Message(option.help.data()).text()});
        if (option.presence == Presence::OneOf) {
            oneOf.push_back(text(option.name));
            oneOfGiven += given ? 1 : 0;
        }
    }
    if (!oneOf.empty() && oneOfGiven != 1)
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "%1 needs exactly one of %2"),
                         {text(command.words), oneOf.join(u", ")});
}

std::vector<std::string> operandsAfterWords(const SplitArguments& split, const CommandSpec& command)
{
    const std::size_t skip = wordCount(command.words);
    std::vector<std::string> operands(split.operands.begin() + static_cast<std::ptrdiff_t>(skip),
                                      split.operands.end());
    if (operands.size() < command.leastOperands)
        throw UsageError(command.tooFewOperands.data());
    if (operands.size() > command.mostOperands)
        throw UsageError(QT_TRANSLATE_NOOP("findTavla", "too many arguments for %1: %2"),
                         {text(command.words), text(operands[command.mostOperands])});
    return operands;
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
    const CommandSpec& declared = findCommand(split.operands);
    checkOptions(split, declared);
    const std::vector<std::string> operands = operandsAfterWords(split, declared);
    command.action = declared.action;
    for (const auto& [name, value] : split.options)
        findOption(name)->apply(command, value);
    if (declared.apply != nullptr)
        declared.apply(command, operands);
    if (command.jgd2000 && command.datum == workspace::Datum::Japanese)
        throw UsageError(QT_TRANSLATE_NOOP("findTavla",
                                           "--jgd2000 names a realisation of the world datum; it "
                                           "does not go with --datum 1"));
    return command;
}

} // namespace ft::cli
