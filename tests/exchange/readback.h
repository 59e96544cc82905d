#pragma once
// Reads a written workbook back through an independent reader (xlrd, by xlrd_check.py) and keeps
// what the tests compare: texts, bold, wrap and prefix flags, column widths, row heights, and the
// structure problems the script's record walk found.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarvena::testing {

struct ReadCell
{
    int row = 0; // 0-based, as in the file
    int column = 0;
    std::string text; // UTF-8
    bool bold = false;
    bool wrap = false;
    bool prefix = false;
    bool blank = false;
};

struct ReadSheet
{
    std::string name; // UTF-8
    int rows = 0;
    int columns = 0;
    std::vector<ReadCell> cells;
    std::map<int, int> widths; // column -> 1/256 characters
    std::set<int> hidden;
    std::map<int, int> heights; // row -> twips
    // The cell at 1-based row and column, or nullptr.
    const ReadCell *cell(int row, int column) const;
};

struct ReadWorkbook
{
    std::vector<ReadSheet> sheets;
    std::vector<std::string> warnings;
    std::vector<std::string> problems;
    int maxRecord = 0;
};

ReadWorkbook readWorkbook(const std::filesystem::path &file);

// The compound file alone: size and CRC-32 of its Workbook stream, and the entries a strict reader
// lists (empty when that reader is not installed).
struct ReadContainer
{
    long long size = 0;
    unsigned long crc32 = 0;
    std::vector<std::string> entries;
};
ReadContainer readContainer(const std::filesystem::path &file);

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path &path() const { return mPath; }
    std::string file(const std::string &name) const;

private:
    std::filesystem::path mPath;
};

} // namespace tarvena::testing
