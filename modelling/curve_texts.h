#pragma once

// Keys of the curve commands' prompts and messages in the string table.
inline constexpr int kPickTwoCurvesString = 10055;
inline constexpr int kSameCvCountString = 10056;
inline constexpr int kPickCurveToMeasureString = 10057;
inline constexpr int kCurveLengthString = 10058;
inline constexpr int kSketchingCurvesString = 10093;
inline constexpr int kJoiningCurvesString = 10094;
inline constexpr int kSplittingCurvesString = 10095;
