#pragma once
// An ordered sequence of record ids with positional access. The records of a table are kept in one
// such sequence for table order and, while a sort is in force, in a second one for sort order.
// It is a treap keyed by position: every node counts the records of its subtree and the visible ones
// among them, so rank, select, insertion and removal anywhere cost O(log n), the number of visible
// records is known at once, and stepping to the next visible record is amortised O(1).
#include <cstdint>
#include <functional>
#include <vector>

namespace tarvena::detail {

class OrderTree
{
public:
    void clear();
    void reserve(std::size_t count);
    int size() const { return mRoot < 0 ? 0 : mNodes[mRoot].size; }
    int visibleCount() const { return mRoot < 0 ? 0 : mNodes[mRoot].visible; }
    bool contains(int id) const;
    bool isVisible(int id) const { return contains(id) && mNodes[id].own; }

    void insertAt(int position, int id, bool visible);
    void pushBack(int id, bool visible);
    void erase(int id);
    void setVisible(int id, bool visible);
    // Replaces the content by ids in the given order, in O(n).
    void assign(const std::vector<int> &ids, const std::function<bool(int)> &visible);
    // Recomputes every record's visibility, in O(n).
    void resetVisibility(const std::function<bool(int)> &visible);

    int rankOf(int id) const;        // 0-based position among all records
    int visibleBefore(int id) const; // visible records before id
    int at(int position) const;      // id at a 0-based position
    int visibleAt(int k) const;      // id of the k-th visible record (0-based), -1 when out of range
    int firstVisible() const { return visibleAt(0); }
    int lastVisible() const { return visibleAt(visibleCount() - 1); }
    int nextVisible(int id) const; // -1 when none
    int prevVisible(int id) const;

    // Position at which a new element goes: after every element e for which goesBefore(e) is false.
    template <class GoesBefore> int upperBound(GoesBefore goesBefore) const
    {
        int position = 0;
        for (int x = mRoot; x >= 0;) {
            if (goesBefore(x)) {
                x = mNodes[x].left;
            } else {
                position += sizeOf(mNodes[x].left) + 1;
                x = mNodes[x].right;
            }
        }
        return position;
    }

    // Visits ids in order; the visitor returns false to stop.
    void forEach(const std::function<bool(int)> &visit) const { walk(visit, false); }
    void forEachVisible(const std::function<bool(int)> &visit) const { walk(visit, true); }
    std::vector<int> ids() const;

private:
    struct Node
    {
        int left = -1;
        int right = -1;
        int parent = -1;
        std::uint32_t priority = 0;
        int size = 0;
        int visible = 0;
        bool own = false;
        bool linked = false;
    };

    int sizeOf(int x) const { return x < 0 ? 0 : mNodes[x].size; }
    int visibleOf(int x) const { return x < 0 ? 0 : mNodes[x].visible; }
    void pull(int x);
    int merge(int a, int b);
    void split(int t, int k, int &a, int &b);
    void initNode(int id, bool visible);
    int firstVisibleIn(int t) const;
    int lastVisibleIn(int t) const;
    std::uint32_t nextPriority();
    void walk(const std::function<bool(int)> &visit, bool visibleOnly) const;

    std::vector<Node> mNodes; // indexed by record id
    int mRoot = -1;
    std::uint32_t mSeed = 0x9E3779B9u;
};

} // namespace tarvena::detail
