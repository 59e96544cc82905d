#pragma once
// The size and modification time of a file, as the register keeps them to notice a change.
#include <cstdint>
#include <filesystem>
#include <string>

namespace tarvena::gis {

struct FileStamp
{
    std::int64_t size = 0;
    std::string modified; // UTC to the nanosecond, "2026-12-11T04:09:04.123456789Z"
};

// Throws Error when the file cannot be looked at.
FileStamp fileStamp(const std::filesystem::path &path);

} // namespace tarvena::gis
