// Writes the large passport of the benchmarks (100,000 contour points, 20 MB of attachments) for the
// memory script: large_passport OUT.psp
#include "tests/support/samplepassport.h"

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: large_passport OUT.psp\n");
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
