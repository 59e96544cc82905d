#include "model/passportschema.h"

#include "model/datamodule.h"
#include "model/horizonfields.h"

#include <string>

namespace tarvena {
namespace {

// Where a lookup field finds its text: a dictionary view by number, or one of two tables.
enum LookupSource : int
{
    FromReflectHorizons = -1,
    FromCoords = -2
};

struct FieldDef
{
    const char *name;
    FieldType type;
    int size;
    StoredFieldKind kind;
    const char *key = nullptr; // lookup: the key field of this table
    int source = 0;            // lookup: dictionary view number or LookupSource
    const char *result = nullptr;
};

constexpr FieldType I = FieldType::Integer;
constexpr FieldType SI = FieldType::SmallInt;
constexpr FieldType F = FieldType::Float;
constexpr FieldType S = FieldType::String;
constexpr FieldType DT = FieldType::DateTime;

constexpr FieldDef data(const char *name, FieldType type, int size = 0)
{
    return {name, type, size, StoredFieldKind::Data};
}

constexpr FieldDef calc(const char *name, FieldType type, int size = 0)
{
    return {name, type, size, StoredFieldKind::Calculated};
}

constexpr FieldDef lookup(const char *name, FieldType type, int size, const char *key, int source,
                          const char *result = "NAME")
{
    return {name, type, size, StoredFieldKind::Lookup, key, source, result};
}

const FieldDef pasportsFields[] = {
    data("ID", I),
    data("INS_DATE", DT),
    data("EDIT_DATE", DT),
    data("OBJECTNAME", S, 128),
    data("FEDERALOKRUG_ID", I),
    data("REPUBLIC_ID", I),
    data("KRAI_ID", I),
    data("OBLAST_ID", I),
    data("SHOWINGUPYEAR", SI),
    data("SHOWINGUPMETHOD_ID", I),
    data("STARTPREPARATIONYEAR", SI),
    data("ENDPREPARATIONYEAR", SI),
    data("PREPARATIONMETHOD_ID", I),
    data("PREPARATIONORGANIZATION", S, 128),
    data("REPORTPREPARATION", S, 400),
    data("REPORTYEAR", SI),
    data("REPORTAUTHORS", S, 128),
    data("REPORTSTORINGPLACE", S, 128),
    data("PREPAREDFUNDYEAR", SI),
    data("AFFILATION_ID", I),
    data("LICENSOR", S, 128),
    data("LICENCENUMBER", S, 128),
    data("LICENCETYPE_ID", I),
    data("LICENCEREGION", S, 128),
    data("SHOOTSCALE", I),
    data("GRIDDENCITY", F),
    data("MOGTREPETISHIONS", I),
    data("MAXDISTANCE", F),
    data("MINDISTANCE", F),
    data("RECIVESTEP", F),
    data("DRIVINGTYPE_ID", I),
    data("CHARGELOCATION_ID", I),
    data("NONEXPLOSIVETYPE_ID", I),
    data("MOGTREPETISHIONS3D", I),
    data("MAXDISTANCE3D", F),
    data("MINDISTANCE3D", F),
    data("RECIVESTEP3D", F),
    data("DRIVINGSTEP3D", F),
    data("BINH", F),
    data("BINW", F),
    data("DRIVINGTYPE3D_ID", I),
    data("CHARGELOCATION3D_ID", I),
    data("NONEXPLOSIVETYPE3D_ID", I),
    data("ELECTROMETHOD", S, 128),
    data("SHOOTSCALEEL", I),
    data("GRIDDENCITYEL", F),
    data("STEPEL", F),
    data("OTHERMETHOD", S, 128),
    data("SHOOTSCALEOT", I),
    data("GRIDDENCITYOT", F),
    data("OBSERVATIONSYSTEM", S, 128),
    data("STEPOT", F),
    data("SHOOTSCALEST", I),
    data("GRIDDENCITYST", F),
    data("INS_USER_ID", I),
    data("GEO_PROVINCE_ID", I),
    data("GEO_OBLAST_ID", I),
    data("GEO_RAION_ID", I),
    data("WORKVOLUME", F),
    data("WORKPICE", F),
    data("FINANCESOURCE", S, 128),
    data("TOTALPRICE", F),
    data("TEKTO1P", S, 128),
    data("TEKTO2P", S, 128),
    data("STRATIGR_KROVL", I),
    data("STRATIGR_PODOSHV", I),
    data("TERMINATIONLICENCE", S, 128),
    lookup("_STRATIGR_KROVL", S, 64, "STRATIGR_KROVL", 16),
    lookup("_STRATIGR_PODOSHV", S, 64, "STRATIGR_PODOSHV", 16),
    data("GEO_PROVINCE_DOP", S, 80),
    data("GEO_OBLAST_DOP", S, 80),
    data("GEO_RAION_DOP", S, 80),
    calc("_SHOOTSCALE", S, 40),
    calc("_SHOOTSCALEEL", S, 40),
    calc("_SHOOTSCALEOT", S, 40),
    calc("_SHOOTSCALEST", S, 40),
    data("OTHERMETHOD2", S, 128),
};

const FieldDef reflectHorizonsFields[] = {
    data("ID", I),
    data("INDEXOG", S, 128),
    data("STRATIGR_ID", I),
    data("STRATIGRSVIT", S, 128),
    data("TRAPTYPE_ID", I),
    data("SCREENTYPE_ID", I),
    data("SCALE", I),
    data("SECHENIE", F),
    data("IZOGIPSMARK", F),
    data("SQUARE", F),
    data("AMPLITUDE", F),
    data("LONGAXIS", F),
    data("SHORTAXIS", F),
    data("KOEFPROSL", F),
    data("POSTRPRESICION", F),
    data("KORRADIUS", F),
    data("APRIORVEROYATN", F),
    data("ZNACHFUNC", F),
    data("VEROYATNSTRUCT", F),
    data("POGRSVOD", F),
    data("POGRSVODY", F),
    data("POGRAMPL", F),
    data("POGRSQUARE", F),
    lookup("_stratigr_id", S, 128, "STRATIGR_ID", 16),
    lookup("_traptype_id", S, 128, "TRAPTYPE_ID", 14),
    lookup("_screentype_id", S, 128, "SCREENTYPE_ID", 15),
    data("STRATIGR_DOP", S, 40),
    calc("_scale", S, 40),
    lookup("_stratigr_id_", I, 0, "STRATIGR_ID", 16, "ALTORDER"),
};

const FieldDef productiveHorizonsFields[] = {
    data("ID", I),
    data("STRATIGR_ID", I),
    data("STRATIGRSVIT", S, 128),
    data("SCALE", I),
    data("SECHENIE", F),
    data("IZOGIPSMARK", F),
    data("POSIBLESQUARE", F),
    data("AMPLITUDE", F),
    data("LONGAXIS", F),
    data("SHORTAXIS", F),
    data("REFLECTHOR_ID", I),
    data("COLLECTORTYPE_ID", I),
    data("UV_ID", I),
    data("SQUARENEFTENOSN", F),
    data("EFECTOILWIDTH", F),
    data("OILKOEFOTKRPORIST", F),
    data("KOEFOILNASUSH", F),
    data("OILPLOTN", F),
    data("OILPERERASCHKOEF", F),
    data("KOEFOILIZVL", F),
    data("OILGAZFACTOR", F),
    data("OILGAZFACTOR2", F),
    data("PERSPRESGAZRASTVP", F),
    data("PERSPRESGAZRASTVPD", F),
    data("PERSPRESGAZRASTVS", F),
    data("OILSQUAREMIN", F),
    data("OILSQUAREMAX", F),
    data("OILWIDTHMIN", F),
    data("OILWIDTHMAX", F),
    data("OILKOEFOTKRPORMIN", F),
    data("OILKOEFOTKRPORMAX", F),
    data("OILNASUSHMIN", F),
    data("OILNASUSHMAX", F),
    data("OILPLOTNSURFMIN", F),
    data("OILPLOTNSURFMAX", F),
    data("OILKOEFPERERASCHMIN", F),
    data("OILKOEFPERERASCHMAX", F),
    data("OILBALANCERESOURCEP", F),
    data("OILBALANCERESOURCES", F),
    data("OILKOEFIZVLECHMIN", F),
    data("OILKOEFIZVLECHMAX", F),
    data("OILPERSPECTRESOURCEP", F),
    data("OILPERSPECTRESOURCES", F),
    data("OILBALANCERESOURCEPD", F),
    data("OILPERSPECTRESOURCEPD", F),
    data("SQUAREGAZONOSN", F),
    data("EFECTGAZWIDTH", F),
    data("GAZKOEFOTKRPORIST", F),
    data("KOEFGAZNASUSH", F),
    data("GAZSTARTPLASTPREASURE", F),
    data("GAZENDPLASTPREASURE", F),
    data("GAZKOEFSZIM", F),
    data("GAZTEMPERPOPR", F),
    data("GAZSQUAREMIN", F),
    data("GAZSQUAREMAX", F),
    data("GAZWIDTHMIN", F),
    data("GAZWIDTHMAX", F),
    data("GAZKOEFOTKRPORMIN", F),
    data("GAZKOEFOTKRPORMAX", F),
    data("GAZNASUSHMIN", F),
    data("GAZNASUSHMAX", F),
    data("GAZSTARTPREASUREMIN", F),
    data("GAZSTARTPREASUREMAX", F),
    data("GAZSTARTPREASURE", F),
    data("GAZKOEFSZIMMIN", F),
    data("GAZKOEFSZIMMAX", F),
    data("GAZTEMPERPOPRMIN", F),
    data("GAZTEMPERPOPRMAX", F),
    data("GAZBALANCERESOURCEP", F),
    data("GAZBALANCERESOURCES", F),
    data("GAZBALANCERESOURCEPD", F),
    data("GAZCONDAVGSTARTCONSIST", F),
    data("GAZCONDKOEFIZVLECH", F),
    data("GAZCONBALANCERESGAZMIN", F),
    data("GAZCONBALANCERESGAZMAX", F),
    data("GAZCONNACHSODKONDMIN", F),
    data("GAZCONNACHSODKONDMAX", F),
    data("BALANCERESGAZCONDMIN", F),
    data("BALANCERESGAZCONDMAX", F),
    data("GAZCONKOEFIZVLECHMIN", F),
    data("GAZCONKOEFIZVLECHMAX", F),
    data("IZVLEKRESGAZCONDMIN", F),
    data("IZVLEKRESGAZCONDMAX", F),
    data("KONTURNUMPOINTS", I),
    data("KONTURKOORDTYPE", I),
    lookup("_stratigr_id", S, 128, "STRATIGR_ID", 16),
    lookup("_COLLECTORTYPE_ID", S, 128, "COLLECTORTYPE_ID", 17),
    lookup("_UV_ID", S, 128, "UV_ID", 18),
    lookup("_REFLECTHOR_ID", S, 128, "REFLECTHOR_ID", FromReflectHorizons, "INDEXOG"),
    calc("CALC_BAL_RES", F),
    calc("CALC_PERSP_RES", F),
    calc("CALC_PERSP_RES_RGAZ", F),
    calc("CALC_BALGAZ_RES", F),
    calc("CALC_BALGAZCOND_RES", F),
    calc("CALC_PERSPGAZCOND_RES", F),
    lookup("_KONTURKOORDTYPE", S, 64, "KONTURKOORDTYPE", FromCoords),
    data("GAZSODSUH", F),
    calc("CALC_NEWGAZBAL", F),
    data("GAZBALANCERESOURCEPNEW", F),
    data("GAZBALANCERESOURCEPDNEW", F),
    data("GAZBALANCERESOURCESNEW", F),
    data("SODSIHGORMIN", F),
    data("SODSIHGORMAX", F),
    data("IZVLEKRESGAZCONDPNEW", F),
    data("IZVLEKRESGAZCONDPDNEW", F),
    data("IZVLEKRESGAZCONDSNEW", F),
    data("STRATIGR_DOP", S, 40),
    calc("_scale", S, 40),
    lookup("_stratigr_id_", I, 0, "STRATIGR_ID", 16, "ALTORDER"),
    data("STRUCTOGNEW", S, 40),
    data("KOEFOILZAP", F),
};

const FieldDef konturFields[] = {
    data("ID", I),
    data("HEAD_ID", I),
    data("X", F),
    data("Y", F),
};

MemTable &lookupTable(TDataModule2 &dm, int source)
{
    switch (source) {
    case FromReflectHorizons:
        return dm.REFLECT_HORIZONTS;
    case FromCoords:
        return dm.TCoords;
    default:
        return dm.dict(source);
    }
}

template <std::size_t N> void defineFields(TDataModule2 &dm, MemTable &table, const FieldDef (&defs)[N])
{
    for (const FieldDef &def : defs) {
        Field &field = table.addField(def.name, def.type, def.size, def.kind);
        if (def.kind == StoredFieldKind::Lookup) {
            field.KeyFields = def.key;
            field.LookupDataSet = &lookupTable(dm, def.source);
            field.LookupKeyFields = "ID";
            field.LookupResultField = def.result;
        }
    }
    // Every table's identity is required; the rules fill it before the check at Post.
    table.FieldByName("ID").Required = true;
}

// Lets a user type degrees, minutes and seconds separated by commas.
void admitComma(Field &field)
{
    if (field.ValidChars.empty())
        field.ValidChars = "0123456789+-Ee.";
    if (field.ValidChars.find(',') == std::string::npos)
        field.ValidChars += ',';
}

} // namespace

void definePassportTables(TDataModule2 &dm)
{
    defineFields(dm, dm.PASPORTS, pasportsFields);
    defineFields(dm, dm.REFLECT_HORIZONTS, reflectHorizonsFields);
    defineFields(dm, dm.POSIB_PRODUCT_HOR, productiveHorizonsFields);
    defineFields(dm, dm.KONTUR, konturFields);

    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    for (const auto &result : horizonfields::Results) {
        Field &resource = horizons.FieldByName(result.name);
        resource.DisplayFormat = ResourceFormat;
        resource.ReadOnly = true; // computed, never typed
    }
    horizons.FieldByName("KOEFOILZAP").DefaultExpression = "1";

    admitComma(dm.KONTUR.FieldByName("X"));
    admitComma(dm.KONTUR.FieldByName("Y"));
}

} // namespace tarvena
