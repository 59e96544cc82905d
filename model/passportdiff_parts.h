#pragma once
// The parts of a passport comparison, each adding the lines of its pages.
#include "model/passportdiff.h"

#include <string>
#include <vector>

namespace tarvena::diff {

// A stored text (code page 1251) as a line shows it, UTF-8; "(пусто)" for an empty one.
std::string shown(const std::string &text);
// A caption or title with its line breaks and padding blanks folded into single blanks, UTF-8.
std::string folded(const std::string &utf8);
// A target on a page, at a control or grid.
DiffTarget pageTarget(int page, std::string control);
// A line of a kind with its change told.
DiffLine makeLine(DiffLine::Kind kind, std::vector<std::string> path, std::string change, DiffTarget target);
// A line saying that a value differs.
DiffLine changedLine(std::vector<std::string> path, const std::string &before, const std::string &after,
                     DiffTarget target);

void compareRecord(const TDataModule2 &before, const TDataModule2 &after, std::vector<DiffLine> &lines);
void compareHorizons(const TDataModule2 &before, const TDataModule2 &after, const Horizons &was,
                     const Horizons &is, ContourMeasure *measure, std::vector<DiffLine> &lines);
void compareAttachments(const TDataModule2 &before, const TDataModule2 &after, const Horizons &was,
                        const Horizons &is, std::vector<DiffLine> &lines);

} // namespace tarvena::diff
