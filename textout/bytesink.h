#pragma once

#include <string>
#include <string_view>

// Where bytes go as they are made: a file being saved, standard output, a
// text in memory, the clipboard.
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
