// The column sets of the horizon grids hold together with the passport's tables: every column names a
// field of its grid's table, and a column's kind agrees with what that field is.
#include "model/columnsets.h"
#include "model/datamodule.h"
#include "storage/error.h"

#include <gtest/gtest.h>

namespace tarvena {
namespace {

MemTable &tableNamed(TDataModule2 &dm, const std::string &name)
{
    for (MemTable *table : dm.passportTables()) {
        if (table->Name() == name)
            return *table;
    }
    throw Error("no table " + name);
}

TEST(ColumnSets, EveryColumnAgreesWithItsField)
{
    TDataModule2 dm;
    dm.openPassportTables();
    for (const std::string &grid : gridNames()) {
        MemTable &table = tableNamed(dm, gridTableName(grid));
        const ColumnSet &columns = gridColumns(grid);
        EXPECT_FALSE(columns.empty()) << grid;
        for (const ColumnSpec &column : columns) {
            SCOPED_TRACE(grid + " " + column.fieldName);
            const Field *field = table.FindField(column.fieldName);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->FieldName(), column.fieldName); // the field's own spelling
            EXPECT_FALSE(column.title.empty());
            switch (column.kind) {
            case FieldKind::Text:
                EXPECT_EQ(field->Kind(), StoredFieldKind::Data);
                EXPECT_FALSE(field->ReadOnly);
                break;
            case FieldKind::ReadOnly:
                EXPECT_NE(field->Kind(), StoredFieldKind::Calculated);
                break;
            case FieldKind::Calculated:
                EXPECT_EQ(field->Kind(), StoredFieldKind::Calculated);
                break;
            case FieldKind::List:
                EXPECT_EQ(field->Kind(), StoredFieldKind::Lookup);
                EXPECT_NE(field->LookupDataSet, nullptr);
                EXPECT_NE(table.FindField(field->KeyFields), nullptr);
                break;
            case FieldKind::Unit:
                EXPECT_EQ(field->Kind(), StoredFieldKind::Lookup);
                EXPECT_EQ(field->LookupDataSet, &dm.dict(16));
                EXPECT_EQ(field->KeyFields, "STRATIGR_ID");
                break;
            case FieldKind::Scale:
                EXPECT_EQ(field->Kind(), StoredFieldKind::Calculated);
                EXPECT_NE(table.FindField("SCALE"), nullptr);
                break;
            case FieldKind::WholeNumber:
            case FieldKind::DecimalNumber:
                ADD_FAILURE() << "a grid types its numbers as text";
                break;
            }
        }
    }
}

TEST(ColumnSets, UnknownGridIsAnError)
{
    for (const char *name : {"", "JvDBGrid0", "JvDBGrid11", "JvDBGrid13", "jvdbgrid1"}) {
        EXPECT_THROW(gridColumns(name), Error) << name;
        EXPECT_THROW(gridTableName(name), Error) << name;
    }
}

} // namespace
} // namespace tarvena
