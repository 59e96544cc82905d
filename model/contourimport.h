#pragma once
// Reading a trap contour from text: one point per line, the coordinates in two columns of words, read
// as the horizon's coordinate system writes them and checked against the territory of Russia. The
// whole text is read before anything is changed, so a refused line leaves the old contour in place.
// Texts are code page 1251.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvena {

struct ContourPoint
{
    double x = 0;
    double y = 0;
};

// The import dialog's settings.
struct ContourImportSettings
{
    int system = 0;    // the horizon's KONTURKOORDTYPE
    int startLine = 1; // 1-based first line read; lines before it are headers
    int lineCount = 0; // lines read at most, 0 to the end of the text
    int xColumn = 1;   // 1-based columns of the longitude (easting) and latitude (northing)
    int yColumn = 2;
    // Projections: the zone text is written before the X word (always for Mercator; for Gauss-Krüger
    // unless the zone is part of the coordinates).
    bool zoneGiven = true;
    std::string zone;
};

// Why an import stopped before the end of its lines; the old contour stays then.
enum class ImportStop
{
    None,
    NoSystem,         // the horizon has no coordinate system
    OutsideTerritory, // a point outside the territory bounds
    BadDegMinSec,     // a degrees-minutes-seconds word that does not read
    NothingRead,      // every line read was refused as no number of the system (the wrong system, most
                      // likely): an empty contour would lose the old one to a mistake
    Damaged           // a line without both words ends the data while lines with words follow it: the
                      // text was cut or spoilt (a NUL where a separator belongs), and reading on would
                      // keep only the points before it
};

// A line whose words are not numbers of the system: it adds nothing.
struct BadNumberLine
{
    int line = 0;       // 1-based
    std::string reason; // what is wrong, UTF-8: «"nan" не является числом»
};

struct ContourImportResult
{
    // The points read; when the import stopped, those read before the stop (not to be stored).
    std::vector<ContourPoint> points;
    // Lines whose words are not numbers of the system, in order.
    std::vector<BadNumberLine> badNumberLines;
    ImportStop stop = ImportStop::None;
    int stopLine = 0;      // 1-based line that stopped the import
    std::string stopText;  // that line as it was read
    std::string stopError; // the reading error of a degrees-minutes-seconds word (UTF-8)
    bool complete() const { return stop == ImportStop::None; }
};

// The lines of a text: CR LF, LF or CR end a line; a line end at the very end starts no new line.
std::vector<std::string_view> textLines(std::string_view text);

// Word number column (1-based) of a line. Words are runs of characters other than TAB, blank, comma and
// semicolon; runs of these count as one separator. Empty when column is below 1 or past the words.
std::string_view columnWord(std::string_view line, int column);

// The territory bounds: kind 1 geographic degrees, 2 Mercator, 3 Gauss-Krüger (projected X carries the
// zone number in its millions). Bounds are inclusive.
bool CheckTerritory(int kind, double x, double y);

// Reads the points of lines from settings.startLine on, at most settings.lineCount of them (0: all),
// until a line lacks either word or the import stops. A line without words (or only lines without
// words) after it is how a text ends; a line with words after it makes the stop Damaged. Throws Error
// for a start line below 1 or a negative line count.
ContourImportResult readContour(const std::vector<std::string_view> &lines,
                                const ContourImportSettings &settings);

// The zone controls of the import dialog for the horizon's coordinate system: the zone list with the
// choice "Указать номер зоны" (selected whenever it is enabled), and the choice "Номер зоны указан в
// координатах". Nullopt for a system that leaves them as they are.
struct ImportZoneControls
{
    bool zoneListEnabled = false;
    bool zoneInCoordinatesEnabled = false;
    // A new zone list whose first entry becomes the zone; empty keeps the list and the zone.
    std::vector<std::string> zones;
};
std::optional<ImportZoneControls> importZoneControls(int system);

// What an import tells the user, in order. Texts are UTF-8.
struct ImportNotice
{
    enum Kind
    {
        Warning, // a warning box with its own caption
        Error,   // the standard error box
        Message  // a simple message
    };
    Kind kind;
    std::string caption;
    std::string text;
    // The contour page is to be shown once the box is closed.
    bool showContourPage = false;
};
std::vector<ImportNotice> importNotices(const ContourImportResult &result);

} // namespace tarvena
