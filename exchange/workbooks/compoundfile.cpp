#include "exchange/workbooks/compoundfile.h"

#include "storage/error.h"

#include <algorithm>
#include <array>

namespace tarvena::xls {

namespace {

constexpr std::size_t SectorSize = 512;
constexpr std::uint32_t EntriesPerSector = SectorSize / 4;
constexpr std::uint32_t HeaderDifatSlots = 109;
constexpr std::uint32_t DifatPerSector = EntriesPerSector - 1; // the last entry links the next one
constexpr std::uint32_t MaxStreamSize = 0x7FFFFFFF;            // version 3 keeps sizes in 31 bits

constexpr std::uint32_t FreeSect = 0xFFFFFFFF;
constexpr std::uint32_t EndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t FatSect = 0xFFFFFFFD;
constexpr std::uint32_t DifSect = 0xFFFFFFFC;
constexpr std::uint32_t NoStream = 0xFFFFFFFF;

using Sector = std::array<std::uint8_t, SectorSize>;

void put16(std::uint8_t *p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(std::uint8_t *p, std::uint32_t v)
{
    put16(p, static_cast<std::uint16_t>(v));
    put16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

void writeSector(std::ostream &out, const Sector &sector)
{
    out.write(reinterpret_cast<const char *>(sector.data()), SectorSize);
}

// Sector plan: the stream, then the FAT, then the DIFAT extension, then one directory sector.
struct Layout
{
    std::uint32_t streamSectors = 0;
    std::uint32_t fatSectors = 0;
    std::uint32_t difatSectors = 0;
    std::uint32_t firstFat() const { return streamSectors; }
    std::uint32_t firstDifat() const { return streamSectors + fatSectors; }
    std::uint32_t directory() const { return streamSectors + fatSectors + difatSectors; }
    std::uint32_t total() const { return directory() + 1; }
};

Layout planLayout(std::uint64_t streamSize)
{
    Layout layout;
    layout.streamSectors = static_cast<std::uint32_t>((streamSize + SectorSize - 1) / SectorSize);
    // The smallest FAT that also maps its own sectors, the DIFAT and the directory.
    for (layout.fatSectors = 1;; ++layout.fatSectors) {
        const std::uint32_t beyond =
            layout.fatSectors > HeaderDifatSlots ? layout.fatSectors - HeaderDifatSlots : 0;
        layout.difatSectors = (beyond + DifatPerSector - 1) / DifatPerSector;
        if (std::uint64_t(layout.fatSectors) * EntriesPerSector >= layout.total())
            return layout;
    }
}

std::uint32_t fatEntry(const Layout &layout, std::uint32_t sector)
{
    if (sector < layout.streamSectors)
        return sector + 1 == layout.streamSectors ? EndOfChain : sector + 1;
    if (sector < layout.firstDifat())
        return FatSect;
    if (sector < layout.directory())
        return DifSect;
    if (sector == layout.directory())
        return EndOfChain;
    return FreeSect;
}

Sector header(const Layout &layout)
{
    Sector h{};
    static constexpr std::uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(std::begin(signature), std::end(signature), h.begin());
    put16(&h[0x18], 0x003E); // minor version
    put16(&h[0x1A], 0x0003); // major version 3
    put16(&h[0x1C], 0xFFFE); // little-endian
    put16(&h[0x1E], 9);      // 512-byte sectors
    put16(&h[0x20], 6);      // 64-byte mini sectors
    put32(&h[0x2C], layout.fatSectors);
    put32(&h[0x30], layout.directory());
    put32(&h[0x38], MiniStreamCutoff);
    put32(&h[0x3C], EndOfChain); // no mini FAT
    put32(&h[0x44], layout.difatSectors ? layout.firstDifat() : EndOfChain);
    put32(&h[0x48], layout.difatSectors);
    for (std::uint32_t i = 0; i < HeaderDifatSlots; ++i)
        put32(&h[0x4C + 4 * i], i < layout.fatSectors ? layout.firstFat() + i : FreeSect);
    return h;
}

void directoryEntry(std::uint8_t *e, const std::u16string &name, std::uint8_t type, std::uint32_t child,
                    std::uint32_t start, std::uint32_t size)
{
    for (std::size_t i = 0; i < name.size(); ++i)
        put16(e + 2 * i, name[i]);
    put16(e + 0x40, static_cast<std::uint16_t>(2 * (name.size() + 1)));
    e[0x42] = type;
    e[0x43] = 1; // black
    put32(e + 0x44, NoStream);
    put32(e + 0x48, NoStream);
    put32(e + 0x4C, child);
    put32(e + 0x74, start);
    put32(e + 0x78, size);
}

} // namespace

void writeCompoundFile(std::ostream &out, const std::string &streamName,
                       const std::vector<std::uint8_t> &data)
{
    if (data.size() > MaxStreamSize)
        throw Error("Книга слишком велика для файла Excel 97 (больше 2 ГБ).");
    const std::uint32_t declared = static_cast<std::uint32_t>(std::max(data.size(), MiniStreamCutoff));
    const Layout layout = planLayout(declared);

    writeSector(out, header(layout));

    out.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
    static const Sector zeros{};
    const std::size_t padding = std::size_t(layout.streamSectors) * SectorSize - data.size();
    for (std::size_t left = padding; left > 0;) {
        const std::size_t n = std::min(left, SectorSize);
        out.write(reinterpret_cast<const char *>(zeros.data()), static_cast<std::streamsize>(n));
        left -= n;
    }

    for (std::uint32_t f = 0; f < layout.fatSectors; ++f) {
        Sector sector;
        for (std::uint32_t i = 0; i < EntriesPerSector; ++i)
            put32(&sector[4 * i], fatEntry(layout, f * EntriesPerSector + i));
        writeSector(out, sector);
    }

    for (std::uint32_t d = 0; d < layout.difatSectors; ++d) {
        Sector sector;
        for (std::uint32_t i = 0; i < DifatPerSector; ++i) {
            const std::uint32_t fat = HeaderDifatSlots + d * DifatPerSector + i;
            put32(&sector[4 * i], fat < layout.fatSectors ? layout.firstFat() + fat : FreeSect);
        }
        const bool last = d + 1 == layout.difatSectors;
        put32(&sector[4 * DifatPerSector], last ? EndOfChain : layout.firstDifat() + d + 1);
        writeSector(out, sector);
    }

    Sector directory{};
    directoryEntry(&directory[0], u"Root Entry", 5, 1, EndOfChain, 0);
    directoryEntry(&directory[128], std::u16string(streamName.begin(), streamName.end()), 2, NoStream, 0,
                   declared);
    for (int unused = 2; unused < 4; ++unused) {
        std::uint8_t *e = &directory[128 * unused];
        put32(e + 0x44, NoStream);
        put32(e + 0x48, NoStream);
        put32(e + 0x4C, NoStream);
    }
    writeSector(out, directory);

    if (!out)
        throw Error("Не удалось записать книгу Excel 97.");
}

} // namespace tarvena::xls
