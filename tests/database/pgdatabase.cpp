#include "tests/database/pgdatabase.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvena::testing {

PgDatabase::PgDatabase()
{
    const char *state = std::getenv("TARVENA_PG_STATE");
    std::ifstream file(state ? state : "");
    if (!file) {
        mSkip = "no PostgreSQL cluster: run these tests through ctest, whose fixture starts one";
        return;
    }
    for (std::string line; std::getline(file, line);) {
        const std::size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        if (key == "skip")
            mSkip = value;
        else if (key == "bindir")
            mBinDir = value;
        else if (key == "port")
            mPort = value;
    }
}

std::string PgDatabase::connection(const std::string &user, const std::string &database) const
{
    return "PG:dbname=" + database + " host=127.0.0.1 port=" + mPort + " user=" + user;
}

std::string PgDatabase::psql(const std::string &user, const std::string &database) const
{
    return shellQuoted(mBinDir + "/psql") + " -X -q -At -v ON_ERROR_STOP=1 -h 127.0.0.1 -p " + mPort +
           " -U " + user + " -d " + database;
}

CliRun PgDatabase::run(const std::string &sql, const std::string &user) const
{
    return runShell(psql(user) + " -c " + shellQuoted(sql));
}

std::vector<std::string> PgDatabase::rows(const std::string &sql) const
{
    const CliRun result = run(sql);
    if (result.exitCode != 0)
        throw std::runtime_error("psql failed: " + sql + "\n" + result.out);
    std::vector<std::string> lines;
    std::istringstream text(result.out);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

std::string PgDatabase::value(const std::string &sql) const
{
    const std::vector<std::string> lines = rows(sql);
    return lines.empty() ? std::string() : lines.front();
}

} // namespace tarvena::testing
