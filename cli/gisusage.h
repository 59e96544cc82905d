#pragma once
// The commands that need the GIS libraries, which tarvena-gis runs and tarvena-cli hands over to it:
// their names and usage lines, written once for the usage texts of both programs.
#include <array>
#include <string>
#include <string_view>

namespace tarvena::cli {

// In the order the usage texts list them.
inline constexpr std::array<std::string_view, 5> kGisCommands = {"summary", "check", "diff", "export-gis",
                                                                   "register"};

// The usage lines of a GIS command as the program named shows them ("  tarvena-gis summary FILE.psp\n");
// empty for another command.
std::string gisUsageLines(std::string_view program, std::string_view command);

// The options that both programs take anywhere on the line.
extern const char *const kCommonOptionsUsage;

} // namespace tarvena::cli
