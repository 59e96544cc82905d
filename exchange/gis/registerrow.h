#pragma once
// One row of the register of passports: what a list of prepared objects shows of a passport.
#include "exchange/gis/vectorfile.h"

#include <string>
#include <vector>

namespace tarvena {
class TDataModule2;
struct ProductiveHorizon;
} // namespace tarvena

namespace tarvena::gis {

struct RegisterColumn
{
    Attribute attribute; // the column of the GeoPackage table
    const char *caption; // the heading of the workbook (UTF-8)
};

// FILENAME first and ERROR last.
const std::vector<RegisterColumn> &registerColumns();

// The row of the open passport, whose horizons are given: a value per column, ERROR empty.
std::vector<AttributeValue> registerRow(TDataModule2 &dm, const std::string &fileName,
                                        const std::vector<ProductiveHorizon> &horizons);
// The row of a passport that could not be read: its file name and the error alone.
std::vector<AttributeValue> registerErrorRow(const std::string &fileName, const std::string &error);

// A value as the workbook shows it (code page 1251).
std::string registerCellText(const AttributeValue &value);

} // namespace tarvena::gis
