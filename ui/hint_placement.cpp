#include "ui/hint_placement.h"

const char* HintArrowName(HintArrow arrow)
{
    switch (arrow) {
    case HintArrowUpLeft:
        return "arrow_ul";
    case HintArrowUpRight:
        return "arrow_ur";
    case HintArrowDownLeft:
        return "arrow_dl";
    case HintArrowDownRight:
        return "arrow_dr";
    default:
        return "";
    }
}

HintPlacement PlaceHintBalloon(int32_t pointX, int32_t pointY, int32_t screenWidth, int32_t screenHeight,
                               int32_t balloonWidth, int32_t balloonHeight,
                               const HintArrowMetrics (&arrows)[HintArrowCount])
{
    HintPlacement place{};
    const bool rightHalf = pointX >= screenWidth / 2;
    if (pointY >= screenHeight / 2) {
        place.top = pointY - balloonHeight + 1;
        place.arrow = rightHalf ? HintArrowDownRight : HintArrowDownLeft;
    } else {
        place.top = pointY;
        place.arrow = rightHalf ? HintArrowUpRight : HintArrowUpLeft;
    }
    const HintArrowMetrics& arrow = arrows[place.arrow];
    int32_t left = pointX - FloorHalf(balloonWidth) + FloorHalf(arrow.width) - arrow.tipX;
    if (left < 0)
        left = 0;
    if (left + balloonWidth > screenWidth)
        left = screenWidth - balloonWidth;
    place.left = left;
    place.arrowX = pointX - place.left;
    place.arrowY = pointY - place.top;
    return place;
}
