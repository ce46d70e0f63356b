// A message the rules hand to a window for the player, in UTF-8.
#pragma once

#include <string>

namespace gravelock {

// An empty title shows the program's title.
struct PlayerMessage {
    std::string text;
    std::string title;
    bool operator==(const PlayerMessage&) const = default;
};

} // namespace gravelock
