// Replacing a file through a temporary beside it: the temporary carries the saving process's ID, and a
// save sweeps the temporaries of its own target that saves of processes gone (killed) left behind.
#include "storage/filereplacement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarvena;

namespace {

namespace fs = std::filesystem;

TEST(FileReplacement, SweepsOnlyTheTemporariesOfItsTargetWhoseProcessIsGone)
{
    const fs::path dir = fs::temp_directory_path() / ("tarvena-replace-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path target = dir / "passport.psp";
    std::ofstream(target) << "old";

    // The temporary's name: ".~tv", the target's hash, "-", this process's ID, "-", four hex digits.
    std::string prefix;
    {
        FileReplacement probe(target.string());
        const std::string name = fs::path(probe.temporaryPath()).filename().string();
        prefix = name.substr(0, 13);
        EXPECT_EQ(name.substr(13, name.size() - 22), std::to_string(::getpid())) << name;
    }
    const std::string dead = "2147483000"; // beyond any process ID the system gives
    struct Leftover
    {
        std::string name;
        bool swept;
    };
    const Leftover leftovers[] = {
        {prefix + dead + "-0a1b.tmp", true},
        {prefix + "999999999-ffff.tmp", true},
        {prefix + std::to_string(::getppid()) + "-0a1b.tmp", false}, // a save still running
        {prefix + std::to_string(::getpid()) + "-0a1c.tmp", false},  // this process's own
        {".~tv00000000-" + dead + "-0a1b.tmp", false},               // another target's
        {".~tv0123abcd.tmp", false},                                 // no process named
        {prefix + dead + "-0a1b.tmp.keep", false},
        {prefix + "12x4-0a1b.tmp", false},
    };
    for (const Leftover &leftover : leftovers)
        std::ofstream(dir / leftover.name) << "partial";
    fs::create_directory(dir / (prefix + dead + "-0a1d.tmp")); // not a file: left alone

    FileReplacement save(target.string());
    std::fputs("new", save.file());
    save.commit();

    for (const Leftover &leftover : leftovers)
        EXPECT_EQ(fs::exists(dir / leftover.name), !leftover.swept) << leftover.name;
    EXPECT_TRUE(fs::is_directory(dir / (prefix + dead + "-0a1d.tmp")));
    std::ifstream in(target);
    std::string content;
    in >> content;
    EXPECT_EQ(content, "new");
    fs::remove_all(dir);
}

} // namespace
