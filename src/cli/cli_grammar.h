#pragma once

// The commands and options of findTavla-cli, each declared once: the parser
// reads the command line with these tables, and the usage lines and --help
// (and so the manual page made from it) are written from them.

#include "cli/cli_command.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ft::cli {

// A set of commands, one bit per CliAction.
using CommandSet = unsigned;

constexpr CommandSet commandBit(CliAction action)
{
    return 1u << static_cast<unsigned>(action);
}

// How a command takes an option: it may be left out, must be given, or
// exactly one of the command's OneOf options must be given.
enum class Presence { Optional, Required, OneOf };

struct OptionSpec {
    std::string_view name;
    // The value it takes, as the usage names it ("1|2", "T"); empty for a flag.
    std::string_view value;
    // For a flag followed by operands, how the usage shows them ("FILENO...").
    std::string_view operandsAfter;
    CommandSet commands;
    Presence presence;
    // Shown as [OPTION]... in the usage lines rather than after the command.
    bool general;
    // --help's text; an option of one command only is told under it.
    std::string_view help;
    // Reads the option into the command (the value is "" for a flag).
    // Throws UsageError.
    void (*apply)(CliCommand& command, const std::string& value);
};

struct CommandSpec {
    CliAction action;
    std::string_view words; // "files", "search parcels"
    // The operands after the words as the usage shows them ("[T]", "PATH...").
    std::string_view operands;
    std::size_t leastOperands;
    std::size_t mostOperands; // kManyOperands: no limit
    // The refusal when fewer operands than leastOperands are given.
    std::string_view tooFewOperands;
    std::string_view help;
    // Reads the operands after the words into the command, after its
    // options. Throws UsageError.
    void (*apply)(CliCommand& command, const std::vector<std::string>& operands);
};

inline constexpr std::size_t kManyOperands = static_cast<std::size_t>(-1);

std::span<const OptionSpec> optionSpecs();
std::span<const CommandSpec> commandSpecs();

// The option of that name, or null.
const OptionSpec* findOption(std::string_view name);

constexpr bool appliesTo(const OptionSpec& option, CliAction action)
{
    return (option.commands & commandBit(action)) != 0;
}

} // namespace ft::cli
