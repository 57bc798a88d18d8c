#pragma once

#include <string>
#include <string_view>

#include "evaluation/runrecord.h"

// Where bytes go as they are made: a file being saved, standard output, a
// text in memory.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Takes all of `bytes`; false when it could not, which ends the writing.
    virtual bool Write(std::string_view bytes) = 0;
};

// A sink that appends to a text.
class TextSink : public ByteSink {
public:
    bool Write(std::string_view bytes) override {
        text.append(bytes);
        return true;
    }
    std::string text;
};

// Writes the run's table (TableColumns of its kind) as CSV, UTF-8, into
// `sink` as it is made, a few tens of kilobytes at a time, so a million rows
// never sit in memory whole: a heading row, then a row per line; fields
// separated by ";", rows ended by CR LF. Returns false when the sink refused
// bytes; the writing stops there.
//   closed form, defaults: "№;x;y\r\n1;0.1;-0.01993342215875815\r\n..."
bool WriteTableCsv(const RunRecord& record, ByteSink& sink);

// The whole CSV as a text.
std::string TableCsv(const RunRecord& record);
