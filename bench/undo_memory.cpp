// Peak memory of undoable document clears: a passport with one 20 MB attachment is opened, its
// document cleared and the clear undone 100 times, each clear a step of the journal. The attachment
// moves between the table and the journal and is never copied, so the peak stays under twice the
// passport's size: undo_memory [--write] PASSPORT.psp (--write makes the passport first)
#include "model/datamodule.h"
#include "model/fileslots.h"
#include "tests/support/samplepassport.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

using namespace tarvena;

namespace {

constexpr int kClears = 100;

long peakKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

void write(const std::string &path)
{
    TDataModule2 dm;
    dm.DataModuleCreate(testing::dictionaryDir());
    testing::SampleSpec spec;
    spec.attachmentSizes = {20u << 20};
    testing::fillSamplePassport(dm, spec);
    dm.SavePassport(path);
}

int clearAndUndo(const std::string &path)
{
    TDataModule2 dm;
    dm.DataModuleCreate(testing::dictionaryDir());
    dm.Journal.setEnabled(true);
    dm.OpenPassport(path);
    FileSlots slots(dm);
    slots.RebuildFileSlots();
    for (int i = 0; i < kClears; ++i) {
        {
            UndoScope step(&dm.Journal, "очистка документа");
            if (!slots.clear(SlotList::Documents)) {
                std::fprintf(stderr, "undo_memory: the passport's first document slot is free\n");
                return 1;
            }
        }
        dm.Journal.undo();
        slots.RebuildFileSlots();
    }
    const double size = static_cast<double>(std::filesystem::file_size(path));
    const long peak = peakKb();
    std::printf("passport %.1f MB, peak after %d undone clears %.1f MB, peak / passport %.2f\n",
                size / (1 << 20), kClears, peak / 1024.0, peak * 1024.0 / size);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const bool writing = argc == 3 && std::strcmp(argv[1], "--write") == 0;
    if (!writing && argc != 2) {
        std::fputs("usage: undo_memory [--write] PASSPORT.psp\n", stderr);
        return 2;
    }
    try {
        if (writing) {
            write(argv[2]);
            return 0;
        }
        return clearAndUndo(argv[1]);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "undo_memory: %s\n", error.what());
        return 1;
    }
}
