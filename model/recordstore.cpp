#include "model/recordstore.h"

#include <algorithm>

namespace tarvena::detail {

RecordStore::~RecordStore()
{
    clear();
}

RecordStore::Cell RecordStore::made(Value &&value)
{
    Cell c{};
    c.kind = Null;
    if (const auto *i = std::get_if<std::int64_t>(&value)) {
        c.integer = *i;
        c.kind = Integer;
    } else if (const auto *d = std::get_if<double>(&value)) {
        c.number = *d;
        c.kind = Float;
    } else if (const auto *b = std::get_if<bool>(&value)) {
        c.flag = *b;
        c.kind = Boolean;
    } else if (auto *s = std::get_if<std::string>(&value)) {
        c.bytes = new std::string(std::move(*s));
        c.kind = Bytes;
    }
    return c;
}

Value RecordStore::read(const Cell &c)
{
    switch (c.kind) {
    case Integer:
        return Value(c.integer);
    case Float:
        return Value(c.number);
    case Boolean:
        return Value(c.flag);
    case Bytes:
        return Value(*c.bytes);
    case Null:
        break;
    }
    return Value();
}

void RecordStore::drop(Cell &c)
{
    if (c.kind == Bytes)
        delete c.bytes;
    c.kind = Null;
}

void RecordStore::setWidth(int width)
{
    if (width == mWidth)
        return;
    const auto ids = static_cast<std::size_t>(idCount());
    std::vector<Cell> cells(ids * static_cast<std::size_t>(width), Cell{{0}, Null});
    const int kept = std::min(width, mWidth);
    for (std::size_t id = 0; id < ids; ++id) {
        for (int i = 0; i < mWidth; ++i) {
            Cell &old = mCells[id * static_cast<std::size_t>(mWidth) + static_cast<std::size_t>(i)];
            if (i < kept)
                cells[id * static_cast<std::size_t>(width) + static_cast<std::size_t>(i)] = old;
            else
                drop(old);
        }
    }
    mCells = std::move(cells);
    mWidth = width;
}

void RecordStore::reserve(std::size_t records)
{
    mCells.reserve(records * static_cast<std::size_t>(mWidth));
    mMeta.reserve(records);
}

void RecordStore::clear()
{
    for (Cell &c : mCells)
        drop(c);
    mCells.clear();
    mMeta.clear();
    mFreeIds.clear();
}

void RecordStore::store(int id, std::vector<Value> &&values)
{
    const std::size_t count = std::min(values.size(), static_cast<std::size_t>(mWidth));
    for (std::size_t i = 0; i < count; ++i) {
        Cell &c = cell(id, static_cast<int>(i));
        drop(c);
        c = made(std::move(values[i]));
    }
    for (int i = static_cast<int>(count); i < mWidth; ++i)
        drop(cell(id, i));
}

int RecordStore::allocate(std::vector<Value> &&values, int status)
{
    int id;
    if (!mFreeIds.empty()) {
        id = mFreeIds.back();
        mFreeIds.pop_back();
    } else {
        id = idCount();
        mMeta.push_back(0);
        mCells.resize(mCells.size() + static_cast<std::size_t>(mWidth), Cell{{0}, Null});
    }
    store(id, std::move(values));
    setStatus(id, status);
    mMeta[static_cast<std::size_t>(id)] |= kAlive;
    return id;
}

void RecordStore::release(int id)
{
    for (int i = 0; i < mWidth; ++i)
        drop(cell(id, i));
    mMeta[static_cast<std::size_t>(id)] = 0;
    mFreeIds.push_back(id);
}

void RecordStore::setStatus(int id, int status)
{
    std::uint8_t &meta = mMeta[static_cast<std::size_t>(id)];
    meta = static_cast<std::uint8_t>((meta & kAlive) | (status & kStatus));
}

void RecordStore::assign(int id, std::vector<Value> &&values)
{
    store(id, std::move(values));
}

std::vector<Value> RecordStore::values(int id) const
{
    std::vector<Value> result;
    result.reserve(static_cast<std::size_t>(mWidth));
    for (int i = 0; i < mWidth; ++i)
        result.push_back(read(cell(id, i)));
    return result;
}

Value RecordStore::value(int id, int index) const
{
    return read(cell(id, index));
}

const std::string *RecordStore::bytes(int id, int index) const
{
    const Cell &c = cell(id, index);
    return c.kind == Bytes ? c.bytes : nullptr;
}

Value RecordStore::take(int id, int index)
{
    Cell &c = cell(id, index);
    Value taken = c.kind == Bytes ? Value(std::move(*c.bytes)) : read(c);
    drop(c);
    return taken;
}

void RecordStore::put(int id, int index, Value &&value)
{
    Cell &c = cell(id, index);
    drop(c);
    c = made(std::move(value));
}

bool RecordStore::holds(int id, int index, const Value &value) const
{
    const Cell &c = cell(id, index);
    switch (c.kind) {
    case Integer:
        return std::holds_alternative<std::int64_t>(value) && std::get<std::int64_t>(value) == c.integer;
    case Float:
        return std::holds_alternative<double>(value) && std::get<double>(value) == c.number;
    case Boolean:
        return std::holds_alternative<bool>(value) && std::get<bool>(value) == c.flag;
    case Bytes:
        return std::holds_alternative<std::string>(value) && std::get<std::string>(value) == *c.bytes;
    case Null:
        break;
    }
    return std::holds_alternative<std::monostate>(value);
}

} // namespace tarvena::detail
