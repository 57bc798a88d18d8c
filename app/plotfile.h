#pragma once

#include <string>

class RunRecord;

// The command line's plot: the run drawn as the view draws it (RunPlot and
// its legend), WxH pixels, offscreen, with no display needed, into `path` in
// the form its suffix names (.png, .svg, .pdf), atomically. Makes the
// toolkit's application, on its offscreen platform, when there is none yet.
// Returns the Russian cause of a failure, or empty text.
std::string WritePlotFile(const RunRecord& record, const std::string& path, int width, int height);
