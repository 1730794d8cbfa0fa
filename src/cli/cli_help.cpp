#include "cli/cli_command.h"

namespace ft::cli {

const char* helpText()
{
    return R"(Usage: findTavla-cli [OPTION]... files [--format F]
  or:  findTavla-cli [OPTION]... search parcels [--oaza T] [--koaza T] [--chiban T] [--owner T] [--kana T] [--mode M] [--format F]
  or:  findTavla-cli [OPTION]... search maps|fpoints|zpoints [T] [--mode M] [--format F]
  or:  findTavla-cli [OPTION]... delete-all --yes
  or:  findTavla-cli [OPTION]... export OUT.gpkg (--all | --drawing FILENO...) [--jgd2000]
  or:  findTavla-cli [--verbose|--quiet] [--no-trace] register PATH...
  or:  findTavla-cli --help|--version
Register, search and export Japanese cadastral survey data sets (地籍データ)
without windows.

Works on the same catalogues, working files and settings as findTavla:
catalogues and working files in $XDG_DATA_HOME/findTavla (default
~/.local/share/findTavla), settings in $XDG_CONFIG_HOME/findTavla (default
~/.config/findTavla).

Options:
  --datum 1|2   1 = 日本測地系 (Japanese datum), 2 = 世界測地系 (world datum).
                Default: the current datum saved by findTavla. The choice is
                used for this run only and is not saved. Not for register.
  --verbose     Write every status text of the registration to standard
                error, one per line, as findTavla shows them in its status bar.
  --quiet       Write only errors: no progress, notes, count line or
                "見つかりません".
  --no-trace    Write no trace logs (test.log, test2.log) in this run, whatever
                the settings file says.
  --format F    How files and search write their rows: tsv (the default),
                csv or json (see Output).

Commands:
  files         The registered drawings, as the drawing list shows them:
                PATH, FILENO, CREATER, CHIKU, SOKU, ordered by FILENO.
  search parcels
                Parcels (CHIBAN) matching every given field: --oaza (OOAZA),
                --koaza (KOAZA), --chiban (CHIBAN), --owner (SNAME), --kana
                (KNAME). No field lists every parcel. Columns OOAZA, KOAZA,
                CHIBAN, SNAME, KNAME, FILENO, MODE (the record's kind: 筆,
                所有者 or 一団), ordered by oaza, koaza and lot number. The owner kana matches in hiragana, katakana or
                half-width katakana alike (やまだ, ヤマダ and ﾔﾏﾀﾞ find each
                other).
  search maps [T]
                Map sheets (MAPNAME) matching T: columns MAPNAME, SCALE, KUBUN,
                FILENO, in FILENO order. Without T, every map sheet.
  search fpoints [T]
                Boundary points (FTEN) whose TENNAME matches T: TENNAME,
                FILENO. Without T, every boundary point.
  search zpoints [T]
                Control points (ZTEN) whose TENNAME matches T: TENNAME,
                FILENO. Without T, every control point.
  delete-all --yes
                Deletes every registration of the datum: its catalogue rows
                and its overview working files. The other datum is kept.
                Prints the number of drawings deleted followed by
                "件削除しました"; the rows of each table and the files
                removed go to standard error.
  register PATH...
                Registers survey data sets, each into the catalogue of its own
                datum (so no --datum). A folder is walked for .hed files that
                have their .pol, .pnt and .atr siblings; every set whose header
                names datum 1 or 2 is registered, and the count of sets
                registered is printed followed by "件登録しました". A .hed
                file is registered alone. "<path>は登録できません" is printed
                once for each set or path that could not be registered; its
                reason goes to standard error. A set registered already is
                said so on standard error and counts as done. Paths are taken
                as absolute paths, as the catalogue records them.
                When standard error is a terminal, one line there shows the
                progress in place: sets done of sets found, the set being
                read, catalogue rows written per second and the time left;
                it is erased when the count line is printed. Otherwise only
                the failures and the count line are written.
  export OUT.gpkg (--all | --drawing FILENO...) [--jgd2000]
                Writes registered drawings of the datum into a GeoPackage for
                desktop GIS: every one (--all) or those numbered (FILENO, as
                "files" lists them). Layers: drawings (path, creator,
                district, zone, bounding box), parcels (one per .atr record:
                oaza, koaza, lot, owner, kana, the .cos owners joined in
                co_owners), undetermined_parcels (.und, with their group, no
                geometry), boundary_points, control_points, map_sheets,
                sheet_frames. Each drawing is written, never reprojected, in
                the plane rectangular system of its zone (header field KEI,
                1-19): datum 1 as Tokyo, EPSG 30161-30179; datum 2 as
                JGD2011, EPSG 6669-6687, or with --jgd2000 as JGD2000, EPSG
                2443-2461. x is the easting (survey Y), y the northing
                (survey X). Drawings in several zones: every layer once per
                system, its name ending in the EPSG code (parcels_6677,
                parcels_6678). A parcel whose outline is missing, names
                missing points or does not close is a row without geometry
                (its column "outline" says why), counted in the report. A
                drawing whose header has no zone 1-19 is refused on standard
                error and the others are exported. OUT.gpkg is replaced only
                when the export is complete. The report goes to standard
                output.

Searches: --mode says how every search compares, as the matching-mode
buttons of the windows do: exact (完全一致, the whole text), prefix (先頭一致,
text that begins with the value; the default, as in the windows) or contains
(あいまい, text that holds the value). In prefix and contains mode, % and _
in a value match any text and any one character. Values are UTF-8 text and
are compared as findTavla compares what is typed into its windows: first
spelled as CP932 spells it (an input method's 〜 finds the stored ～), then,
except --oaza and --koaza, folded to half width as registration stores them,
so １０１ finds lot 101.

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
     when the output cannot be written, and when register or delete-all
     meets a registration that findTavla or another findTavla-cli is
     running on the same folders
)";
}

} // namespace ft::cli
