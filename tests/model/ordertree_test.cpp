// The order of a table's records against a plain list doing the same: appends, inserts, removals and
// visibility changes in a random mix must leave the same order, ranks and visible records.
#include "model/ordertree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using tarvena::detail::OrderTree;

namespace {

struct Entry
{
    int id;
    bool visible;
};

void expectSame(const OrderTree &tree, const std::vector<Entry> &list)
{
    ASSERT_EQ(tree.size(), int(list.size()));
    std::vector<int> visible;
    for (std::size_t i = 0; i < list.size(); ++i) {
        ASSERT_EQ(tree.at(int(i)), list[i].id) << "position " << i;
        ASSERT_EQ(tree.rankOf(list[i].id), int(i));
        ASSERT_EQ(tree.isVisible(list[i].id), list[i].visible);
        if (list[i].visible)
            visible.push_back(list[i].id);
    }
    ASSERT_EQ(tree.visibleCount(), int(visible.size()));
    for (std::size_t k = 0; k < visible.size(); ++k) {
        ASSERT_EQ(tree.visibleAt(int(k)), visible[k]);
        ASSERT_EQ(tree.nextVisible(visible[k]), k + 1 < visible.size() ? visible[k + 1] : -1);
    }
}

TEST(OrderTree, AppendsInsertsAndRemovalsKeepTheListOrder)
{
    std::mt19937 random(7);
    OrderTree tree;
    std::vector<Entry> list;
    std::vector<int> freeIds;
    int nextId = 0;
    for (int step = 0; step < 4000; ++step) {
        const int action = int(random() % 10);
        const bool visible = random() % 3 != 0;
        if (action < 5 || list.empty()) {
            // Appends dominate, as when a passport is read or a contour imported.
            int id = nextId++;
            if (!freeIds.empty() && random() % 2) {
                id = freeIds.back();
                freeIds.pop_back();
                --nextId;
            }
            tree.pushBack(id, visible);
            list.push_back({id, visible});
        } else if (action < 7) {
            const int position = int(random() % (list.size() + 1));
            const int id = nextId++;
            tree.insertAt(position, id, visible);
            list.insert(list.begin() + position, {id, visible});
        } else if (action < 9) {
            const std::size_t position = random() % list.size();
            tree.erase(list[position].id);
            freeIds.push_back(list[position].id);
            list.erase(list.begin() + long(position));
        } else {
            Entry &entry = list[random() % list.size()];
            entry.visible = !entry.visible;
            tree.setVisible(entry.id, entry.visible);
        }
        if (step % 97 == 0)
            expectSame(tree, list);
    }
    expectSame(tree, list);
}

} // namespace
