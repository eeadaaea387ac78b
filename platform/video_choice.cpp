#include "platform/video_choice.h"

VideoDecision ChooseVideo(const std::string& named, bool builtWithSdl, bool displayPresent)
{
    VideoDecision decision;
    if (named == "headless") {
        decision.choice = VideoChoice::Headless;
    } else if (named == "sdl" && builtWithSdl) {
        decision.choice = VideoChoice::Window;
    } else if (named == "sdl") {
        decision.choice = VideoChoice::Unmet;
        decision.refusal = "THARNMOOR_VIDEO=sdl asks for a window, but this program was built without SDL2";
    } else if (!named.empty()) {
        decision.choice = VideoChoice::Unmet;
        decision.refusal = "THARNMOOR_VIDEO=" + named + " names no video backend (sdl or headless)";
    } else {
        decision.choice =
            builtWithSdl && displayPresent ? VideoChoice::WindowElseHeadless : VideoChoice::Headless;
    }
    return decision;
}
