#pragma once
// RecordStore: the stored values of a table's records, packed. Each value is a 16-byte cell (a whole
// number, float or boolean in place; a text or blob as a pointer to its bytes), and the cells of every
// record lie side by side in one block, so a record of four numbers takes 64 bytes and no allocation.
#include "storage/value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvena::detail {

class RecordStore
{
public:
    RecordStore() = default;
    ~RecordStore();
    RecordStore(const RecordStore &) = delete;
    RecordStore &operator=(const RecordStore &) = delete;

    // Values a record holds. Growing gives every record null values at the end.
    int width() const { return mWidth; }
    void setWidth(int width);
    // Ids in use or free: every id is below this.
    int idCount() const { return static_cast<int>(mMeta.size()); }
    void reserve(std::size_t records);
    void clear();

    // A new record (a freed id is reused) holding values, which must be width() long.
    int allocate(std::vector<Value> &&values, int status);
    void release(int id);
    bool alive(int id) const { return (mMeta[static_cast<std::size_t>(id)] & kAlive) != 0; }
    int status(int id) const { return mMeta[static_cast<std::size_t>(id)] & kStatus; }
    void setStatus(int id, int status);

    // Replaces the values of a record.
    void assign(int id, std::vector<Value> &&values);
    std::vector<Value> values(int id) const;
    Value value(int id, int index) const;
    bool isNull(int id, int index) const { return cell(id, index).kind == Null; }
    // The bytes of a text or blob value in place, null for other values.
    const std::string *bytes(int id, int index) const;
    // Moves a value out, leaving null.
    Value take(int id, int index);
    // Moves a value into one cell of a record, dropping what the cell held.
    void put(int id, int index, Value &&value);
    // Whether a cell holds value, comparing bytes in place.
    bool holds(int id, int index, const Value &value) const;

private:
    enum Kind : std::uint8_t
    {
        Null,
        Integer,
        Float,
        Boolean,
        Bytes
    };
    struct Cell
    {
        union {
            std::int64_t integer;
            double number;
            bool flag;
            std::string *bytes;
        };
        Kind kind;
    };
    static constexpr std::uint8_t kStatus = 0x7F;
    static constexpr std::uint8_t kAlive = 0x80;

    const Cell &cell(int id, int index) const
    {
        return mCells[static_cast<std::size_t>(id) * static_cast<std::size_t>(mWidth) +
                      static_cast<std::size_t>(index)];
    }
    Cell &cell(int id, int index)
    {
        return mCells[static_cast<std::size_t>(id) * static_cast<std::size_t>(mWidth) +
                      static_cast<std::size_t>(index)];
    }
    static Cell made(Value &&value);
    static Value read(const Cell &cell);
    static void drop(Cell &cell);
    void store(int id, std::vector<Value> &&values);

    std::vector<Cell> mCells;
    std::vector<std::uint8_t> mMeta; // update status and the alive bit
    std::vector<int> mFreeIds;
    int mWidth = 0;
};

} // namespace tarvena::detail
