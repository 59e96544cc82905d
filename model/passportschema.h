#pragma once
// The fields of the passport tables PASPORTS, REFLECT_HORIZONTS, POSIB_PRODUCT_HOR and KONTUR, in the
// order in which they are stored and assigned, with their lookups and calculated fields.
namespace tarvena {

class TDataModule2;

// Defines every field of the four tables (they must be closed and have no fields yet). Lookups refer
// to the dictionary views, TCoords and REFLECT_HORIZONTS of dm, which must already exist.
void definePassportTables(TDataModule2 &dm);

// The display format of the computed resources.
inline constexpr const char *ResourceFormat = "#########0.###";

} // namespace tarvena
