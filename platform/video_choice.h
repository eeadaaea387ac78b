#pragma once
// Which backend a run gets, from THARNMOOR_VIDEO and what the build and the
// machine offer. A backend the person names is a promise: when it cannot be
// had, the run must fail and say why rather than carry on without a screen.

#include <string>

enum class VideoChoice {
    Headless,            // named, or no display to open a window on
    Window,              // named: the SDL window or nothing
    WindowElseHeadless,  // nothing named: the window where it opens, else headless
    Unmet,               // named, and not to be had here
};

struct VideoDecision {
    VideoChoice choice = VideoChoice::Headless;
    std::string refusal;  // why an unmet request cannot be met
};

VideoDecision ChooseVideo(const std::string& named, bool builtWithSdl, bool displayPresent);
