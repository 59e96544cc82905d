#pragma once
// The parts of the passport check, each adding the findings of its rows of the rules table.
#include "model/completeness.h"
#include "model/horizons.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace tarvena::completeness {

// Collects findings: the rule gives the severity, the message with the particulars filled in, and the
// place, which a finding completes (the row of a grid, the control of a field).
class FindingList
{
public:
    // The rule's own place, with the row of a grid where one is given.
    void add(Check check, std::initializer_list<std::string> particulars, int row = -1);
    void add(Check check, std::initializer_list<std::string> particulars, Place place);
    // The rule's place with the finding's own object (a control, a grid) and column field.
    Place place(Check check, const std::string &object, const std::string &field, int row = -1) const;

    std::vector<Finding> findings;
};

// The record's fields, regions, survey parameters and years.
void checkRecord(const TDataModule2 &dm, FindingList &list);
// The reflecting and productive horizons, their resources and the cross-checks of the fluids.
void checkHorizons(const TDataModule2 &dm, const Horizons &horizons, FindingList &list);
// The trap contours of the productive horizons.
void checkContours(const Horizons &horizons, const ContourMeasure &measure, FindingList &list);
// The documents and maps attached.
void checkDocuments(const TDataModule2 &dm, FindingList &list);

// A number as the messages write it.
std::string numberText(double value);

} // namespace tarvena::completeness
