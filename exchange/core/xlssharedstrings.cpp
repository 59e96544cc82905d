#include "exchange/core/xlssharedstrings.h"

#include <algorithm>

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
std::vector<SstBucket> putSst(RecordWriter &w, const SpreadsheetDocument &doc, const SharedStrings &sst)
{
    std::vector<SstBucket> buckets;
    const std::size_t perBucket = stringsPerBucket(sst.order.size());
    w.begin(record::Sst);
    w.u32(sst.references);
    w.u32(static_cast<std::uint32_t>(sst.order.size()));
    for (std::size_t i = 0; i < sst.order.size(); ++i) {
        const FileString s = fileString(doc.text(sst.order[i]));
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

void putExtSst(RecordWriter &w, const SharedStrings &sst, const std::vector<SstBucket> &buckets)
{
    w.begin(record::ExtSst);
    w.u16(static_cast<std::uint16_t>(stringsPerBucket(sst.order.size())));
    for (const SstBucket &b : buckets) {
        w.u32(b.streamOffset);
        w.u16(b.recordOffset);
        w.u16(0);
    }
    w.end();
}

} // namespace

SharedStrings sharedStrings(const SpreadsheetDocument &doc, const std::vector<SheetPart> &parts)
{
    SharedStrings sst;
    sst.indexOf.assign(doc.textCount(), NoString);
    for (const SheetPart &part : parts) {
        for (const SheetCell &cell : doc.cells(part)) {
            if (!(cell.flags & SpreadsheetDocument::HasText))
                continue;
            ++sst.references;
            if (sst.indexOf[cell.text] == NoString) {
                sst.indexOf[cell.text] = static_cast<std::uint32_t>(sst.order.size());
                sst.order.push_back(cell.text);
            }
        }
    }
    return sst;
}

void putSharedStrings(RecordWriter &w, const SpreadsheetDocument &doc, const SharedStrings &sst)
{
    putExtSst(w, sst, putSst(w, doc, sst));
}

} // namespace tarvena::xls
