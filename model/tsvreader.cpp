#include "model/tsvreader.h"

namespace tarvena {

std::string TsvPlace::text() const
{
    return "\"" + file + "\"" + (line > 0 ? ", строка " + std::to_string(line) : "");
}

namespace {

std::vector<std::string> splitTabs(std::string_view line)
{
    std::vector<std::string> cells;
    for (std::size_t from = 0;;) {
        const std::size_t tab = line.find('\t', from);
        cells.emplace_back(line.substr(from, tab == std::string_view::npos ? tab : tab - from));
        if (tab == std::string_view::npos)
            return cells;
        from = tab + 1;
    }
}

} // namespace

std::vector<TsvLine> splitTsv(std::string_view text, const std::string &file)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<TsvLine> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back({{file, static_cast<int>(lines.size()) + 1}, splitTabs(line)});
    }
    return lines;
}

std::string tsvHeaderText(const std::vector<std::string> &cells)
{
    std::string text;
    for (const std::string &cell : cells)
        text += (text.empty() ? "" : " ") + cell;
    return text + " (через табуляцию)";
}

} // namespace tarvena
