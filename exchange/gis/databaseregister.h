#pragma once
// The organisation's register in PostgreSQL with PostGIS: the same tables as the GeoPackage's in a
// schema, brought up to date with the folder by reading only the passports that changed.
#include "exchange/gis/passportregister.h"

#include <cstddef>
#include <functional>
#include <string>

namespace tarvena::gis {

struct DatabaseRegisterOptions
{
    RegisterOptions base; // the contours' CRS, the notes and the progress (files done of found)
    std::string schema = "tarvena";
    // Lower-case hexadecimal SHA-256 of a file (UTF-8 path); throws Error when it cannot be read.
    std::function<std::string(const std::string &)> fileDigest;
};

struct DatabaseRegisterResult
{
    std::size_t added = 0;
    std::size_t changed = 0;
    std::size_t removed = 0;
    std::size_t unchanged = 0;
    std::size_t unreadable = 0; // rows with an error, among the others but the removed
    int contours = 0;           // polygons written by this run
};

// Brings the register in the database (connection as GDAL takes it, "PG:…") up to date with the
// passports under folder in one transaction: a file whose size and modification time are as stored
// is not read, nor is one whose SHA-256 is; the others are read with dm and replace their rows; the
// rows of vanished files go. A passport that cannot be read is a row with its error. Throws Error
// (and the register stays as it was) when the folder, the connection or a write fails.
DatabaseRegisterResult updateDatabaseRegister(TDataModule2 &dm, const std::string &folder,
                                              const std::string &connection,
                                              const DatabaseRegisterOptions &options);

// Whether a register destination names a database rather than a file.
bool isDatabaseConnection(const std::string &destination);

} // namespace tarvena::gis
