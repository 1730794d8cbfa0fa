#include "viewer/command_line.h"
#include "core/platform/path_text.h"

#include <algorithm>
#include <cctype>

namespace ft::viewer {

namespace {

bool isHeaderName(const std::filesystem::path& path)
{
    std::string extension = platform::pathText(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".hed";
}

bool isHelp(const std::string& argument)
{
    return argument == "--help" || argument == "-h";
}

} // namespace

bool asksForHelp(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(), isHelp);
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments, OtherOptions otherOptions)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (isHelp(argument)) {
            line.help = true;
        } else if (argument == "-E2") {
            if (line.requestFile) {
                line.error = "-E2 may be given once";
            } else if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                line.error = "-E2 needs the request file";
            } else {
                line.requestFile = arguments[++i];
            }
        } else if (!argument.empty() && argument.front() == '-') {
            if (otherOptions == OtherOptions::Refuse)
                line.error = "unknown option " + argument;
        } else if (!argument.empty()) {
            // A drawing path as registered (the header without ".hed") names
            // its header too.
            const std::filesystem::path path = platform::pathFromText(argument);
            line.headers.push_back(isHeaderName(path) ? path
                                                      : platform::pathFromText(argument + ".hed"));
        }
        if (!line.error.empty())
            return line;
    }
    return line;
}

const char* helpText()
{
    return R"(Usage:
  Tavla -E2 REQUEST_FILE   show what a request file (TAVLA.E2) asks for
  Tavla PATH.hed ...       open survey data sets by their header files
  Tavla                    an empty window; 開く (Ctrl+O) opens .hed files
  Tavla --help | --version

Tavla is the drawing viewer of findTavla. findTavla starts it with -E2 and
the request file it has just written (in $XDG_CONFIG_HOME/findTavla, default
~/.config/findTavla/TAVLA.E2) after 図面表示 in a result window, a click on
the overview or the registered drawing list; it looks for Tavla beside its
own executable first, then on PATH.

The request file (CP932, CR LF) names the drawings to open (code 0, the
registered path: the header path without ".hed") and what to show in them:
  1  a whole drawing
  2  a parcel (oaza, koaza, lot number) or a map sheet (name, scale, kind)
  3  the sheet under a click on the overview
  4  a boundary point
  5  a control point
Requested items are filled or ringed in a highlight colour and listed in the
side panel, grouped by drawing; the first view fits them (the whole drawings
when nothing more specific was asked). Items that are not in the data are
listed in grey with the reason.

Each data set is read from its header and siblings of the same base name:
.pnt boundary points, .pol parcel outlines, .atr parcels (.und grouped
parcels), .map map sheets, .zo1/.zo2 sheet frames, .tcp control points; the
.cos owner lists once the first view is up. An outline belongs to the parcel
whose first field (.atr) equals the outline header's first number, when the
header's oaza name and lot number agree with that parcel. Files, records and
links that cannot be read are listed under 問題; the rest is shown. An .atr or
.cos file changed or removed between the two reads is told there instead.

In the window: wheel zooms around the pointer, dragging pans, + / - zoom,
arrow keys move, Home shows everything, End what was requested; the status
bar shows the pointer's survey coordinates (X northing, Y easting, metres).
The file menu prints, or writes the view as PDF or PNG at a chosen scale;
print and PDF use A4 or A3 paper, and a view larger than one sheet at that
scale takes several numbered, overlapping sheets after a key sheet.

The window opens on the screen under the pointer, or where it was last
closed while that is still on a screen: its place is kept in Tavla.ini in
$XDG_CONFIG_HOME/findTavla (default ~/.config/findTavla).

Exit status: 0 after the window closes, 2 on bad usage.
)";
}

} // namespace ft::viewer
