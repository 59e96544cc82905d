#include "tests/support/samplepassport.h"

#include "storage/codepage.h"
#include "storage/gzip.h"

#include <random>

namespace tarvena::testing {

std::string cp(const char *utf8)
{
    return codepage::utf8ToCp1251(utf8);
}

std::string dictionaryDir()
{
    return TARVENA_BIN_DIR;
}

std::string builtSamplePassport()
{
    return std::string(TARVENA_BIN_DIR) + "/samples/Северо-Тарвенская.psp";
}

std::string noiseBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

SampleSpec largeSampleSpec()
{
    SampleSpec spec;
    spec.reflectHorizons = 20;
    spec.productiveHorizons = 10;
    spec.pointsPerHorizon = 10000;
    spec.attachmentSizes = std::vector<std::size_t>(10, 2 * 1024 * 1024);
    return spec;
}

void fillSamplePassport(TDataModule2 &dm, const SampleSpec &spec)
{
    MemTable &passport = dm.PASPORTS;
    if (passport.State() == TableState::Browse)
        passport.Edit();
    passport.FieldByName("OBJECTNAME").SetAsString(cp("Северо-Тарвенская структура"));
    passport.FieldByName("PREPARATIONORGANIZATION").SetAsString(cp("ОАО \"Геофизика\""));
    passport.FieldByName("GRIDDENCITY").SetAsFloat(1.75);
    passport.Post();

    MemTable &reflect = dm.REFLECT_HORIZONTS;
    for (int i = 0; i < spec.reflectHorizons; ++i) {
        reflect.Append();
        reflect.FieldByName("INDEXOG").SetAsString("OG-" + std::to_string(i + 1));
        reflect.FieldByName("SQUARE").SetAsFloat(12.5 + i);
        reflect.FieldByName("IZOGIPSMARK").SetAsFloat(-2400 - 10 * i);
        reflect.Post();
    }

    MemTable &productive = dm.POSIB_PRODUCT_HOR;
    MemTable &contour = dm.KONTUR;
    for (int h = 0; h < spec.productiveHorizons; ++h) {
        productive.Append();
        productive.FieldByName("UV_ID").SetAsInteger(397);
        productive.FieldByName("SQUARENEFTENOSN").SetAsFloat(4.0 + h);
        productive.FieldByName("KONTURKOORDTYPE").SetAsInteger(2);
        productive.Post();
        contour.DisableControls();
        for (int p = 0; p < spec.pointsPerHorizon; ++p) {
            contour.Append();
            contour.FieldByName("X").SetAsFloat(60.0 + p * 1e-4);
            contour.FieldByName("Y").SetAsFloat(55.0 + (p % 100) * 1e-3);
            contour.Post();
        }
        contour.EnableControls();
    }

    MemTable &files = dm.FILES;
    unsigned seed = spec.seed;
    for (std::size_t i = 0; i < spec.attachmentSizes.size(); ++i) {
        files.Append();
        files.FieldByName("NAME").SetAsString(i == 0 ? cp("Титульный лист.doc")
                                                     : "To" + std::to_string(i) + ".jpg");
        files.FieldByName("CONTENT").SetAsString(gzipBytes(noiseBytes(spec.attachmentSizes[i], seed++)));
        files.FieldByName("DESCRIPTION").SetAsString(cp("Приложение"));
        files.FieldByName("SRCNAME").SetAsString("scan" + std::to_string(i) + ".dat");
        files.Post();
    }
}

} // namespace tarvena::testing
