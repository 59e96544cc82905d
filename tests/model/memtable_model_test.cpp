// Random operations on a table against a plain vector model: table order, sort order, filter,
// positions and counts must agree after every step.
#include "model/memtable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace tarvena;

namespace {

struct Row
{
    int id;
    int group;
    int v;
};

struct Model
{
    std::vector<Row> rows; // table order
    bool filtered = false;
    int group = 0;
    int sort = 0; // 0 none, 1 ascending V, -1 descending V

    std::vector<Row> view() const
    {
        std::vector<Row> result;
        for (const Row &r : rows) {
            if (!filtered || r.group == group)
                result.push_back(r);
        }
        if (sort != 0)
            std::stable_sort(result.begin(), result.end(),
                             [&](const Row &a, const Row &b) { return sort > 0 ? a.v < b.v : a.v > b.v; });
        return result;
    }
    std::size_t indexOf(int id) const
    {
        return static_cast<std::size_t>(
            std::find_if(rows.begin(), rows.end(), [&](const Row &r) { return r.id == id; }) - rows.begin());
    }
};

void setRow(MemTable &t, const Row &r)
{
    t.FieldByName("ID").SetAsInteger(r.id);
    t.FieldByName("GROUP").SetAsInteger(r.group);
    t.FieldByName("V").SetAsInteger(r.v);
}

} // namespace

TEST(MemTableModel, RandomOperationsAgreeWithAPlainModel)
{
    MemTable t;
    t.addField("ID", FieldType::Integer);
    t.addField("GROUP", FieldType::Integer);
    t.addField("V", FieldType::Integer);
    t.Open();
    Model m;
    std::mt19937 rng(20240611);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int nextId = 1;

    for (int step = 0; step < 4000; ++step) {
        const std::vector<Row> before = m.view();
        const int visible = static_cast<int>(before.size());
        const int op = pick(100);
        if (op < 35 || m.rows.size() < 5) {
            const Row r{nextId++, pick(4), pick(30)};
            t.Append();
            setRow(t, r);
            t.Post();
            m.rows.push_back(r);
        } else if (op < 50 && visible > 0) {
            const int k = pick(visible);
            t.SetRecNo(k + 1);
            const Row r{nextId++, pick(4), pick(30)};
            t.Insert();
            setRow(t, r);
            t.Post();
            m.rows.insert(m.rows.begin() + static_cast<std::ptrdiff_t>(m.indexOf(before[k].id)), r);
        } else if (op < 70 && visible > 0) {
            const int k = op < 60 ? 0 : pick(visible); // often the first visible record, as a clear does
            t.SetRecNo(k + 1);
            ASSERT_EQ(t.FieldByName("ID").AsInteger(), before[k].id);
            t.Delete();
            m.rows.erase(m.rows.begin() + static_cast<std::ptrdiff_t>(m.indexOf(before[k].id)));
        } else if (op < 85 && visible > 0) {
            const int k = pick(visible);
            t.SetRecNo(k + 1);
            Row &r = m.rows[m.indexOf(before[k].id)];
            r.group = pick(4);
            r.v = pick(30);
            t.Edit();
            setRow(t, r);
            t.Post();
        } else if (op < 93) {
            m.group = pick(4);
            m.filtered = pick(3) != 0;
            t.SetFilter("GROUP=" + std::to_string(m.group));
            t.SetFiltered(m.filtered);
        } else {
            m.sort = pick(3) - 1;
            t.SortOn(m.sort == 0 ? "" : (m.sort > 0 ? "V" : "V:D"));
        }

        const std::vector<Row> expected = m.view();
        ASSERT_EQ(t.RecordCount(), static_cast<int>(expected.size())) << "step " << step;
        ASSERT_EQ(t.storedRecordCount(), static_cast<int>(m.rows.size()));
        const Field &id = t.FieldByName("ID");
        for (std::size_t row = 0; row < expected.size(); ++row)
            ASSERT_EQ(std::get<std::int64_t>(t.valueAt(static_cast<int>(row), id)), expected[row].id)
                << "step " << step << " row " << row;
        if (step % 50 == 0) {
            std::vector<int> walked;
            for (t.First(); !t.Eof(); t.Next()) {
                walked.push_back(id.AsInteger());
                ASSERT_EQ(t.RecNo(), static_cast<int>(walked.size()));
            }
            std::vector<int> walkedBack;
            for (t.Last(); !t.Bof(); t.Prior())
                walkedBack.insert(walkedBack.begin(), id.AsInteger());
            std::vector<int> wanted;
            for (const Row &r : expected)
                wanted.push_back(r.id);
            ASSERT_EQ(walked, wanted);
            ASSERT_EQ(walkedBack, wanted);
            for (std::size_t i = 0; i < m.rows.size(); ++i)
                ASSERT_EQ(std::get<std::int64_t>(t.storedRecord(static_cast<int>(i))[0]), m.rows[i].id);
        }
    }
}
