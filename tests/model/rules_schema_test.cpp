// The fields of the passport tables: kinds, order, types and sizes, and what their lookups show.
#include "model/passportschema.h"
#include "storage/codepage.h"
#include "tests/model/rules_fixture.h"

using namespace tarvena;
using namespace tarvena::testing;

namespace {

using SchemaTest = RulesTest;

TEST_F(SchemaTest, FieldsByKindAndRequiredIdentity)
{
    struct Case
    {
        MemTable *table;
        int data, lookup, calculated;
    };
    const Case cases[] = {{&dm.PASPORTS, 71, 2, 4},
                          {&dm.REFLECT_HORIZONTS, 24, 4, 1},
                          {&dm.POSIB_PRODUCT_HOR, 97, 6, 8},
                          {&dm.KONTUR, 4, 0, 0}};
    for (const Case &c : cases) {
        int data = 0, lookup = 0, calculated = 0;
        for (int i = 0; i < c.table->FieldCount(); ++i) {
            const Field &f = c.table->fieldAt(i);
            data += f.Kind() == StoredFieldKind::Data;
            lookup += f.Kind() == StoredFieldKind::Lookup;
            calculated += f.Kind() == StoredFieldKind::Calculated;
            EXPECT_EQ(f.Required, f.FieldName() == "ID") << c.table->Name() << "." << f.FieldName();
        }
        EXPECT_EQ(data, c.data) << c.table->Name();
        EXPECT_EQ(lookup, c.lookup) << c.table->Name();
        EXPECT_EQ(calculated, c.calculated) << c.table->Name();
        EXPECT_EQ(c.table->fieldAt(0).FieldName(), "ID");
    }
}

TEST_F(SchemaTest, PositionsTypesAndSizes)
{
    struct Case
    {
        MemTable *table;
        const char *name;
        int index; // among all fields, from 0
        StoredFieldKind kind;
        FieldType type;
        int size;
    };
    using K = StoredFieldKind;
    using T = FieldType;
    MemTable *p = &dm.PASPORTS, *r = &dm.REFLECT_HORIZONTS, *h = &dm.POSIB_PRODUCT_HOR, *k = &dm.KONTUR;
    const Case cases[] = {
        {p, "INS_DATE", 1, K::Data, T::DateTime, 0},
        {p, "SHOWINGUPYEAR", 8, K::Data, T::SmallInt, 0},
        {p, "REPORTPREPARATION", 14, K::Data, T::String, 400},
        {p, "PREPAREDFUNDYEAR", 18, K::Data, T::SmallInt, 0},
        {p, "GEO_PROVINCE_ID", 55, K::Data, T::Integer, 0},
        {p, "GEO_RAION_ID", 57, K::Data, T::Integer, 0},
        {p, "TERMINATIONLICENCE", 66, K::Data, T::String, 128},
        {p, "_STRATIGR_KROVL", 67, K::Lookup, T::String, 64},
        {p, "GEO_PROVINCE_DOP", 69, K::Data, T::String, 80},
        {p, "_SHOOTSCALEST", 75, K::Calculated, T::String, 40},
        {p, "OTHERMETHOD2", 76, K::Data, T::String, 128},
        {r, "IZOGIPSMARK", 8, K::Data, T::Float, 0},
        {r, "POGRSQUARE", 22, K::Data, T::Float, 0},
        {r, "_screentype_id", 25, K::Lookup, T::String, 128},
        {r, "STRATIGR_DOP", 26, K::Data, T::String, 40},
        {r, "_scale", 27, K::Calculated, T::String, 40},
        {r, "_stratigr_id_", 28, K::Lookup, T::Integer, 0},
        {h, "UV_ID", 12, K::Data, T::Integer, 0},
        {h, "KONTURKOORDTYPE", 84, K::Data, T::Integer, 0},
        {h, "_REFLECTHOR_ID", 88, K::Lookup, T::String, 128},
        {h, "CALC_PERSPGAZCOND_RES", 94, K::Calculated, T::Float, 0},
        {h, "_KONTURKOORDTYPE", 95, K::Lookup, T::String, 64},
        {h, "GAZSODSUH", 96, K::Data, T::Float, 0},
        {h, "CALC_NEWGAZBAL", 97, K::Calculated, T::Float, 0},
        {h, "IZVLEKRESGAZCONDSNEW", 105, K::Data, T::Float, 0},
        {h, "_stratigr_id_", 108, K::Lookup, T::Integer, 0},
        {h, "KOEFOILZAP", 110, K::Data, T::Float, 0},
        {k, "HEAD_ID", 1, K::Data, T::Integer, 0},
        {k, "Y", 3, K::Data, T::Float, 0},
    };
    for (const Case &c : cases) {
        const Field &f = c.table->FieldByName(c.name);
        EXPECT_EQ(f.Index(), c.index) << c.name;
        EXPECT_EQ(f.Kind(), c.kind) << c.name;
        EXPECT_EQ(f.DataType(), c.type) << c.name;
        if (c.type == T::String) {
            EXPECT_EQ(f.Size(), c.size) << c.name;
        }
    }
    EXPECT_EQ(h->FieldCount(), 111);
    EXPECT_EQ(p->FieldCount(), 77);
}

TEST_F(SchemaTest, LongTextsAreCutToTheirSize)
{
    const std::string longText(500, 'x');
    for (const auto &[name, size] : std::initializer_list<std::pair<const char *, std::size_t>>{
             {"REPORTPREPARATION", 400}, {"OBJECTNAME", 128}, {"GEO_RAION_DOP", 80}}) {
        dm.PASPORTS.FieldByName(name).SetAsString(longText);
        EXPECT_EQ(dm.PASPORTS.FieldByName(name).AsString().size(), size) << name;
    }
}

TEST_F(SchemaTest, LookupsShowTheirEntries)
{
    MemTable &units = dm.dict(16);
    units.Last();
    const int unit = units.FieldByName("ID").AsInteger();
    const std::string unitName = units.FieldByName("NAME").AsString();
    const int unitOrder = units.FieldByName("ALTORDER").AsInteger();
    ASSERT_NE(unit, 0);

    dm.PASPORTS.FieldByName("STRATIGR_KROVL").SetAsInteger(unit);
    EXPECT_EQ(dm.PASPORTS.FieldByName("_STRATIGR_KROVL").AsString(), unitName.substr(0, 64));
    EXPECT_TRUE(dm.PASPORTS.FieldByName("_STRATIGR_PODOSHV").IsNull());

    addRow(dm.REFLECT_HORIZONTS, [&](MemTable &t) {
        t.FieldByName("INDEXOG").SetAsString(cp("Б"));
        t.FieldByName("STRATIGR_ID").SetAsInteger(unit);
    });
    EXPECT_EQ(dm.REFLECT_HORIZONTS.FieldByName("_stratigr_id").AsString(), unitName);
    EXPECT_EQ(dm.REFLECT_HORIZONTS.FieldByName("_stratigr_id_").AsInteger(), unitOrder);
    const int reflectingId = dm.REFLECT_HORIZONTS.FieldByName("ID").AsInteger();

    MemTable &h = dm.POSIB_PRODUCT_HOR;
    addRow(h, [&](MemTable &t) {
        t.FieldByName("UV_ID").SetAsInteger(397);
        t.FieldByName("REFLECTHOR_ID").SetAsInteger(reflectingId);
        t.FieldByName("KONTURKOORDTYPE").SetAsInteger(3);
    });
    EXPECT_FALSE(h.FieldByName("_UV_ID").AsString().empty());
    EXPECT_EQ(h.FieldByName("_REFLECTHOR_ID").AsString(), cp("Б"));
    EXPECT_EQ(codepage::cp1251ToUtf8(h.FieldByName("_KONTURKOORDTYPE").AsString()), "Проекция Меркатора");

    // Deleting the reflecting horizon leaves the reference; the lookup then shows nothing.
    dm.REFLECT_HORIZONTS.Delete();
    EXPECT_EQ(h.FieldByName("REFLECTHOR_ID").AsInteger(), reflectingId);
    EXPECT_TRUE(h.FieldByName("_REFLECTHOR_ID").AsString().empty());
}

} // namespace
