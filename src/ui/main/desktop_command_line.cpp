#include "ui/main/desktop_command_line.h"

#include <QCommandLineParser>

namespace ft::app {

DesktopCommandLine readDesktopCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "findTavla registers Japanese cadastral survey data sets (地籍データ) into\n"
        "two catalogues, one per geodetic datum, searches their parcels, owners, map\n"
        "sheets and points, and hands the chosen drawings to the viewer Tavla.\n"
        "findTavla-cli does the same without windows.\n\n"
        "Catalogues and working files are kept in $XDG_DATA_HOME/findTavla (default\n"
        "~/.local/share/findTavla), settings in $XDG_CONFIG_HOME/findTavla (default\n"
        "~/.config/findTavla). The options of Qt (-platform, -style, ...) are taken."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(help);
    parser.addOption(version);
    // Qt's own options are not known here and are no error; read as words
    // ("-stylesheet" is not -s -t -y ... -h ...), and their values, which read
    // as operands, are left alone.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.parse(arguments);

    DesktopCommandLine line;
    if (parser.isSet(help)) {
        line.answer = DesktopCommandLine::Answer::Help;
        // Without an application object the usage line names no program.
        line.text = parser.helpText()
                        .replace(QStringLiteral("<executable_name>"), QStringLiteral("findTavla"))
                        .toStdString();
    } else if (parser.isSet(version)) {
        line.answer = DesktopCommandLine::Answer::Version;
        line.text = "findTavla " FT_VERSION "\n";
    }
    return line;
}

} // namespace ft::app
