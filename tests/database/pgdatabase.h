#pragma once
// The PostgreSQL cluster that pgcluster.sh started for the tests, reached through psql.
#include "tests/support/clirun.h"

#include <string>
#include <vector>

namespace tarvena::testing {

class PgDatabase
{
public:
    // Reads the state file the cluster's start left (TARVENA_PG_STATE); skipReason() tells why the
    // tests cannot run when it holds no cluster.
    PgDatabase();
    const std::string &skipReason() const { return mSkip; }

    // "PG:…" for the register, as user.
    std::string connection(const std::string &user = "tarvena_admin",
                           const std::string &database = "tarvena_test") const;
    // The psql command line as user, statements to follow (-c) or a script.
    std::string psql(const std::string &user = "tarvena_admin",
                     const std::string &database = "tarvena_test") const;
    // Runs the SQL; the rows with "|" between the values. Throws on an error.
    std::vector<std::string> rows(const std::string &sql) const;
    std::string value(const std::string &sql) const;
    // Runs the SQL as user; the exit code and what psql said.
    CliRun run(const std::string &sql, const std::string &user = "tarvena_admin") const;

private:
    std::string mBinDir;
    std::string mPort;
    std::string mSkip;
};

} // namespace tarvena::testing
