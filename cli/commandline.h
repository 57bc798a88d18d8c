#pragma once

#include <functional>
#include <string>

class RunRecord;

// The program without its window: the data-entry run answered from the
// command line, its text written to standard output.
//   tabulator --print (--series | --closed-form) [--start T] [--end T]
//             [--step T] [--precision T] [--csv | --csv-comma] [--xlsx FILE]
//             [--plot FILE [--size WxH]]
//   tabulator --terms X [--precision T] [--csv | --csv-comma]
//   tabulator --help | --version
// Each T is what the user would type into that input box, read exactly as the
// box's text; an option left out confirms the box's default text. Standard
// output gets the coordinates text byte for byte (or, with --csv, the table
// as CSV, written as it is made) and nothing else; refusals, a stopped sweep,
// the rounding warning and arithmetic faults go to standard error in the
// window's words. The lines made before a stop or a fault are still written.
// A reader that closes the pipe early ends the program quietly. --terms
// prints the series at X term by term (TermsText, or the CSV), X read as the
// first abscissa's box reads it, the precision as the precision box's.
// --csv-comma gives the CSV with "," decimals for spreadsheets; --xlsx writes
// the table as an Excel book, --plot the run's plot in the form its suffix
// names (.png, .svg, .pdf), WxH pixels (960x600 unless --size says), both
// besides what goes to standard output, each atomically.
// Returns the exit status: 0 completed (also with the precision warning), 1
// refused or stopped (or the output or a file could not be written, with its
// cause on standard error), 2 wrong usage, 3 arithmetic fault.
// `writePlot` draws the record's plot into a file, WxH pixels, and returns
// the Russian cause of a failure or empty text; it comes from the program's
// start, which links what draws.
using PlotWriter = std::function<std::string(const RunRecord& record, const std::string& path,
                                             int width, int height)>;
int RunCommandLine(int argc, char* argv[], const PlotWriter& writePlot);

// Whether the arguments ask for the command line: any of its own options
// ("--print", "--help", "-h", "--version", "-v", ... also as "-print" or
// "--start=1"). Every other start, the toolkit's own arguments ("-session ID",
// "-platform xcb", "-style fusion") among them, is the window's.
//   {"tabulator", "--print", "--closed-form"} -> true
//   {"tabulator", "-session", "1234"} -> false; {"tabulator"} -> false
bool IsCommandLineStart(int argc, char* argv[]);
