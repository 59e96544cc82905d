#include "cli/jsondump.h"

#include "cli/sha256.h"
#include "model/fieldvalue.h"
#include "storage/codepage.h"
#include "storage/gzip.h"

#include <charconv>
#include <cmath>

namespace tarvena::cli {

namespace {

std::string blobJson(const std::string &bytes)
{
    std::string json = "{\"len\": " + std::to_string(bytes.size()) + ", \"sha256\": \"" + sha256Hex(bytes) +
                       "\", \"gunzip_sha256\": ";
    if (isGzipMember(bytes)) {
        // Hashed as it inflates: an attachment's content never has to fit in memory.
        ViewStream packed(bytes);
        Sha256Stream digest;
        TGzip().Decompress(packed, digest);
        json += "\"" + digest.hex() + "\"";
    } else
        json += "null";
    return json + "}";
}

std::string valueJson(const Field &field, const Value &value)
{
    if (isNull(value))
        return "null";
    if (const auto *i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (const auto *d = std::get_if<double>(&value))
        return jsonNumber(*d);
    if (const auto *b = std::get_if<bool>(&value))
        return *b ? "true" : "false";
    const std::string &bytes = std::get<std::string>(value);
    if (fieldvalue::isBinary(field.DataType()))
        return blobJson(bytes);
    return jsonString(codepage::cp1251ToUtf8(bytes));
}

} // namespace

std::string jsonNumber(double value)
{
    if (std::isnan(value))
        return "\"NaN\"";
    if (std::isinf(value))
        return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string jsonString(const std::string &utf8)
{
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char digits[] = "0123456789abcdef";
                out += "\\u00";
                out += digits[c >> 4];
                out += digits[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void writeTablesJson(std::ostream &out, const std::vector<NamedTable> &tables, bool withStatus)
{
    out << "{\"tables\": {";
    bool firstTable = true;
    for (const NamedTable &named : tables) {
        out << (firstTable ? "" : ", ") << "\n  " << jsonString(named.name) << ": ";
        firstTable = false;
        if (!named.table) {
            out << "null";
            continue;
        }
        const MemTable &table = *named.table;
        std::vector<const Field *> fields;
        for (int i = 0; i < table.FieldCount(); ++i)
            if (table.fieldAt(i).dataIndex() >= 0)
                fields.push_back(&table.fieldAt(i));
        out << "{\"fields\": [";
        for (std::size_t i = 0; i < fields.size(); ++i)
            out << (i ? ", " : "") << jsonString(codepage::cp1251ToUtf8(fields[i]->FieldName()));
        out << "], \"rows\": [";
        bool firstRow = true;
        table.forEachStoredInOrder([&](const std::vector<Value> &values, int status) {
            out << (firstRow ? "" : ",") << "\n    {";
            firstRow = false;
            bool firstValue = true;
            if (withStatus) {
                out << "\"_status\": " << status;
                firstValue = false;
            }
            for (const Field *field : fields) {
                out << (firstValue ? "" : ", ") << jsonString(codepage::cp1251ToUtf8(field->FieldName()))
                    << ": " << valueJson(*field, values[static_cast<std::size_t>(field->dataIndex())]);
                firstValue = false;
            }
            out << "}";
        });
        out << "]}";
    }
    out << "\n}}\n";
}

} // namespace tarvena::cli
