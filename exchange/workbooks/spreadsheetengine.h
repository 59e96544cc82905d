#pragma once
// The application behind a TopofCalc: it is started once per spreadsheet, receives the finished
// document and stores it as an Excel 97 workbook.
#include "exchange/workbooks/spreadsheetdocument.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvena {

// A named argument of the office suite's store call ("FilterName" and the like).
struct PropertyValue
{
    std::string Name;
    std::string Value;
};

class SpreadsheetEngine
{
public:
    virtual ~SpreadsheetEngine() = default;
    // TopofCalc's engine number: 2 the Excel engine, 3 the office suite.
    virtual int kind() const = 0;
    // Stores doc under fileName (UTF-8). Throws Error when the workbook cannot be written.
    virtual void store(const SpreadsheetDocument &doc, const std::string &fileName,
                       const std::vector<PropertyValue> &arguments) = 0;
    // Shuts the engine down; never throws.
    virtual void quit() noexcept {}
};

// Starts engine 2 or 3; returns nullptr when that engine is not there.
using EngineStarter = std::function<std::unique_ptr<SpreadsheetEngine>(int kind)>;

} // namespace tarvena
