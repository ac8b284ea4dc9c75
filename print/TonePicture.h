// The tone picture: a tone plan drawn with a QPainter, time across (ms) and frequency up
// (Hz), each tone a bar at its frequency over its time, shaded by its level, labelled with
// its symbol. The Tones window shows it, prints it and saves it as PNG. Qt Gui only.
#pragma once

#include "core/tones/TonePlan.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;
struct TONE_SYSTEM;

// The frequency axis: every guard, function and selective-calling tone lies inside it.
inline constexpr double PICTURE_LOW_HZ = 500;
inline constexpr double PICTURE_HIGH_HZ = 3500;
// The quietest level the shading tells apart; anything quieter is drawn as light.
inline constexpr double PICTURE_QUIET_DB = -30;

// The shade of a tone of levelDb: dark at 0 dB, light at PICTURE_QUIET_DB and below.
QColor LevelColor(double levelDb);

// The plotting area inside rect: what is left after the title, the legend and the axes'
// labels. Its left edge is 0 ms, its right edge PictureEndMs(plan).
QRectF PlotArea(const QRectF& rect);
// The time the axis ends at: a little after the plan's end, rounded up to a whole tick (at
// least 100 ms).
int PictureEndMs(const TONE_PLAN& plan);
// Where the bar of segment (one of plan's) is drawn in rect; empty for silence.
QRectF SegmentBar(const TONE_PLAN& plan, const TONE_SEGMENT& segment, const QRectF& rect);

// Draws title, axes, legend and the plan's bars into rect. Labels are in language.
void DrawTonePlan(QPainter& painter, const QRectF& rect, const TONE_PLAN& plan,
                  const QString& title, int language);
// The picture on a white image of size (for PNG files and the README).
QImage TonePlanImage(const TONE_PLAN& plan, const QString& title, QSize size, int language);

// The title line: what is drawn (a command's or a telegram's text) and the tone system,
// "Alarm (CCIR, 100 ms a tone)".
QString TonePlanTitle(const QString& what, const TONE_SYSTEM& system, int language);
// The plan as text, one segment a line ("0–120 ms  G  2100 Hz  0 dB", "120–160 ms
// Pause"), for screen readers.
QString TonePlanText(const TONE_PLAN& plan, int language);
