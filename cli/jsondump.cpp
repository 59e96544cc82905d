#include "cli/jsondump.h"

#include "cli/sha256.h"
#include "model/fieldvalue.h"
#include "storage/codepage.h"
#include "storage/gzip.h"

#include <nlohmann/json.hpp>

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
        return nlohmann::json(*i).dump();
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
    // JSON has no NaN or infinities: they go as texts. A finite value is the shortest text that reads
    // back to it (the library would add ".0" to whole numbers, which the dump has never written).
    if (std::isnan(value))
        return jsonString("NaN");
    if (std::isinf(value))
        return jsonString(value > 0 ? "Infinity" : "-Infinity");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string jsonString(const std::string &utf8)
{
    // The library escapes and checks the text; a byte that is not UTF-8 becomes U+FFFD instead of
    // breaking the document.
    const std::string escaped =
        nlohmann::json(utf8).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    // The dump has always written backspace and form feed as \u escapes; keep its bytes.
    if (escaped.find("\\b") == std::string::npos && escaped.find("\\f") == std::string::npos)
        return escaped;
    std::string out;
    out.reserve(escaped.size() + 8);
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\' || i + 1 == escaped.size()) {
            out += escaped[i];
            continue;
        }
        const char next = escaped[++i];
        out += next == 'b' ? "\\u0008" : next == 'f' ? "\\u000c" : std::string{'\\', next};
    }
    return out;
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
