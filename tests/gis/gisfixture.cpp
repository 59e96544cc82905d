#include "tests/gis/gisfixture.h"

#include "tests/support/samplepassport.h"

namespace tarvena::testing {

void addHorizon(TDataModule2 &dm, const HorizonSpec &spec)
{
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.Append();
    horizons.FieldByName("STRATIGRSVIT").SetAsString(cp(spec.name.c_str()));
    horizons.FieldByName("UV_ID").SetAsInteger(spec.hydrocarbonType);
    if (spec.system)
        horizons.FieldByName("KONTURKOORDTYPE").SetAsInteger(spec.system);
    if (spec.typedArea)
        horizons.FieldByName("POSIBLESQUARE").SetAsFloat(*spec.typedArea);
    horizons.Post();
    MemTable &points = dm.KONTUR;
    for (const auto &[x, y] : spec.points) {
        points.Append();
        points.FieldByName("X").SetAsFloat(x);
        points.FieldByName("Y").SetAsFloat(y);
        points.Post();
    }
}

std::unique_ptr<TDataModule2> newDataModule()
{
    auto dm = std::make_unique<TDataModule2>();
    dm->DataModuleCreate(dictionaryDir());
    return dm;
}

void writePassport(const std::filesystem::path &file, const std::string &objectName,
                   const std::vector<HorizonSpec> &horizons)
{
    auto dm = newDataModule();
    MemTable &passport = dm->PASPORTS;
    if (passport.State() == TableState::Browse)
        passport.Edit();
    passport.FieldByName("OBJECTNAME").SetAsString(cp(objectName.c_str()));
    passport.Post();
    for (const HorizonSpec &horizon : horizons)
        addHorizon(*dm, horizon);
    dm->SavePassport(file.string());
}

} // namespace tarvena::testing
