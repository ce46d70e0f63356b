// The credits shown by the about box and its hidden credits window, and the
// rule that scrolls them: plain C++ so the rules can be ticked in tests.
#pragma once

#include <string>

namespace gravelock {

// The program's two official web sites.
inline constexpr const char* kMainSite = "http://gravelock.example.org";
inline constexpr const char* kMirrorSite = "http://www.example.org/gravelock";
// Where players report bugs.
inline constexpr const char* kSupportContact = "support@gravelock.example.org";

// The credits text, lines ended by carriage return and line feed.
std::string creditsText();

// Moves the credits label up through the picture, all in twips. The label
// starts just below the picture and starts over from there once it has left
// the picture completely at the top.
class CreditsScroller {
public:
    static constexpr int kStep = 27;

    CreditsScroller(int pictureHeight, int labelHeight);

    // The label's text changed size; its position stays.
    void setLabelHeight(int labelHeight) { labelHeight_ = labelHeight; }

    // One timer tick. Returns whether the label started over from below.
    bool tick();

    int top() const { return top_; }
    int pictureHeight() const { return pictureHeight_; }
    int labelHeight() const { return labelHeight_; }

private:
    int pictureHeight_;
    int labelHeight_;
    int top_;
};

} // namespace gravelock
