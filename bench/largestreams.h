#pragma once
// The uncompressed table streams of blocks 1 to 4 of the large passport of the benchmarks, and its
// block 5 as stored.
#include "model/datamodule.h"
#include "storage/stream.h"
#include "storage/tablestream.h"

#include <zlib.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvena::bench {

inline std::vector<std::string> plainTableStreams(TDataModule2 &dm)
{
    auto plain = makeStreamFormat2();
    plain->RawBlobs = false;
    std::vector<std::string> streams;
    const auto tables = dm.passportTables();
    for (int i = 0; i < 4; ++i) {
        tables[i]->DefaultFormat = plain.get();
        MemoryStream out;
        tables[i]->SaveToStream(out);
        streams.push_back(out.toString());
        tables[i]->DefaultFormat = dm.Format1.get();
    }
    return streams;
}

inline std::string filesBlock(TDataModule2 &dm)
{
    dm.FILES.DefaultFormat = dm.Format2.get();
    MemoryStream files;
    dm.FILES.SaveToStream(files);
    return files.toString();
}

// One gzip member of bytes as zlib writes it at level 9 (raw deflate, 32 KB window, memory level 8),
// which is what gzip -9 does: the floor the program's compression is measured against.
inline std::string zlibMember(std::string_view bytes)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out("\x1F\x8B\x08\0\0\0\0\0\0\0", 10);
    const std::size_t header = out.size();
    out.resize(header + deflateBound(&z, bytes.size()) + 8);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data() + header);
    z.avail_out = static_cast<uInt>(out.size() - header);
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        throw std::runtime_error("deflate");
    std::size_t end = header + z.total_out;
    deflateEnd(&z);
    const uLong crc = crc32_z(0, reinterpret_cast<const Bytef *>(bytes.data()), bytes.size());
    for (const uLong value : {crc, uLong(bytes.size())})
        for (int i = 0; i < 4; ++i)
            out[end++] = static_cast<char>(value >> (8 * i));
    out.resize(end);
    return out;
}

} // namespace tarvena::bench
