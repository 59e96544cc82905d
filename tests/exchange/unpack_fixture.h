#pragma once
// A small passport built through the real data module for the unpacking tests: three productive
// horizons (degrees-minutes-seconds points, no points, decimal-degree points), two reflecting
// horizons and attachments of every kind.
#include "model/datamodule.h"
#include "storage/gzip.h"
#include "tests/exchange/readback.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tarvena::testing {

struct Attachment
{
    std::string name;        // UTF-8 (converted to the model's code page when stored)
    std::string bytes;       // plain content
    std::string description; // UTF-8
};

inline std::string fileBytes(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline std::filesystem::path u8path(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

class UnpackFixture : public ::testing::Test
{
protected:
    UnpackFixture() { dm.DataModuleCreate(dictionaryDir()); }

    void setObjectName(const std::string &utf8)
    {
        MemTable &passport = dm.PASPORTS;
        if (passport.State() == TableState::Browse)
            passport.Edit();
        passport.FieldByName("OBJECTNAME").SetAsString(cp(utf8.c_str()));
        passport.Post();
    }

    void addReflectHorizon(const char *index, double square)
    {
        dm.REFLECT_HORIZONTS.Append();
        dm.REFLECT_HORIZONTS.FieldByName("INDEXOG").SetAsString(cp(index));
        dm.REFLECT_HORIZONTS.FieldByName("SQUARE").SetAsFloat(square);
        dm.REFLECT_HORIZONTS.Post();
    }

    void addProductiveHorizon(const char *name, int fluid, int system,
                              const std::vector<std::pair<double, double>> &points)
    {
        MemTable &horizons = dm.POSIB_PRODUCT_HOR;
        horizons.Append();
        horizons.FieldByName("STRATIGRSVIT").SetAsString(cp(name));
        horizons.FieldByName("UV_ID").SetAsInteger(fluid);
        horizons.FieldByName("KONTURKOORDTYPE").SetAsInteger(system);
        horizons.Post();
        for (const auto &[x, y] : points) {
            dm.KONTUR.Append();
            dm.KONTUR.FieldByName("X").SetAsFloat(x);
            dm.KONTUR.FieldByName("Y").SetAsFloat(y);
            dm.KONTUR.Post();
        }
    }

    void addAttachment(const Attachment &a)
    {
        addStoredAttachment(a.name, gzipBytes(a.bytes), a.description);
    }

    void addStoredAttachment(const std::string &name, const std::string &content,
                             const std::string &description)
    {
        MemTable &files = dm.FILES;
        files.Append();
        files.FieldByName("NAME").SetAsString(cp(name.c_str()));
        files.FieldByName("CONTENT").SetAsString(content);
        files.FieldByName("DESCRIPTION").SetAsString(cp(description.c_str()));
        files.FieldByName("SRCNAME").SetAsString("source.bin");
        files.Post();
    }

    // The passport of most tests.
    void fillPassport()
    {
        setObjectName("  Северная  ");
        addReflectHorizon("Т2", 12.5);
        addReflectHorizon("Б", 7);
        addProductiveHorizon("Ю1", 397, 1, {{55.5, 37.6175}, {56, 38}});
        addProductiveHorizon("Ю2", 398, 4, {});
        addProductiveHorizon("Ю3", 886, 2, {{60.5, 70.25}});
        for (const Attachment &a : attachments)
            addAttachment(a);
    }

    std::filesystem::path passportFolder() const { return chosen / u8path("ПАСПОРТ ОБЪЕКТА Северная"); }

    const std::vector<Attachment> attachments = {
        {"Титульный лист.doc", noiseBytes(3000, 1), "Титул"},
        {"Пояснительная записка.pdf", noiseBytes(70000, 2), "Записка\r\nвторая строка"},
        {"Рекомендации.txt", std::string(100000, 'a'), ""},
        {"To1.jpg", noiseBytes(10, 3), "Карта №1"},
        {"photo.png", "", ""},
    };

    TempFolder root;
    std::filesystem::path chosen = root.path() / u8path("выбранная папка");
    TDataModule2 dm;
};

} // namespace tarvena::testing
