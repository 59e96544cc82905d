#pragma once
// A data module with productive horizons and their contour points, for the tests of the contour page's
// changes to the tables and of its scheme.
#include "tests/model/rules_fixture.h"

#include <tuple>

namespace tarvena::testing {

class ContourPointsTest : public RulesTest
{
protected:
    MemTable &horizons() { return dm.POSIB_PRODUCT_HOR; }
    MemTable &points() { return dm.KONTUR; }

    void addHorizon(int id, int system, const char *name)
    {
        addRow(horizons(), [&](MemTable &t) {
            t.FieldByName("ID").SetAsInteger(id);
            t.FieldByName("KONTURKOORDTYPE").SetAsInteger(system);
            t.FieldByName("STRATIGRSVIT").SetAsString(cp(name));
        });
    }
    void addPoint(double x, double y)
    {
        addRow(points(), [&](MemTable &t) {
            t.FieldByName("X").SetAsFloat(x);
            t.FieldByName("Y").SetAsFloat(y);
        });
    }
    void goToHorizon(int recNo) { horizons().SetRecNo(recNo); }
    int count() { return horizons().FieldByName("KONTURNUMPOINTS").AsInteger(); }

    // Every stored point as owner, X and Y, in table order.
    std::vector<std::tuple<std::int64_t, double, double>> stored()
    {
        std::vector<std::tuple<std::int64_t, double, double>> result;
        const auto head = std::size_t(points().FieldByName("HEAD_ID").dataIndex());
        const auto x = std::size_t(points().FieldByName("X").dataIndex());
        const auto y = std::size_t(points().FieldByName("Y").dataIndex());
        points().forEachStoredInOrder([&](const std::vector<Value> &r, int) {
            result.emplace_back(std::get<std::int64_t>(r[head]), std::get<double>(r[x]),
                                std::get<double>(r[y]));
        });
        return result;
    }

    // Two horizons: 10 (decimal degrees) with two points, 20 (Gauss-Krüger) with one; 10 current.
    void twoHorizons()
    {
        addHorizon(10, 2, "ПК1");
        addPoint(37, 55);
        addPoint(38, 56);
        addHorizon(20, 4, "Ю1");
        addPoint(13595400, 7173026.5);
        goToHorizon(1);
        dm.PassportModified = false;
    }
};

} // namespace tarvena::testing
