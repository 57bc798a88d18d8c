#pragma once

#include <optional>
#include <string>

#include "evaluation/dialogueservice.h"
#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"

// A run, a tabulation, as everything after the data entry takes it: the state the
// data-entry run writes (its CoordinatesText is the run's text), what every
// line was made from, and how the run ended. The window keeps one, replaced
// by every run; the view, saving and the command line take it whole.
struct Tabulation {
    SweepState state;
    RunRecord record;
    // Empty before the first run, and after a run an arithmetic fault ended.
    std::optional<RunOutcome> outcome;

    const std::string& Text() const { return state.CoordinatesText; }
};

// The data-entry run (RunDataEntry) on `run`, keeping how it ended. Throws as
// RunDataEntry does, with the outcome left empty and the lines made kept.
const RunOutcome& EnterRun(Tabulation& run, DialogueService& dialogues,
                           const RunLimits& limits = {}, const SlowSweepNotice& slow = {});
