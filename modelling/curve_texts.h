#pragma once

// Keys of the curve commands' prompts and messages in the string table.
inline constexpr int kPickTwoCurvesString = 10055;
inline constexpr int kSameCvCountString = 10056;
inline constexpr int kPickCurveToMeasureString = 10057;
inline constexpr int kCurveLengthString = 10058;
// The drawing tools' status texts, two per tool in the order of the Curve menu (Simple, Vertical
// Mirror, Horizontal Mirror, Revolve 180, Cycle, Extend, Revolve, Transform): the create text,
// then the Adjust text.
inline constexpr int kCurveToolTextsFirst = 10077;
inline constexpr int kSketchingCurvesString = 10093;
inline constexpr int kJoiningCurvesString = 10094;
inline constexpr int kSplittingCurvesString = 10095;
