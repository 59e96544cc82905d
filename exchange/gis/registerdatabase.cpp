#include "exchange/gis/registerdatabase.h"

#include "exchange/gis/registerpassport.h"
#include "storage/error.h"

#include "exchange/gis/quieterrors.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <mutex>

namespace tarvena::gis {

namespace {

// A schema name the register accepts: what PostgreSQL keeps as typed without quotes.
bool plainIdentifier(const std::string &name)
{
    if (name.empty() || name.size() > 63 || (name[0] >= '0' && name[0] <= '9'))
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

std::string literal(const std::string &text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// The driver's last message without the server's line breaks.
std::string lastGdalError()
{
    std::string message = CPLGetLastErrorType() >= CE_Failure ? CPLGetLastErrorMsg() : "";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

[[noreturn]] void failDatabase(const std::string &what)
{
    const std::string reason = lastGdalError();
    throw Error("Реестр в базе данных: " + what + (reason.empty() ? "" : ": " + reason) + ".");
}

} // namespace

std::vector<Attribute> identityAttributes()
{
    using enum AttributeType;
    return {{"FILESIZE", "FILESIZE", Integer},
            {"FILEMTIME", "FILEMTIME", Text},
            {"FILESHA256", "FILESHA256", Text}};
}

struct RegisterDatabase::Impl
{
    std::string schema;
    GDALDataset *dataset = nullptr;
    bool transaction = false;
    std::unique_ptr<VectorLayer> passports;
    std::unique_ptr<VectorLayer> contours;

    std::string table(const char *name) const { return "\"" + schema + "\".\"" + name + "\""; }

    // Runs a statement; its rows, when it has any, go to row one by one.
    template <typename RowFn> void query(const std::string &sql, const std::string &what, RowFn row)
    {
        CPLErrorReset();
        OGRLayer *result = dataset->ExecuteSQL(sql.c_str(), nullptr, nullptr);
        if (CPLGetLastErrorType() >= CE_Failure) {
            if (result)
                dataset->ReleaseResultSet(result);
            failDatabase(what);
        }
        if (!result)
            return;
        for (auto &feature : *result)
            row(*feature);
        dataset->ReleaseResultSet(result);
    }
    void execute(const std::string &sql, const std::string &what)
    {
        query(sql, what, [](OGRFeature &) {});
    }
    // The first column of the first row of a SELECT; the driver gives rows only to a SELECT with a
    // FROM, so the statement becomes a subquery.
    std::string single(const std::string &sql, const std::string &what)
    {
        std::string value;
        query("SELECT * FROM (" + sql + ") AS single", what, [&](OGRFeature &feature) {
            if (feature.IsFieldSetAndNotNull(0))
                value = feature.GetFieldAsString(0);
        });
        return value;
    }

    ~Impl()
    {
        QuietErrors quiet;
        passports.reset();
        contours.reset();
        if (dataset) {
            if (transaction)
                dataset->RollbackTransaction();
            GDALClose(dataset);
        }
    }
};

RegisterDatabase::RegisterDatabase(const std::string &connection, const std::string &schema)
    : d(std::make_unique<Impl>())
{
    if (!plainIdentifier(schema))
        throw Error("Имя схемы «" + schema +
                    "» не подходит для реестра: нужны строчные латинские буквы, цифры и _, не более 63.");
    static std::once_flag once;
    std::call_once(once, [] { RegisterOGRPG(); });
    // Rows go by COPY, many at a time; the texts are UTF-8 whatever the client's locale.
    CPLSetConfigOption("PG_USE_COPY", "YES");
    CPLSetConfigOption("PGCLIENTENCODING", "UTF8");
    QuietErrors quiet;
    d->schema = schema;
    const char *const drivers[] = {"PostgreSQL", nullptr};
    const std::string schemas = "SCHEMAS=" + schema;
    const char *const openOptions[] = {schemas.c_str(), nullptr};
    d->dataset = static_cast<GDALDataset *>(
        GDALOpenEx(connection.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, drivers, openOptions, nullptr));
    if (!d->dataset)
        failDatabase("не удалось подключиться к базе данных");
    const std::string encoding =
        d->single("SELECT current_setting('server_encoding')", "не удалось узнать кодировку базы данных");
    if (encoding != "UTF8")
        throw Error("Реестр в базе данных: база данных в кодировке " + encoding +
                    ", а реестру нужна UTF8 (CREATE DATABASE … ENCODING 'UTF8').");
    if (d->single("SELECT extversion FROM pg_extension WHERE extname = 'postgis'",
                  "не удалось проверить расширение PostGIS")
            .empty())
        throw Error(
            "Реестр в базе данных: в базе данных нет расширения PostGIS (CREATE EXTENSION postgis;).");
    if (d->dataset->StartTransaction() != OGRERR_NONE)
        failDatabase("не удалось начать транзакцию");
    d->transaction = true;
    // Held to the end of the transaction: a second run on the schema would interleave its changes.
    const std::string locked = d->single(
        "SELECT pg_try_advisory_xact_lock(hashtext('tarvena register'), hashtext(" + literal(schema) + "))",
        "не удалось взять блокировку схемы");
    if (locked != "1" && locked != "t")
        throw Error(
            "Реестр в схеме " + schema +
            " сейчас обновляет другой запуск; этот запуск ничего не изменил. Повторите после его конца.");
}

RegisterDatabase::~RegisterDatabase() = default;

void RegisterDatabase::prepare(int crs)
{
    QuietErrors quiet;
    // A writer that may not create schemas still works in the one made for it.
    if (d->single("SELECT count(*) FROM pg_namespace WHERE nspname = " + literal(d->schema),
                  "не удалось прочитать схемы") == "0")
        d->execute("CREATE SCHEMA \"" + d->schema + "\"", "не удалось создать схему " + d->schema);
    const std::string passportsName = d->schema + ".passports";
    const std::string contoursName = d->schema + ".contours";
    OGRLayer *passports = d->dataset->GetLayerByName(passportsName.c_str());
    OGRLayer *contours = d->dataset->GetLayerByName(contoursName.c_str());
    CPLErrorReset();
    // Names as in the GeoPackage: upper-case columns, fid and geom.
    CPLStringList options;
    options.SetNameValue("LAUNDER", "NO");
    options.SetNameValue("FID", "fid");
    if (!passports)
        passports = d->dataset->CreateLayer(passportsName.c_str(), nullptr, wkbNone, options.List());
    if (!contours) {
        OGRSpatialReference srs;
        if (srs.importFromEPSG(crs) != OGRERR_NONE)
            throw Error("Система координат EPSG:" + std::to_string(crs) + " неизвестна.");
        srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        options.SetNameValue("GEOMETRY_NAME", "geom");
        options.SetNameValue("SPATIAL_INDEX", "GIST");
        contours = d->dataset->CreateLayer(contoursName.c_str(), &srs, wkbPolygon, options.List());
    }
    if (!passports || !contours)
        failDatabase("не удалось создать таблицы в схеме " + d->schema);
    std::vector<Attribute> passportAttributes = registerLayerAttributes();
    for (const Attribute &attribute : identityAttributes())
        passportAttributes.push_back(attribute);
    d->passports = std::make_unique<VectorLayer>(passports, passportAttributes, "таблицу " + passportsName);
    d->contours =
        std::make_unique<VectorLayer>(contours, contourLayerAttributes(), "таблицу " + contoursName);
    // The tables exist from here on: the file names find a passport's rows without a scan.
    d->execute("CREATE UNIQUE INDEX IF NOT EXISTS passports_filename ON " + d->table("passports") +
                   " (\"FILENAME\")",
               "не удалось создать индекс");
    d->execute("CREATE INDEX IF NOT EXISTS contours_filename ON " + d->table("contours") + " (\"FILENAME\")",
               "не удалось создать индекс");
    const std::string srid = d->single("SELECT Find_SRID(" + literal(d->schema) + ", 'contours', 'geom')",
                                       "не удалось узнать систему контуров");
    if (srid != std::to_string(crs))
        throw Error("Контуры реестра в схеме " + d->schema + " записаны в EPSG:" + srid +
                    ", а не в EPSG:" + std::to_string(crs) +
                    ": укажите ту же систему (--target-crs) или другую схему (--schema).");
}

std::map<std::string, StoredIdentity> RegisterDatabase::identities()
{
    QuietErrors quiet;
    std::map<std::string, StoredIdentity> stored;
    d->query("SELECT \"FILENAME\", \"FILESIZE\", \"FILEMTIME\", \"FILESHA256\", \"ERROR\" FROM " +
                 d->table("passports"),
             "не удалось прочитать реестр", [&](OGRFeature &row) {
                 StoredIdentity &identity = stored[row.GetFieldAsString(0)];
                 if (row.IsFieldSetAndNotNull(1))
                     identity.size = row.GetFieldAsInteger64(1);
                 identity.modified = row.GetFieldAsString(2);
                 identity.sha256 = row.GetFieldAsString(3);
                 identity.error = row.GetFieldAsString(4);
             });
    return stored;
}

void RegisterDatabase::remove(const std::vector<std::string> &fileNames)
{
    QuietErrors quiet;
    constexpr std::size_t Batch = 500;
    for (std::size_t start = 0; start < fileNames.size(); start += Batch) {
        std::string list;
        for (std::size_t i = start; i < fileNames.size() && i < start + Batch; ++i)
            list += (list.empty() ? "" : ",") + literal(fileNames[i]);
        for (const char *table : {"passports", "contours"})
            d->execute("DELETE FROM " + d->table(table) + " WHERE \"FILENAME\" IN (" + list + ")",
                       "не удалось удалить прежние строки");
    }
}

void RegisterDatabase::setModified(const std::string &fileName, const std::string &modified)
{
    QuietErrors quiet;
    d->execute("UPDATE " + d->table("passports") + " SET \"FILEMTIME\" = " + literal(modified) +
                   " WHERE \"FILENAME\" = " + literal(fileName),
               "не удалось обновить строку");
}

VectorLayer &RegisterDatabase::passports()
{
    return *d->passports;
}

VectorLayer &RegisterDatabase::contours()
{
    return *d->contours;
}

void RegisterDatabase::commit()
{
    QuietErrors quiet;
    if (d->dataset->CommitTransaction() != OGRERR_NONE || CPLGetLastErrorType() >= CE_Failure)
        failDatabase("не удалось завершить транзакцию, реестр остался прежним");
    d->transaction = false;
}

} // namespace tarvena::gis
