#include "exchange/gis/databaseregister.h"

#include "exchange/gis/filestamp.h"
#include "exchange/gis/registerdatabase.h"
#include "exchange/gis/registerpassport.h"
#include "exchange/workbooks/outputfile.h"

#include <set>

namespace tarvena::gis {

namespace fs = std::filesystem;

namespace {

// What this run does with one file's row.
struct Plan
{
    PassportFile file;
    bool write = false; // read the file (when it is one) and write its row anew
    std::optional<FileStamp> stamp;
    std::string sha256;
};

std::vector<AttributeValue> rowWithIdentity(std::vector<AttributeValue> row, const Plan &plan)
{
    row.resize(row.size() + identityAttributes().size());
    if (plan.stamp) {
        auto identity = row.end() - static_cast<std::ptrdiff_t>(identityAttributes().size());
        identity[0] = plan.stamp->size;
        identity[1].emplace<std::string>(plan.stamp->modified);
        identity[2].emplace<std::string>(plan.sha256);
    }
    return row;
}

} // namespace

bool isDatabaseConnection(const std::string &destination)
{
    return destination.size() >= 3 && (destination[0] == 'P' || destination[0] == 'p') &&
           (destination[1] == 'G' || destination[1] == 'g') && destination[2] == ':';
}

DatabaseRegisterResult updateDatabaseRegister(TDataModule2 &dm, const std::string &folder,
                                              const std::string &connection,
                                              const DatabaseRegisterOptions &options)
{
    checkSettings(options.base.crs);
    const std::vector<PassportFile> files = passportFiles(folder);
    const fs::path root = pathFromUtf8(folder);
    RegisterDatabase database(connection, options.schema);
    const int crs = registerCrs(options.base.crs);
    database.prepare(crs);
    const std::map<std::string, StoredIdentity> stored = database.identities();

    // First what changed, from sizes and times (and digests where those differ); nothing is read yet.
    DatabaseRegisterResult result;
    std::vector<Plan> plans;
    std::vector<std::string> replaced;
    std::set<std::string> present;
    for (const PassportFile &file : files) {
        Plan plan;
        plan.file = file;
        present.insert(file.path);
        const auto old = stored.find(file.path);
        const StoredIdentity *identity = old == stored.end() ? nullptr : &old->second;
        if (plan.file.error.empty()) {
            try {
                plan.stamp = fileStamp(root / pathFromUtf8(file.path));
                if (!identity || identity->size != plan.stamp->size ||
                    identity->modified != plan.stamp->modified)
                    plan.sha256 = options.fileDigest(pathToUtf8(root / pathFromUtf8(file.path)));
            } catch (const std::exception &e) {
                plan.file.error = e.what();
                plan.stamp.reset();
            }
        }
        if (!identity)
            plan.write = true;
        else if (plan.stamp && plan.sha256.empty())
            plan.write = false; // size and time as stored
        else if (plan.stamp && identity->sha256 == plan.sha256)
            database.setModified(file.path, plan.stamp->modified); // touched, not changed
        else
            plan.write = plan.stamp || identity->size || identity->error != plan.file.error;
        if (plan.write && identity)
            replaced.push_back(file.path);
        (plan.write ? (identity ? result.changed : result.added) : result.unchanged) += 1;
        if (!plan.write && !identity->error.empty())
            ++result.unreadable;
        plans.push_back(std::move(plan));
    }
    for (const auto &[fileName, identity] : stored)
        if (!present.contains(fileName)) {
            replaced.push_back(fileName);
            ++result.removed;
        }
    database.remove(replaced);

    // Then the passports that changed are read and written.
    std::size_t done = 0;
    for (const Plan &plan : plans) {
        if (plan.write) {
            const RegisterEntry entry = readRegisterEntry(dm, root, plan.file);
            database.passports().add(rowWithIdentity(entry.row, plan), nullptr);
            if (entry.read)
                result.contours += addRegisterContours(database.contours(), crs, options.base, dm,
                                                       plan.file.path, entry.horizons);
            else
                ++result.unreadable;
        }
        if (options.base.progress)
            options.base.progress(++done, plans.size());
    }
    database.commit();
    return result;
}

} // namespace tarvena::gis
