// A reader for Valve's KeyValues text format (".vdf"), as Steam writes its
// library list: quoted keys and values, nested braces, backslash escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gravelock {

struct VdfNode {
    std::string key;
    std::string value;             // for a key with a value
    std::vector<VdfNode> children; // for a key with a braced block
    bool isBlock = false;

    // The first child whose key matches without regard to case, or nullptr.
    const VdfNode* child(std::string_view name) const;
};

// The top-level entries of the text, or nullopt for a text that is not well
// formed (an unclosed quote or brace, a stray brace, a key without a value, or
// nesting deeper than any real file has).
std::optional<std::vector<VdfNode>> parseVdf(std::string_view text);

} // namespace gravelock
