#pragma once

// Curve menu commands; a tool's cursor id is its command id.
inline constexpr int kSketchCurveCommand = 7011;
inline constexpr int kMakeLineCommand = 7020;
inline constexpr int kMakeCircleCommand = 7021;
inline constexpr int kMakePolygonCommand = 7022;
inline constexpr int kMakeHelixCommand = 7023;
inline constexpr int kCurveCloseCommand = 7100;
inline constexpr int kCurveOpenCommand = 7101;
inline constexpr int kCurveReverseCommand = 7102;
inline constexpr int kCurveDivideCommand = 7103;
inline constexpr int kJoinCurvesCommand = 7104;
inline constexpr int kSplitCurveCommand = 7105;
inline constexpr int kOffsetCurveCommand = 7106;
inline constexpr int kInBetweenCurveCommand = 7107;
inline constexpr int kCurveLengthCommand = 7108;
