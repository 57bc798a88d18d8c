#include "evaluation/tabulation.h"

const RunOutcome& EnterRun(Tabulation& run, DialogueService& dialogues, const RunLimits& limits,
                           const SlowSweepNotice& slow) {
    run.outcome.reset();
    run.outcome = RunDataEntry(run.state, dialogues, run.record, limits, slow);
    return *run.outcome;
}
