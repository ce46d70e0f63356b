#include "about/credits.h"

#include <initializer_list>

namespace gravelock {

std::string creditsText() {
    const std::string wide(36, '=');
    const std::string wider(42, '=');
    const std::initializer_list<std::string> lines = {
        wide,
        "Gravelock 2.0 credits",
        wide,
        "",
        "",
        "CODERS ",
        "",
        "Quarzfeder",
        "",
        "Brackwater",
        "",
        "Nibelfox",
        "",
        "Tin Harrow",
        "",
        "",
        "MISC",
        "",
        "Project leader : Brackwater",
        "English site : Lowmoss",
        "French site : Pivoine",
        "2D Artist : Kestrelle",
        "Generic : Quarzfeder",
        "",
        "Official sites ",
        "",
        kMainSite,
        kMirrorSite,
        "http://fr.gravelock.example.org",
        "",
        "",
        "",
        wider,
        "For all bugs report or support, contact",
        kSupportContact,
        wider,
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

CreditsScroller::CreditsScroller(int pictureHeight, int labelHeight)
    : pictureHeight_(pictureHeight), labelHeight_(labelHeight), top_(pictureHeight) {}

bool CreditsScroller::tick() {
    top_ -= kStep;
    // Only once the last line is above the picture's top edge, not as it touches it.
    if (top_ < -labelHeight_) {
        top_ = pictureHeight_;
        return true;
    }
    return false;
}

} // namespace gravelock
