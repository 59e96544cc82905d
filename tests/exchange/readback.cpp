#include "tests/exchange/readback.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string_view>

namespace tarvena::testing {

namespace {

// Just enough JSON for the script's output.
struct Json
{
    enum Type
    {
        Null,
        Bool,
        Number,
        String,
        Array,
        Object
    } type = Null;
    double number = 0;
    std::string string;
    std::vector<Json> array;
    std::map<std::string, Json> object;

    const Json &operator[](const std::string &key) const
    {
        auto it = object.find(key);
        if (it == object.end())
            throw std::runtime_error("JSON key missing: " + key);
        return it->second;
    }
    int integer() const { return static_cast<int>(number); }
};

class JsonParser
{
public:
    explicit JsonParser(const std::string &text) : mText(text) {}

    Json parse()
    {
        Json value = parseValue();
        skipSpace();
        if (mPos != mText.size())
            fail("trailing data");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string &what)
    {
        throw std::runtime_error("bad JSON (" + what + ") at " + std::to_string(mPos));
    }
    void skipSpace()
    {
        while (mPos < mText.size() && std::isspace(static_cast<unsigned char>(mText[mPos])))
            ++mPos;
    }
    char next()
    {
        if (mPos >= mText.size())
            fail("end of text");
        return mText[mPos++];
    }
    void expect(const char *word)
    {
        for (const char *p = word; *p; ++p)
            if (next() != *p)
                fail(std::string("expected ") + word);
    }
    static void putUtf8(std::string &out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    unsigned hex4()
    {
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = next();
            v = v * 16 +
                (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10));
        }
        return v;
    }
    std::string parseString()
    {
        std::string out;
        for (;;) {
            char c = next();
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            c = next();
            switch (c) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                unsigned code = hex4();
                if (code >= 0xD800 && code < 0xDC00) {
                    expect("\\u");
                    code = 0x10000 + ((code - 0xD800) << 10) + (hex4() - 0xDC00);
                }
                putUtf8(out, code);
                break;
            }
            default:
                out += c;
            }
        }
    }
    Json parseValue()
    {
        skipSpace();
        Json v;
        const char c = next();
        if (c == '{') {
            v.type = Json::Object;
            skipSpace();
            if (mText[mPos] == '}')
                return ++mPos, v;
            do {
                skipSpace();
                if (next() != '"')
                    fail("key");
                std::string key = parseString();
                skipSpace();
                if (next() != ':')
                    fail(":");
                v.object[key] = parseValue();
                skipSpace();
            } while (next() == ',' || (--mPos, false));
            if (next() != '}')
                fail("}");
        } else if (c == '[') {
            v.type = Json::Array;
            skipSpace();
            if (mText[mPos] == ']')
                return ++mPos, v;
            do {
                v.array.push_back(parseValue());
                skipSpace();
            } while (next() == ',' || (--mPos, false));
            if (next() != ']')
                fail("]");
        } else if (c == '"') {
            v.type = Json::String;
            v.string = parseString();
        } else if (c == 't' || c == 'f') {
            v.type = Json::Bool;
            v.number = c == 't';
            expect(c == 't' ? "rue" : "alse");
        } else if (c == 'n') {
            expect("ull");
        } else {
            v.type = Json::Number;
            const std::size_t start = --mPos;
            while (mPos < mText.size() &&
                   std::string_view("+-.eE0123456789").find(mText[mPos]) != std::string::npos)
                ++mPos;
            v.number = std::stod(mText.substr(start, mPos - start));
        }
        return v;
    }

    const std::string &mText;
    std::size_t mPos = 0;
};

std::string shellQuoted(const std::string &s)
{
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The interpreter that has xlrd: the one on the search path, else Debian's own, which a
// user-installed Python ahead of it on the path may hide.
const std::string &python()
{
    static const std::string interpreter = [] {
        for (const char *candidate : {"python3", "/usr/bin/python3"})
            if (std::system((std::string(candidate) + " -c 'import xlrd' 2>/dev/null").c_str()) == 0)
                return std::string(candidate);
        throw std::runtime_error("python3 with xlrd (python3-xlrd) is not installed");
    }();
    return interpreter;
}

Json runScript(const std::string &arguments)
{
    const std::filesystem::path script =
        std::filesystem::path(TARVENA_TEST_DATA_DIR).parent_path() / "exchange" / "xlrd_check.py";
    const std::string command = python() + " " + shellQuoted(script.string()) + " " + arguments + " 2>&1";
    std::FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    if (pclose(pipe) != 0)
        throw std::runtime_error("xlrd_check.py failed: " + output.substr(0, 2000));
    return JsonParser(output).parse();
}

std::vector<std::string> strings(const Json &list)
{
    std::vector<std::string> result;
    for (const Json &item : list.array)
        result.push_back(item.string);
    return result;
}

} // namespace

const ReadCell *ReadSheet::cell(int row, int column) const
{
    for (const ReadCell &c : cells)
        if (c.row == row - 1 && c.column == column - 1)
            return &c;
    return nullptr;
}

ReadWorkbook readWorkbook(const std::filesystem::path &file)
{
    const Json json = runScript(shellQuoted(file.string()));
    ReadWorkbook book;
    book.warnings = strings(json["warnings"]);
    book.problems = strings(json["problems"]);
    book.maxRecord = json["maxRecord"].integer();
    for (const Json &s : json["sheets"].array) {
        ReadSheet sheet;
        sheet.name = s["name"].string;
        sheet.rows = s["nrows"].integer();
        sheet.columns = s["ncols"].integer();
        for (const Json &c : s["cells"].array) {
            const int flags = c.array.at(3).integer();
            sheet.cells.push_back({c.array.at(0).integer(), c.array.at(1).integer(), c.array.at(2).string,
                                   (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0, (flags & 8) != 0});
        }
        for (const auto &[column, width] : s["widths"].object)
            sheet.widths[std::stoi(column)] = width.integer();
        for (const Json &column : s["hidden"].array)
            sheet.hidden.insert(column.integer());
        for (const auto &[row, height] : s["heights"].object)
            sheet.heights[std::stoi(row)] = height.integer();
        book.sheets.push_back(std::move(sheet));
    }
    return book;
}

ReadContainer readContainer(const std::filesystem::path &file)
{
    const Json json = runScript("--cfb " + shellQuoted(file.string()));
    ReadContainer container;
    container.size = static_cast<long long>(json["size"].number);
    container.crc32 = static_cast<unsigned long>(json["crc32"].number);
    if (json.object.count("entries"))
        container.entries = strings(json["entries"]);
    return container;
}

TempFolder::TempFolder()
{
    std::random_device random;
    mPath = std::filesystem::temp_directory_path() / ("tarvena-test-" + std::to_string(random()));
    std::filesystem::create_directories(mPath);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

std::string TempFolder::file(const std::string &name) const
{
    return (mPath / name).string();
}

} // namespace tarvena::testing
