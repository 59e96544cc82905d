// tarvena-cli probabilistic: the probabilistic resources of every productive horizon, simulated from the
// ranges of the probabilistic grids, as a table or JSON on standard output; --write stores the figures
// as the editor's dialog does and saves the passport under a new name.
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "model/datamodule.h"
#include "model/probabilisticinputs.h"
#include "storage/error.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <optional>

namespace tarvena::cli {

namespace {

struct Settings
{
    SimulationSettings simulation;
    WrittenFigure figure = WrittenFigure::Mode;
    std::optional<std::string> write;
    bool json = false;
};

std::uint64_t wholeValue(const std::string &option, const std::string &text, std::uint64_t min,
                         std::uint64_t max)
{
    std::size_t used = 0;
    unsigned long long value = 0;
    try {
        value = std::stoull(text, &used);
    } catch (const std::exception &) {
        used = 0;
    }
    if (used != text.size() || text.empty() || text[0] == '-' || value < min || value > max)
        throw Error("Значение " + option + " должно быть целым числом от " + std::to_string(min) + " до " +
                    std::to_string(max) + ": \"" + text + "\"");
    return value;
}

Settings settingsOf(const Options &options)
{
    Settings s;
    for (const auto &[option, value] : options.probabilistic) {
        if (option == "--samples")
            s.simulation.draws = static_cast<int>(wholeValue(option, value, 2, 100000000));
        else if (option == "--seed")
            s.simulation.seed = wholeValue(option, value, 0, UINT64_MAX);
        else if (option == "--triangular")
            s.simulation.distribution = Distribution::Triangular;
        else if (option == "--json")
            s.json = true;
        else if (option == "--write")
            s.write = value;
        else if (option == "--figure") {
            if (value == "mode")
                s.figure = WrittenFigure::Mode;
            else if (value == "p50")
                s.figure = WrittenFigure::Median;
            else if (value == "mean")
                s.figure = WrittenFigure::Mean;
            else
                throw Error("Значение --figure должно быть mode, p50 или mean: \"" + value + "\"");
        }
    }
    return s;
}

const char *fluidName(ResourceFluid fluid)
{
    switch (fluid) {
    case ResourceFluid::Gas:
        return "газ";
    case ResourceFluid::Condensate:
        return "конденсат";
    case ResourceFluid::Oil:
        break;
    }
    return "нефть";
}

const char *fluidKey(ResourceFluid fluid)
{
    return fluid == ResourceFluid::Oil ? "oil" : fluid == ResourceFluid::Gas ? "gas" : "condensate";
}

std::string figure(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// Pads a UTF-8 text to a width in characters.
std::string padded(const std::string &text, std::size_t width)
{
    std::size_t characters = 0;
    for (unsigned char c : text)
        characters += (c & 0xC0) != 0x80;
    return text + std::string(width > characters ? width - characters : 0, ' ');
}

void printTable(const std::vector<HorizonInputs> &horizons,
                const std::vector<std::vector<FluidEstimate>> &all, const Settings &s)
{
    std::cout << "Вероятностная оценка ресурсов: " << s.simulation.draws << " испытаний, начальное число "
              << s.simulation.seed << ", распределение "
              << (s.simulation.distribution == Distribution::Triangular ? "треугольное" : "равномерное")
              << "\n";
    for (std::size_t h = 0; h < horizons.size(); ++h) {
        for (const FluidEstimate &e : all[h]) {
            std::cout << "\n" << horizons[h].name << " (" << fluidName(e.fluid) << ")\n";
            if (!e.refusal.empty()) {
                std::cout << "  " << e.refusal << "\n";
                continue;
            }
            for (const std::string &note : e.notes)
                std::cout << "  " << note << "\n";
            std::cout << "  " << padded("Ресурс", 48);
            for (const char *head : {"Среднее", "σ", "P90", "P50", "P10", "Наиб. вероятн.", "Вероятность"})
                std::cout << padded(head, 15);
            std::cout << "\n";
            for (const ResourceEstimate &r : e.resources) {
                const DrawSummary &d = r.summary;
                const WrittenValues w = writtenValues(d, s.figure);
                std::cout << "  "
                          << padded(std::string(resourceName(r.resource)) + ", " + resourceUnit(r.resource),
                                    48);
                for (double v : {d.mean, d.sigma, d.p90, d.p50, d.p10, w.value, w.probability})
                    std::cout << padded(figure(v), 15);
                std::cout << "\n";
            }
        }
    }
}

const char *resourceKey(ProbabilisticResource resource)
{
    static const char *const keys[] = {"balance_oil",           "recoverable_oil", "dissolved_gas",
                                       "initial_gas",           "balance_gas",     "balance_condensate",
                                       "recoverable_condensate"};
    return keys[static_cast<int>(resource)];
}

void printJson(const std::vector<HorizonInputs> &horizons, const std::vector<std::vector<FluidEstimate>> &all,
               const Settings &s)
{
    using nlohmann::json;
    json out = {
        {"samples", s.simulation.draws},
        {"seed", s.simulation.seed},
        {"distribution", s.simulation.distribution == Distribution::Triangular ? "triangular" : "uniform"},
        {"figure", s.figure == WrittenFigure::Mode     ? "mode"
                   : s.figure == WrittenFigure::Median ? "p50"
                                                       : "mean"},
        {"horizons", json::array()}};
    for (std::size_t h = 0; h < horizons.size(); ++h) {
        json horizon = {
            {"index", horizons[h].storedIndex}, {"name", horizons[h].name}, {"fluids", json::array()}};
        horizon["id"] = horizons[h].id ? json(*horizons[h].id) : json();
        for (const FluidEstimate &e : all[h]) {
            json fluid = {{"fluid", fluidKey(e.fluid)}, {"notes", e.notes}, {"resources", json::array()}};
            if (!e.refusal.empty())
                fluid["refusal"] = e.refusal;
            for (const ResourceEstimate &r : e.resources) {
                const DrawSummary &d = r.summary;
                const WrittenValues w = writtenValues(d, s.figure);
                fluid["resources"].push_back({{"resource", resourceKey(r.resource)},
                                              {"name", resourceName(r.resource)},
                                              {"unit", resourceUnit(r.resource)},
                                              {"mean", d.mean},
                                              {"sigma", d.sigma},
                                              {"p90", d.p90},
                                              {"p50", d.p50},
                                              {"p10", d.p10},
                                              {"mode", d.mode},
                                              {"mode_probability", d.modeProbability},
                                              {"value", w.value},
                                              {"probability", w.probability}});
            }
            horizon["fluids"].push_back(std::move(fluid));
        }
        out["horizons"].push_back(std::move(horizon));
    }
    std::cout << out.dump(2) << "\n";
}

// Writes the figures into the horizons they were computed for; a horizon without ID is found by its
// place, the table being neither filtered nor sorted after opening.
void writeAll(TDataModule2 &dm, const std::vector<HorizonInputs> &horizons,
              const std::vector<std::vector<FluidEstimate>> &all, WrittenFigure figure)
{
    MemTable &table = dm.POSIB_PRODUCT_HOR;
    table.SetFiltered(false);
    for (std::size_t h = 0; h < horizons.size(); ++h) {
        if (horizons[h].id) {
            if (!table.Locate("ID", Value{std::int64_t{*horizons[h].id}}))
                continue;
        } else {
            table.SetRecNo(horizons[h].storedIndex + 1);
        }
        for (const FluidEstimate &e : all[h])
            writeEstimate(table, e, figure);
    }
    table.First();
}

} // namespace

bool isProbabilisticOption(const std::string &arg, bool &valued)
{
    valued = arg == "--samples" || arg == "--seed" || arg == "--write" || arg == "--figure";
    return valued || arg == "--triangular" || arg == "--json";
}

int probabilisticCommand(const Options &options)
{
    const Settings s = settingsOf(options);
    CliPrompts prompts;
    auto dm = createDataModule(options, prompts);
    dm->OpenPassport(options.positional.at(1));
    const std::vector<HorizonInputs> horizons = readProbabilisticHorizons(*dm);
    std::vector<FluidInputs> inputs;
    for (const HorizonInputs &h : horizons)
        inputs.insert(inputs.end(), h.fluids.begin(), h.fluids.end());
    std::vector<FluidEstimate> estimates = simulateFluids(inputs, s.simulation);
    std::vector<std::vector<FluidEstimate>> all;
    std::size_t next = 0;
    for (const HorizonInputs &h : horizons) {
        auto &own = all.emplace_back();
        for (std::size_t i = 0; i < h.fluids.size(); ++i)
            own.push_back(std::move(estimates[next++]));
    }
    if (s.json)
        printJson(horizons, all, s);
    else
        printTable(horizons, all, s);
    if (s.write) {
        writeAll(*dm, horizons, all, s.figure);
        dm->PostPendingEdits();
        dm->SavePassport(*s.write);
    }
    return 0;
}

} // namespace tarvena::cli
