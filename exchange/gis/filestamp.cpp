#include "exchange/gis/filestamp.h"

#include "exchange/workbooks/outputfile.h"
#include "storage/error.h"

#include <chrono>
#include <cstdio>

namespace tarvena::gis {

namespace {

std::string utcText(std::chrono::sys_time<std::chrono::nanoseconds> time)
{
    using namespace std::chrono;
    const sys_days day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss<nanoseconds> clock(time - day);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%09lldZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()),
                  static_cast<long long>(clock.subseconds().count()));
    return text;
}

} // namespace

FileStamp fileStamp(const std::filesystem::path &path)
{
    std::error_code error;
    FileStamp stamp;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error) {
        stamp.size = static_cast<std::int64_t>(size);
        const auto modified = std::filesystem::last_write_time(path, error);
        if (!error)
            stamp.modified = utcText(std::chrono::time_point_cast<std::chrono::nanoseconds>(
                std::chrono::file_clock::to_sys(modified)));
    }
    if (error)
        throw Error("Не удалось прочитать файл " + pathToUtf8(path) + ": " + error.message() + ".");
    return stamp;
}

} // namespace tarvena::gis
