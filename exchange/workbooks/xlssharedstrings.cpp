#include "exchange/workbooks/xlssharedstrings.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace tarvena::xls {

namespace {

struct SstBucket
{
    std::uint32_t streamOffset;
    std::uint16_t recordOffset;
};

std::size_t stringsPerBucket(std::size_t count)
{
    return std::max<std::size_t>(count / 128 + 1, 8);
}

// Writes the table, going on in CONTINUE records: a string's count and option byte always share a
// record with its first character; a string cut at a record end goes on after a fresh option byte;
// a two-byte character is never cut.
std::vector<SstBucket> putSst(RecordWriter &w, const SharedTexts &texts)
{
    std::vector<SstBucket> buckets;
    const std::size_t perBucket = stringsPerBucket(texts.count);
    w.begin(record::Sst);
    w.u32(texts.references);
    w.u32(static_cast<std::uint32_t>(texts.count));
    for (std::size_t i = 0; i < texts.count; ++i) {
        const FileString s = fileString(texts.text(i));
        const std::size_t unit = s.wide ? 2 : 1;
        const std::size_t length = s.size();
        if (w.dataLength() + 3 + (length ? unit : 0) > MaxRecordData) {
            w.end();
            w.begin(record::Continue);
        }
        if (i % perBucket == 0)
            buckets.push_back({static_cast<std::uint32_t>(w.position()),
                               static_cast<std::uint16_t>(w.position() - w.recordStart())});
        w.u16(static_cast<std::uint16_t>(length));
        w.u8(s.wide ? 1 : 0);
        for (std::size_t done = 0;;) {
            const std::size_t count = std::min((MaxRecordData - w.dataLength()) / unit, length - done);
            putChars(w, s, done, count);
            done += count;
            if (done == length)
                break;
            w.end();
            w.begin(record::Continue);
            w.u8(s.wide ? 1 : 0);
        }
    }
    w.end();
    return buckets;
}

void putExtSst(RecordWriter &w, std::size_t count, const std::vector<SstBucket> &buckets)
{
    w.begin(record::ExtSst);
    w.u16(static_cast<std::uint16_t>(stringsPerBucket(count)));
    for (const SstBucket &b : buckets) {
        w.u32(b.streamOffset);
        w.u16(b.recordOffset);
        w.u16(0);
    }
    w.end();
}

// For every text number, the first number holding the same text. The numbers are sorted by their
// texts' hashes (a stable radix sort, reading memory in order), so equal texts meet as neighbours;
// a hash table probed text by text would miss the cache on nearly every text of a large sheet.
std::vector<std::uint32_t> firstOfEqualTexts(const SpreadsheetDocument &doc)
{
    const std::size_t count = doc.textCount();
    std::vector<std::uint64_t> keys(count); // hash in the high half, number in the low half
    for (std::size_t i = 0; i < count; ++i)
        keys[i] =
            (std::hash<std::string_view>()(doc.text(static_cast<std::uint32_t>(i))) & 0xFFFFFFFF00000000u) |
            i;
    std::vector<std::uint64_t> sorted(count);
    constexpr int DigitBits = 11;
    for (int shift = 32; shift < 64; shift += DigitBits) {
        std::vector<std::size_t> start((1u << DigitBits) + 1, 0);
        for (const std::uint64_t key : keys)
            ++start[((key >> shift) & ((1u << DigitBits) - 1)) + 1];
        for (std::size_t d = 1; d < start.size(); ++d)
            start[d] += start[d - 1];
        for (const std::uint64_t key : keys)
            sorted[start[(key >> shift) & ((1u << DigitBits) - 1)]++] = key;
        keys.swap(sorted);
    }

    std::vector<std::uint32_t> first(count);
    std::vector<std::uint32_t> distinct; // within one run of equal hashes, the first of each text
    for (std::size_t i = 0; i < count;) {
        std::size_t end = i;
        while (end < count && (keys[end] >> 32) == (keys[i] >> 32))
            ++end;
        distinct.clear();
        for (; i < end; ++i) {
            const auto number = static_cast<std::uint32_t>(keys[i]);
            const auto same = std::find_if(distinct.begin(), distinct.end(),
                                           [&](std::uint32_t d) { return doc.text(d) == doc.text(number); });
            first[number] = same == distinct.end() ? number : *same;
            if (same == distinct.end())
                distinct.push_back(number);
        }
    }
    return first;
}

} // namespace

SharedStrings sharedStrings(const SpreadsheetDocument &doc, const std::vector<SheetPart> &parts)
{
    const std::vector<std::uint32_t> first = firstOfEqualTexts(doc);
    SharedStrings sst;
    sst.indexOf.assign(doc.textCount(), NoString);
    for (const SheetPart &part : parts) {
        for (const SheetCell &cell : doc.cells(part)) {
            if (!(cell.flags & SpreadsheetDocument::HasText))
                continue;
            ++sst.references;
            std::uint32_t &index = sst.indexOf[first[cell.text]];
            if (index == NoString) {
                index = static_cast<std::uint32_t>(sst.order.size());
                sst.order.push_back(first[cell.text]);
            }
        }
    }
    for (std::size_t i = 0; i < first.size(); ++i)
        sst.indexOf[i] = sst.indexOf[first[i]];
    return sst;
}

SharedTexts sharedTexts(const SpreadsheetDocument &doc, const SharedStrings &sst)
{
    return {sst.references, sst.order.size(), [&doc, &sst](std::size_t i) { return doc.text(sst.order[i]); }};
}

void putSharedStrings(RecordWriter &w, const SharedTexts &texts)
{
    putExtSst(w, texts.count, putSst(w, texts));
}

} // namespace tarvena::xls
