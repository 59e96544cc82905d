#pragma once
// The commands that need the GIS libraries run in tarvena-gis, beside tarvena-cli, so every other
// command starts without loading them (they more than double a small command's memory).
namespace tarvena::cli {

// True for the commands tarvena-gis runs.
bool isGisCommand(const char *name);
// Replaces this process by tarvena-gis with the same arguments; returns only when that failed, with
// the exit code after telling why.
int handOffToGisTool(int argc, char **argv);

} // namespace tarvena::cli
