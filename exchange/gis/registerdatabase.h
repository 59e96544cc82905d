#pragma once
// The register's tables in a PostgreSQL database with PostGIS, written through GDAL's PostgreSQL
// driver: a schema with "passports" and "contours", changed in one transaction that no other run
// on the same schema can share.
#include "exchange/gis/vectorfile.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvena::gis {

// What the register keeps of a passport file to tell whether it changed since.
struct StoredIdentity
{
    std::optional<std::int64_t> size; // none: no file was read (the row holds why)
    std::string modified;             // UTC, "2026-12-11T04:09:04.123456789Z"
    std::string sha256;               // lower-case hexadecimal
    std::string error;                // the row's error, empty for a passport read
};

// The identity columns of the passports' table, after the register's own.
std::vector<Attribute> identityAttributes();

class RegisterDatabase
{
public:
    // Connects (connection as GDAL takes it: "PG:dbname=… host=… user=…"), checks that the database
    // is UTF-8 and has PostGIS, begins the transaction and takes the schema's lock. Throws Error,
    // also when another run holds the lock.
    RegisterDatabase(const std::string &connection, const std::string &schema);
    ~RegisterDatabase(); // without commit() nothing of this run stays
    RegisterDatabase(const RegisterDatabase &) = delete;
    RegisterDatabase &operator=(const RegisterDatabase &) = delete;

    // Makes the schema and its tables when missing; the contours of an existing register must be in
    // crs. Then passports() and contours() take rows.
    void prepare(int crs);
    // By file name, the identities the register holds.
    std::map<std::string, StoredIdentity> identities();
    // Removes the rows of these files and their contours.
    void remove(const std::vector<std::string> &fileNames);
    // A file whose bytes did not change got a new modification time.
    void setModified(const std::string &fileName, const std::string &modified);
    VectorLayer &passports();
    VectorLayer &contours();
    void commit();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tarvena::gis
