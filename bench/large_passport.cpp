// Writes the large passport of the benchmarks (100,000 contour points, 20 MB of attachments) for the
// memory script: large_passport OUT.psp
#include "tests/support/samplepassport.h"

#include <cstdio>
#include <cstring>
#include <exception>

int main(int argc, char **argv)
{
    const char usage[] = "usage: large_passport OUT.psp\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    // A name that starts with a dash is an option this program does not have, not a file to write.
    if (argc != 2 || argv[1][0] == '-') {
        if (argc == 2)
            std::fprintf(stderr, "large_passport: unknown option %s\n", argv[1]);
        std::fputs(usage, stderr);
        return 2;
    }
    try {
        tarvena::TDataModule2 dm;
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        tarvena::testing::fillSamplePassport(dm, tarvena::testing::largeSampleSpec());
        dm.SavePassport(argv[1]);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
