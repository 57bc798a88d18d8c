#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/dialogueservice.h"

// A data-entry run as a fuzz input tells it: the first byte chooses the
// series (odd) or the closed form (even), the next lines (up to four, split
// at line feeds) are the texts typed at the prompts in order.
struct FuzzScript {
    Answer choice;
    std::vector<std::optional<std::string>> replies;
    std::string_view rest;  // the bytes after the replies
};

// Reads the script from a non-empty input.
inline FuzzScript ReadFuzzScript(const std::uint8_t* data, std::size_t size) {
    FuzzScript script{(data[0] & 1) != 0 ? Answer::Yes : Answer::No,
                      {},
                      std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
    std::string_view& rest = script.rest;
    for (int prompt = 0; prompt < 4 && !rest.empty(); ++prompt) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        script.replies.emplace_back(std::string(rest.substr(0, end)));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return script;
}
