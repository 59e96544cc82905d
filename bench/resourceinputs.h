#pragma once
// Counting parameters that give every resource of a productive horizon a value, for the benchmarks
// that make resources compute.
#include <utility>

namespace tarvena::bench {

inline constexpr std::pair<const char *, double> kResourceInputs[] = {
    {"SQUARENEFTENOSN", 10},        {"EFECTOILWIDTH", 5},       {"OILKOEFOTKRPORIST", 0.2},
    {"KOEFOILNASUSH", 0.7},         {"OILPLOTN", 0.85},         {"OILPERERASCHKOEF", 0.8},
    {"KOEFOILIZVL", 0.3},           {"OILGAZFACTOR", 50},       {"SQUAREGAZONOSN", 10},
    {"EFECTGAZWIDTH", 5},           {"GAZKOEFOTKRPORIST", 0.2}, {"KOEFGAZNASUSH", 0.7},
    {"GAZSTARTPLASTPREASURE", 200}, {"GAZKOEFSZIM", 0.8},       {"GAZENDPLASTPREASURE", 1},
    {"GAZTEMPERPOPR", 0.9},         {"GAZSODSUH", 0.5},         {"GAZCONDAVGSTARTCONSIST", 100},
    {"GAZCONDKOEFIZVLECH", 0.5}};

} // namespace tarvena::bench
