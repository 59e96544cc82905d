#pragma once
// The summary of the geology page: the productive and reflecting horizons by name and the prepared
// resources of the object, summed by fluid over the productive horizons.
#include <string>
#include <vector>

namespace tarvena {

class TDataModule2;

struct SummaryLabel
{
    std::string name; // the label of the geology page, "Label29" ...
    std::string text; // code page 1251, like every text of the model
};

// Posts the pending edits, walks POSIB_PRODUCT_HOR (unfiltered) and REFLECT_HORIZONTS and returns the
// texts of Label29, Label71, Label72 to Label75, Label93, Label95, Label97, Label99, Label102,
// Label101, Label106 and Label105, in that order. Leaves POSIB_PRODUCT_HOR unfiltered on its first
// record and REFLECT_HORIZONTS on its first record.
std::vector<SummaryLabel> computeGeologySummary(TDataModule2 &dm);

} // namespace tarvena
