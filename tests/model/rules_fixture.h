#pragma once
// A data module opened as at start-up, with a prompts service that records every message, for the
// tests of the passport rules.
#include "model/datamodule.h"
#include "model/passportrules.h"
#include "model/validation.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvena::testing {

class RecordingPrompts : public Prompts
{
public:
    struct Message
    {
        std::string caption, text;
        Icon icon;
        int buttons;
    };
    int message(const std::string &caption, const std::string &text, Icon icon, int buttons) override
    {
        messages.push_back({caption, text, icon, buttons});
        return Ok;
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Message &m : messages)
            result.push_back(m.text);
        return result;
    }
    std::vector<Message> messages;
};

class RulesTest : public ::testing::Test
{
protected:
    RulesTest() : dm(&prompts) { dm.DataModuleCreate(dictionaryDir()); }
    ~RulesTest() override { validation::setCurrentYear(std::nullopt); }

    Field &field(MemTable &table, const char *name) { return table.FieldByName(name); }
    // Appends a row to table, lets fill set its fields, and posts it.
    template <typename Fill> void addRow(MemTable &table, Fill fill)
    {
        table.Append();
        fill(table);
        table.Post();
    }

    RecordingPrompts prompts;
    TDataModule2 dm;
};

} // namespace tarvena::testing
