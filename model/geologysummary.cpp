#include "model/geologysummary.h"

#include "model/datamodule.h"
#include "model/fieldvalue.h"
#include "model/numberformat.h"
#include "model/passportschema.h"
#include "model/resources.h"
#include "storage/codepage.h"

namespace tarvena {
namespace {

// The most probable value of a fluid and the ends of its range of three standard deviations.
struct ProbableSum
{
    double probable = 0;
    double low = 0;
    double high = 0;

    void add(double value, double deviation)
    {
        probable += value;
        low += value;
        low -= 3 * deviation;
        high += value;
        high += 3 * deviation;
    }
};

struct FluidSum
{
    double deterministic = 0;
    ProbableSum probabilistic;
};

// "горизонтов: N (a, b)"; names are appended with ", " once the list has a text.
class NameList
{
public:
    void add(const std::string &name)
    {
        ++mCount;
        if (mList.empty())
            mList = name;
        else
            mList += ", " + name;
    }
    std::string text() const
    {
        std::string result = codepage::utf8ToCp1251("горизонтов: ") + std::to_string(mCount);
        if (!mList.empty())
            result += " (" + mList + ")";
        return result;
    }

private:
    int mCount = 0;
    std::string mList;
};

// A horizon's figure read in place; an empty field counts as 0.
double number(const MemTable &table, int row, const char *name)
{
    return fieldvalue::toDouble(table.valueAt(row, table.FieldByName(name)));
}

std::string sumText(double sum)
{
    return sum != 0 ? numfmt::formatFloat(ResourceFormat, sum) : std::string();
}

std::string rangeText(const ProbableSum &sum)
{
    if (sum.low == 0 || sum.high == 0 || sum.probable == 0)
        return {};
    return codepage::utf8ToCp1251("от ") + numfmt::formatFloat(ResourceFormat, sum.low) +
           codepage::utf8ToCp1251("   до ") + numfmt::formatFloat(ResourceFormat, sum.high);
}

} // namespace

std::vector<SummaryLabel> computeGeologySummary(TDataModule2 &dm)
{
    dm.PostPendingEdits();

    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.SetFiltered(false);
    FluidSum oil, dissolvedGas, gas, condensate;
    NameList productive;
    {
        // The horizons are read in place: moving the shared cursor row by row would refilter the
        // contour points at every step. The walk ends on the first row, as the loop over them did.
        ControlsDisabledScope held(horizons);
        const Field &name = horizons.FieldByName("STRATIGRSVIT");
        const Field &uvField = horizons.FieldByName("UV_ID");
        const int rows = horizons.RecordCount();
        for (int row = 0; row < rows; ++row) {
            const auto at = [&](const char *field) { return number(horizons, row, field); };
            const Value shown = horizons.valueAt(row, name);
            const auto *text = std::get_if<std::string>(&shown);
            productive.add(text ? *text : std::string());
            const int uv = static_cast<int>(fieldvalue::toInt64(horizons.valueAt(row, uvField)));
            if (isOilBearing(uv)) {
                oil.deterministic += at("CALC_PERSP_RES");
                dissolvedGas.deterministic += at("CALC_PERSP_RES_RGAZ");
                oil.probabilistic.add(at("OILPERSPECTRESOURCEP"), at("OILPERSPECTRESOURCES"));
                dissolvedGas.probabilistic.add(at("PERSPRESGAZRASTVP"), at("PERSPRESGAZRASTVS"));
            }
            if (isGasBearing(uv)) {
                gas.deterministic += at("CALC_NEWGAZBAL");
                gas.probabilistic.add(at("GAZBALANCERESOURCEPNEW"), at("GAZBALANCERESOURCESNEW"));
            }
            if (isCondensateBearing(uv)) {
                condensate.deterministic += at("CALC_PERSPGAZCOND_RES");
                condensate.probabilistic.add(at("IZVLEKRESGAZCONDPNEW"), at("IZVLEKRESGAZCONDSNEW"));
            }
        }
        horizons.First();
    }

    MemTable &reflecting = dm.REFLECT_HORIZONTS;
    NameList reflectingNames;
    {
        ControlsDisabledScope held(reflecting);
        for (reflecting.First(); !reflecting.Eof(); reflecting.Next())
            reflectingNames.add(reflecting.FieldByName("INDEXOG").AsString());
        reflecting.First();
    }

    return {
        {"Label29", productive.text()},
        {"Label71", reflectingNames.text()},
        {"Label72", sumText(oil.deterministic)},
        {"Label73", sumText(dissolvedGas.deterministic)},
        {"Label74", sumText(gas.deterministic)},
        {"Label75", sumText(condensate.deterministic)},
        {"Label93", sumText(oil.probabilistic.probable)},
        {"Label95", rangeText(oil.probabilistic)},
        {"Label97", sumText(dissolvedGas.probabilistic.probable)},
        {"Label99", rangeText(dissolvedGas.probabilistic)},
        {"Label102", sumText(gas.probabilistic.probable)},
        {"Label101", rangeText(gas.probabilistic)},
        {"Label106", sumText(condensate.probabilistic.probable)},
        {"Label105", rangeText(condensate.probabilistic)},
    };
}

} // namespace tarvena
