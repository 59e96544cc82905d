#include "model/geologysummary.h"

#include "model/datamodule.h"
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

double number(const MemTable &table, const char *name)
{
    return table.FieldByName(name).AsFloat();
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
        // The walk moves the shared cursor; views hear of it once, when it is back on the first row.
        ControlsDisabledScope held(horizons);
        for (horizons.First(); !horizons.Eof(); horizons.Next()) {
            productive.add(horizons.FieldByName("STRATIGRSVIT").AsString());
            const int uv = horizons.FieldByName("UV_ID").AsInteger();
            if (isOilBearing(uv)) {
                oil.deterministic += number(horizons, "CALC_PERSP_RES");
                dissolvedGas.deterministic += number(horizons, "CALC_PERSP_RES_RGAZ");
                oil.probabilistic.add(number(horizons, "OILPERSPECTRESOURCEP"),
                                      number(horizons, "OILPERSPECTRESOURCES"));
                dissolvedGas.probabilistic.add(number(horizons, "PERSPRESGAZRASTVP"),
                                               number(horizons, "PERSPRESGAZRASTVS"));
            }
            if (isGasBearing(uv)) {
                gas.deterministic += number(horizons, "CALC_NEWGAZBAL");
                gas.probabilistic.add(number(horizons, "GAZBALANCERESOURCEPNEW"),
                                      number(horizons, "GAZBALANCERESOURCESNEW"));
            }
            if (isCondensateBearing(uv)) {
                condensate.deterministic += number(horizons, "CALC_PERSPGAZCOND_RES");
                condensate.probabilistic.add(number(horizons, "IZVLEKRESGAZCONDPNEW"),
                                             number(horizons, "IZVLEKRESGAZCONDSNEW"));
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
