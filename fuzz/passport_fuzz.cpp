// libFuzzer target for whole passports: bytes -> open -> the rules that run after an open -> save to
// memory -> reopen. Whatever opens must save, and the saved passport must reopen to the same values,
// which saving it again shows byte for byte. TARVENA_DICTIONARIES names the dictionary folder; without
// it the passport tables run without dictionaries.
#include "model/controlrules.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"
#include "storage/error.h"
#include "storage/psp2stream.h"
#include "storage/stream.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace tarvena;

namespace {

std::unique_ptr<TDataModule2> makeModule()
{
    auto dm = std::make_unique<TDataModule2>();
    if (const char *dictionaries = std::getenv("TARVENA_DICTIONARIES"))
        dm->DataModuleCreate(dictionaries);
    else
        dm->openPassportTables();
    return dm;
}

// Each input starts from empty passport tables, whatever the one before left.
void reset(TDataModule2 &dm)
{
    for (MemTable *table : dm.passportTables()) {
        if (table->State() == TableState::Edit || table->State() == TableState::Insert)
            table->Cancel();
        table->EmptyTable();
    }
}

// What the pages' rules empty after an open, in their order: the source types' disabled lists, the
// detection method's name when it is no other method (the preparation method's name is kept), the
// free texts of chosen classifier entries.
void emptyDisabledFields(MemTable &record)
{
    const auto value = [&](const char *name) { return record.FieldByName(name).value(); };
    const auto empty = [&](const char *name) { record.FieldByName(name).Clear(); };
    const char *const sources[][3] = {{"DRIVINGTYPE_ID", "CHARGELOCATION_ID", "NONEXPLOSIVETYPE_ID"},
                                      {"DRIVINGTYPE3D_ID", "CHARGELOCATION3D_ID", "NONEXPLOSIVETYPE3D_ID"}};
    for (const auto &source : sources) {
        const controlrules::SourceTypeControls enabled = controlrules::sourceTypeControls(value(source[0]));
        if (!enabled.chargeLocation)
            empty(source[1]);
        if (!enabled.nonExplosiveType)
            empty(source[2]);
    }
    if (!controlrules::otherMethodEnabled(value("SHOWINGUPMETHOD_ID")))
        empty("OTHERMETHOD2");
    const char *const classifiers[][2] = {{"GEO_PROVINCE_ID", "GEO_PROVINCE_DOP"},
                                          {"GEO_OBLAST_ID", "GEO_OBLAST_DOP"},
                                          {"GEO_RAION_ID", "GEO_RAION_DOP"}};
    for (const auto &pair : classifiers) {
        if (!controlrules::freeTextEnabled(value(pair[0])))
            empty(pair[1]);
    }
}

// Opens bytes as a passport and runs the rules the main window runs after an open; false when the
// passport is refused with the program's own error.
bool open(TDataModule2 &dm, const std::vector<std::uint8_t> &bytes)
{
    reset(dm);
    MemoryStream in(bytes);
    try {
        dm.readPassport(in, ReadPspHeader(in));
    } catch (const Error &) {
        return false;
    }
    try {
        dm.PASPORTS.Edit();
        emptyDisabledFields(dm.PASPORTS);
        dm.PostPendingEdits();
        summarizeResources(dm);
    } catch (const Error &) {
        // The page rules only refresh what is shown; a refusal there does not fail the open.
    }
    return true;
}

std::vector<std::uint8_t> save(TDataModule2 &dm)
{
    MemoryStream out;
    dm.writePassport(out);
    return out.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::unique_ptr<TDataModule2> first = makeModule();
    static const std::unique_ptr<TDataModule2> second = makeModule();
    if (!open(*first, std::vector<std::uint8_t>(data, data + size)))
        return 0;
    const std::vector<std::uint8_t> saved = save(*first);
    if (!open(*second, saved)) {
        std::fprintf(stderr, "a saved passport does not open again\n");
        std::abort();
    }
    if (save(*second) != saved) {
        std::fprintf(stderr, "a saved passport reopens to other values\n");
        std::abort();
    }
    return 0;
}
