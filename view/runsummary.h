#pragma once

#include <string>

class RunRecord;

// How the sweep's own rounding showed at the end of the run (SweepDriftText
// of DriftOf); empty where the abscissas did not drift.
std::string SweepText(const RunRecord& record);

// The run in a few words, under its table: the recipe and its line count
// (RecipeText), then SweepText.
std::string RunSummary(const RunRecord& record);
