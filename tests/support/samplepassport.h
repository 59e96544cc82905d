#pragma once
// Builds sample passports through the real data module, for tests and benchmarks.
#include "model/datamodule.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvena::testing {

struct SampleSpec
{
    int reflectHorizons = 2;
    int productiveHorizons = 2;
    int pointsPerHorizon = 5;
    std::vector<std::size_t> attachmentSizes = {1000}; // plain sizes; stored gzip-compressed
    unsigned seed = 1;
};

// The large passport of the benchmarks: 20 reflecting and 10 productive horizons, 100,000 contour
// points, 20 MB of attachments.
SampleSpec largeSampleSpec();

// Fills the passport tables of dm (opened, PASPORTS in insert or edit state) and posts everything.
void fillSamplePassport(TDataModule2 &dm, const SampleSpec &spec = {});
// Pseudo-random bytes that do not compress much.
std::string noiseBytes(std::size_t size, unsigned seed);
// UTF-8 to the model's code page.
std::string cp(const char *utf8);
// The folder of the built dictionary files.
std::string dictionaryDir();
// The sample passport that the build makes from data/samples (UTF-8 path).
std::string builtSamplePassport();

} // namespace tarvena::testing
