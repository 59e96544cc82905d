#include "model/ordertree.h"

namespace tarvena::detail {

void OrderTree::clear()
{
    mNodes.clear();
    mRoot = -1;
}

void OrderTree::reserve(std::size_t count)
{
    mNodes.reserve(count);
}

bool OrderTree::contains(int id) const
{
    return id >= 0 && static_cast<std::size_t>(id) < mNodes.size() && mNodes[id].linked;
}

std::uint32_t OrderTree::nextPriority()
{
    // xorshift: cheap, and random enough to keep the expected depth logarithmic.
    mSeed ^= mSeed << 13;
    mSeed ^= mSeed >> 17;
    mSeed ^= mSeed << 5;
    return mSeed;
}

void OrderTree::initNode(int id, bool visible)
{
    if (static_cast<std::size_t>(id) >= mNodes.size())
        mNodes.resize(static_cast<std::size_t>(id) + 1);
    Node &n = mNodes[id];
    n = Node{};
    n.priority = nextPriority();
    n.size = 1;
    n.own = visible;
    n.visible = visible ? 1 : 0;
    n.linked = true;
}

void OrderTree::pull(int x)
{
    Node &n = mNodes[x];
    n.size = 1 + sizeOf(n.left) + sizeOf(n.right);
    n.visible = (n.own ? 1 : 0) + visibleOf(n.left) + visibleOf(n.right);
    if (n.left >= 0)
        mNodes[n.left].parent = x;
    if (n.right >= 0)
        mNodes[n.right].parent = x;
}

int OrderTree::merge(int a, int b)
{
    if (a < 0)
        return b;
    if (b < 0)
        return a;
    if (mNodes[a].priority > mNodes[b].priority) {
        const int r = merge(mNodes[a].right, b);
        mNodes[a].right = r;
        pull(a);
        return a;
    }
    const int l = merge(a, mNodes[b].left);
    mNodes[b].left = l;
    pull(b);
    return b;
}

void OrderTree::split(int t, int k, int &a, int &b)
{
    if (t < 0) {
        a = b = -1;
        return;
    }
    const int leftSize = sizeOf(mNodes[t].left);
    if (k <= leftSize) {
        int l = -1;
        int r = -1;
        split(mNodes[t].left, k, l, r);
        mNodes[t].left = r;
        pull(t);
        a = l;
        b = t;
    } else {
        int l = -1;
        int r = -1;
        split(mNodes[t].right, k - leftSize - 1, l, r);
        mNodes[t].right = l;
        pull(t);
        a = t;
        b = r;
    }
}

void OrderTree::insertAt(int position, int id, bool visible)
{
    initNode(id, visible);
    int a = -1;
    int b = -1;
    split(mRoot, position, a, b);
    mRoot = merge(merge(a, id), b);
    mNodes[mRoot].parent = -1;
}

void OrderTree::pushBack(int id, bool visible)
{
    // Loading and bulk appends land here: the new node goes down the right spine only, below the nodes
    // that outrank it (each of which gains it in its counts on the way), and takes over the rest of the
    // spine as its left subtree. No split, no merge, no walk back up.
    initNode(id, visible);
    const std::uint32_t priority = mNodes[id].priority;
    int parent = -1;
    int x = mRoot;
    while (x >= 0 && mNodes[x].priority > priority) {
        ++mNodes[x].size;
        mNodes[x].visible += visible ? 1 : 0;
        parent = x;
        x = mNodes[x].right;
    }
    mNodes[id].left = x;
    pull(id);
    mNodes[id].parent = parent;
    if (parent < 0)
        mRoot = id;
    else
        mNodes[parent].right = id;
}

void OrderTree::erase(int id)
{
    if (!contains(id))
        return;
    Node &n = mNodes[id];
    const int parent = n.parent;
    const int joined = merge(n.left, n.right);
    if (joined >= 0)
        mNodes[joined].parent = parent;
    if (parent < 0)
        mRoot = joined;
    else if (mNodes[parent].left == id)
        mNodes[parent].left = joined;
    else
        mNodes[parent].right = joined;
    for (int x = parent; x >= 0; x = mNodes[x].parent) {
        Node &p = mNodes[x];
        p.size = 1 + sizeOf(p.left) + sizeOf(p.right);
        p.visible = (p.own ? 1 : 0) + visibleOf(p.left) + visibleOf(p.right);
    }
    mNodes[id] = Node{};
}

void OrderTree::setVisible(int id, bool visible)
{
    if (!contains(id) || mNodes[id].own == visible)
        return;
    mNodes[id].own = visible;
    const int delta = visible ? 1 : -1;
    for (int x = id; x >= 0; x = mNodes[x].parent)
        mNodes[x].visible += delta;
}

void OrderTree::assign(const std::vector<int> &ids, const std::function<bool(int)> &visible)
{
    mRoot = -1;
    for (Node &n : mNodes)
        n.linked = false;
    // A Cartesian tree over the sequence by priority, built with a stack in O(n).
    std::vector<int> stack;
    for (int id : ids) {
        initNode(id, visible(id));
        int last = -1;
        while (!stack.empty() && mNodes[stack.back()].priority < mNodes[id].priority) {
            last = stack.back();
            stack.pop_back();
        }
        mNodes[id].left = last;
        if (last >= 0)
            mNodes[last].parent = id;
        if (!stack.empty()) {
            mNodes[stack.back()].right = id;
            mNodes[id].parent = stack.back();
        }
        stack.push_back(id);
    }
    if (stack.empty())
        return;
    mRoot = stack.front();
    mNodes[mRoot].parent = -1;
    // Subtree counts, children before parents (an explicit post-order walk).
    std::vector<std::pair<int, bool>> work{{mRoot, false}};
    while (!work.empty()) {
        auto [x, childrenDone] = work.back();
        work.pop_back();
        if (childrenDone) {
            pull(x);
            continue;
        }
        work.push_back({x, true});
        if (mNodes[x].left >= 0)
            work.push_back({mNodes[x].left, false});
        if (mNodes[x].right >= 0)
            work.push_back({mNodes[x].right, false});
    }
}

void OrderTree::resetVisibility(const std::function<bool(int)> &visible)
{
    assign(ids(), visible);
}

int OrderTree::rankOf(int id) const
{
    int rank = sizeOf(mNodes[id].left);
    for (int x = id; mNodes[x].parent >= 0; x = mNodes[x].parent) {
        const int p = mNodes[x].parent;
        if (mNodes[p].right == x)
            rank += sizeOf(mNodes[p].left) + 1;
    }
    return rank;
}

int OrderTree::visibleBefore(int id) const
{
    int count = visibleOf(mNodes[id].left);
    for (int x = id; mNodes[x].parent >= 0; x = mNodes[x].parent) {
        const int p = mNodes[x].parent;
        if (mNodes[p].right == x)
            count += visibleOf(mNodes[p].left) + (mNodes[p].own ? 1 : 0);
    }
    return count;
}

int OrderTree::at(int position) const
{
    if (position < 0 || position >= size())
        return -1;
    int x = mRoot;
    while (x >= 0) {
        const int leftSize = sizeOf(mNodes[x].left);
        if (position < leftSize) {
            x = mNodes[x].left;
        } else if (position == leftSize) {
            return x;
        } else {
            position -= leftSize + 1;
            x = mNodes[x].right;
        }
    }
    return -1;
}

int OrderTree::visibleAt(int k) const
{
    if (k < 0 || k >= visibleCount())
        return -1;
    int x = mRoot;
    while (x >= 0) {
        const int leftVisible = visibleOf(mNodes[x].left);
        const int own = mNodes[x].own ? 1 : 0;
        if (k < leftVisible) {
            x = mNodes[x].left;
        } else if (own && k == leftVisible) {
            return x;
        } else {
            k -= leftVisible + own;
            x = mNodes[x].right;
        }
    }
    return -1;
}

int OrderTree::firstVisibleIn(int t) const
{
    while (true) {
        const Node &n = mNodes[t];
        if (visibleOf(n.left) > 0)
            t = n.left;
        else if (n.own)
            return t;
        else
            t = n.right;
    }
}

int OrderTree::lastVisibleIn(int t) const
{
    while (true) {
        const Node &n = mNodes[t];
        if (visibleOf(n.right) > 0)
            t = n.right;
        else if (n.own)
            return t;
        else
            t = n.left;
    }
}

int OrderTree::nextVisible(int id) const
{
    if (!contains(id))
        return -1;
    if (visibleOf(mNodes[id].right) > 0)
        return firstVisibleIn(mNodes[id].right);
    for (int x = id;;) {
        const int p = mNodes[x].parent;
        if (p < 0)
            return -1;
        if (mNodes[p].left == x) {
            if (mNodes[p].own)
                return p;
            if (visibleOf(mNodes[p].right) > 0)
                return firstVisibleIn(mNodes[p].right);
        }
        x = p;
    }
}

int OrderTree::prevVisible(int id) const
{
    if (!contains(id))
        return -1;
    if (visibleOf(mNodes[id].left) > 0)
        return lastVisibleIn(mNodes[id].left);
    for (int x = id;;) {
        const int p = mNodes[x].parent;
        if (p < 0)
            return -1;
        if (mNodes[p].right == x) {
            if (mNodes[p].own)
                return p;
            if (visibleOf(mNodes[p].left) > 0)
                return lastVisibleIn(mNodes[p].left);
        }
        x = p;
    }
}

void OrderTree::walk(const std::function<bool(int)> &visit, bool visibleOnly) const
{
    std::vector<int> stack;
    int x = mRoot;
    auto skip = [&](int t) { return t < 0 || (visibleOnly && mNodes[t].visible == 0); };
    while (!stack.empty() || !skip(x)) {
        while (!skip(x)) {
            stack.push_back(x);
            x = mNodes[x].left;
        }
        x = stack.back();
        stack.pop_back();
        if ((!visibleOnly || mNodes[x].own) && !visit(x))
            return;
        x = mNodes[x].right;
    }
}

std::vector<int> OrderTree::ids() const
{
    std::vector<int> result;
    result.reserve(static_cast<std::size_t>(size()));
    forEach([&](int id) {
        result.push_back(id);
        return true;
    });
    return result;
}

} // namespace tarvena::detail
