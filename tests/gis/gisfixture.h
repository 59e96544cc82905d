#pragma once
// Passports with chosen horizons and contours, built through the real data module.
#include "model/datamodule.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvena::testing {

struct HorizonSpec
{
    std::string name; // UTF-8
    int system = 0;   // KONTURKOORDTYPE; 0 leaves it empty
    std::vector<std::array<double, 2>> points;
    std::optional<double> typedArea;
    int hydrocarbonType = 397;
};

// Appends a horizon and its contour points to the open passport of dm.
void addHorizon(TDataModule2 &dm, const HorizonSpec &spec);

// A data module with the built dictionaries and an empty passport.
std::unique_ptr<TDataModule2> newDataModule();

// Saves a passport named objectName (UTF-8) with these horizons to file.
void writePassport(const std::filesystem::path &file, const std::string &objectName,
                   const std::vector<HorizonSpec> &horizons);

} // namespace tarvena::testing
