#include "print/TonePicture.h"

#include "core/lang/CurrentLanguage.h"
#include "core/tones/ToneTables.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The shades of 0 dB and of PICTURE_QUIET_DB.
const QColor LOUD(24, 64, 140);
const QColor QUIET(196, 214, 240);
const QColor GRID(225, 225, 225);
const QColor FAINT(150, 150, 150);

// Tick steps of the time axis, ms; the first that gives at most MAX_TICKS ticks is used.
constexpr int TICK_STEPS_MS[] = {10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
constexpr int MAX_TICKS = 10;
constexpr double HZ_TICK = 500;

// Every size of the picture is a multiple of this font unit, so the picture looks alike on
// a 400-pixel widget and a 600-dpi page.
double FontUnit(const QRectF& rect) {
    return std::max(8.0, std::min(rect.width() / 60, rect.height() / 24));
}

int PlanEndMs(const TONE_PLAN& plan) {
    int end = 0;
    for (const TONE_SEGMENT& segment : plan)
        end = std::max(end, segment.startMs + segment.lengthMs);
    return end;
}

int TickStepMs(int endMs) {
    for (int step : TICK_STEPS_MS)
        if (endMs <= step * MAX_TICKS)
            return step;
    return TICK_STEPS_MS[std::size(TICK_STEPS_MS) - 1];
}

double XOfMs(const QRectF& plot, int endMs, double ms) {
    return plot.left() + plot.width() * ms / endMs;
}

double YOfHz(const QRectF& plot, double hz) {
    return plot.bottom() -
           plot.height() * (hz - PICTURE_LOW_HZ) / (PICTURE_HIGH_HZ - PICTURE_LOW_HZ);
}

QString Number(double value) {
    return QString::number(value, 'f', 0);
}

// "-10 dB" with a true minus sign.
QString DbText(double levelDb) {
    const double rounded = std::round(levelDb);
    return (rounded < 0 ? QStringLiteral("\u2212") : QString()) + Number(std::abs(rounded)) +
           QStringLiteral(" dB");
}

QString SilenceName(const TONE_SEGMENT& segment, int language) {
    return Tr(QString::fromStdString(segment.symbol), language);
}

void DrawAxes(QPainter& painter, const QRectF& plot, int endMs, double unit) {
    painter.setPen(QPen(GRID, 0));
    for (double hz = PICTURE_LOW_HZ; hz <= PICTURE_HIGH_HZ; hz += HZ_TICK)
        painter.drawLine(QPointF(plot.left(), YOfHz(plot, hz)),
                         QPointF(plot.right(), YOfHz(plot, hz)));
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(plot);
    // The frequency labels to the left, "Hz" above them.
    for (double hz = PICTURE_LOW_HZ; hz <= PICTURE_HIGH_HZ; hz += HZ_TICK) {
        const QRectF label(plot.left() - 4.5 * unit, YOfHz(plot, hz) - unit, 4 * unit, 2 * unit);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, Number(hz));
    }
    painter.drawText(
        QRectF(plot.left() - 4.5 * unit, plot.top() - 2.2 * unit, 4 * unit, 1.4 * unit),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Hz"));
    // The time ticks below, "ms" after the last.
    const int step = TickStepMs(endMs);
    for (int ms = 0; ms <= endMs; ms += step) {
        const double x = XOfMs(plot, endMs, ms);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 0.4 * unit));
        painter.drawText(QRectF(x - 3 * unit, plot.bottom() + 0.4 * unit, 6 * unit, 1.4 * unit),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(ms));
    }
    painter.drawText(
        QRectF(plot.right() - 6 * unit, plot.bottom() + 1.6 * unit, 6 * unit, 1.4 * unit),
        Qt::AlignRight | Qt::AlignTop, QStringLiteral("ms"));
}

// The legend at the top right: "Level", a strip from 0 dB to the quietest, its two ends.
void DrawLegend(QPainter& painter, const QRectF& rect, double unit, int language) {
    const QRectF strip(rect.right() - 13 * unit, rect.top() + 2.1 * unit, 8 * unit, 0.8 * unit);
    QLinearGradient gradient(strip.topLeft(), strip.topRight());
    gradient.setColorAt(0, LOUD);
    gradient.setColorAt(1, QUIET);
    painter.fillRect(strip, gradient);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawText(
        QRectF(strip.left() - 8.5 * unit, strip.top() - 0.5 * unit, 8 * unit, 1.8 * unit),
        Qt::AlignRight | Qt::AlignVCenter,
        Tr(QStringLiteral("Level"), language) + QStringLiteral("  ") + DbText(0));
    painter.drawText(
        QRectF(strip.right() + 0.5 * unit, strip.top() - 0.5 * unit, 5 * unit, 1.8 * unit),
        Qt::AlignLeft | Qt::AlignVCenter, DbText(PICTURE_QUIET_DB));
}

void DrawTone(QPainter& painter, const QRectF& bar, const TONE_SEGMENT& segment) {
    const QColor shade = LevelColor(segment.levelDb);
    painter.fillRect(bar, shade);
    const QString symbol = QString::fromStdString(segment.symbol);
    const QString hz = Number(segment.hz) + QStringLiteral(" Hz");
    const QFontMetricsF metrics(painter.font());
    // The symbol inside the bar where it fits, else above it.
    if (metrics.horizontalAdvance(symbol) + 2 < bar.width()) {
        painter.setPen(segment.levelDb > PICTURE_QUIET_DB / 2 ? Qt::white : Qt::black);
        painter.drawText(bar, Qt::AlignCenter, symbol);
    } else {
        painter.setPen(Qt::black);
        painter.drawText(QRectF(bar.center().x() - 50, bar.top() - bar.height(), 100, bar.height()),
                         Qt::AlignHCenter | Qt::AlignBottom, symbol);
    }
    // The frequency below the bar in a smaller type, where the bar is wide enough.
    const QFont font = painter.font();
    QFont small = font;
    small.setPixelSize(std::max(1, font.pixelSize() * 4 / 5));
    if (QFontMetricsF(small).horizontalAdvance(hz) + 2 < bar.width()) {
        painter.setFont(small);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(bar.left(), bar.bottom(), bar.width(), bar.height()),
                         Qt::AlignHCenter | Qt::AlignTop, hz);
        painter.setFont(font);
    }
}

void DrawSilence(QPainter& painter, const QRectF& plot, int endMs, const TONE_SEGMENT& segment,
                 double unit, int language) {
    const QString name = SilenceName(segment, language);
    const double left = XOfMs(plot, endMs, segment.startMs);
    const double right = XOfMs(plot, endMs, segment.startMs + segment.lengthMs);
    if (QFontMetricsF(painter.font()).horizontalAdvance(name) + 2 >= right - left)
        return;
    painter.setPen(FAINT);
    painter.drawText(QRectF(left, plot.bottom() - 1.6 * unit, right - left, 1.4 * unit),
                     Qt::AlignCenter, name);
}

} // namespace

QColor LevelColor(double levelDb) {
    const double t = std::clamp(levelDb / PICTURE_QUIET_DB, 0.0, 1.0);
    auto mix = [t](int loud, int quiet) { return int(std::lround(loud + (quiet - loud) * t)); };
    return QColor(mix(LOUD.red(), QUIET.red()), mix(LOUD.green(), QUIET.green()),
                  mix(LOUD.blue(), QUIET.blue()));
}

QRectF PlotArea(const QRectF& rect) {
    const double unit = FontUnit(rect);
    return rect.adjusted(5.5 * unit, 4.6 * unit, -1.5 * unit, -3.2 * unit);
}

int PictureEndMs(const TONE_PLAN& plan) {
    // A little room after the last tone, so its bar does not run into the frame.
    const int end = std::max(100, PlanEndMs(plan) * 21 / 20 + 1);
    const int step = TickStepMs(end);
    return (end + step - 1) / step * step;
}

QRectF SegmentBar(const TONE_PLAN& plan, const TONE_SEGMENT& segment, const QRectF& rect) {
    if (segment.hz <= 0)
        return {};
    const QRectF plot = PlotArea(rect);
    const int endMs = PictureEndMs(plan);
    const double half = 0.6 * FontUnit(rect);
    const double left = XOfMs(plot, endMs, segment.startMs);
    const double right = XOfMs(plot, endMs, segment.startMs + segment.lengthMs);
    const double y = YOfHz(plot, segment.hz);
    return QRectF(QPointF(left, y - half), QPointF(right, y + half));
}

void DrawTonePlan(QPainter& painter, const QRectF& rect, const TONE_PLAN& plan,
                  const QString& title, int language) {
    painter.save();
    const double unit = FontUnit(rect);
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(unit)));
    painter.setFont(font);
    const QRectF plot = PlotArea(rect);
    const int endMs = PictureEndMs(plan);

    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(
        QRectF(rect.left() + unit, rect.top() + 0.3 * unit, rect.width() - 2 * unit, 1.6 * unit),
        Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setFont(font);
    DrawLegend(painter, rect, unit, language);
    DrawAxes(painter, plot, endMs, unit);
    for (const TONE_SEGMENT& segment : plan) {
        if (segment.hz > 0)
            DrawTone(painter, SegmentBar(plan, segment, rect), segment);
        else
            DrawSilence(painter, plot, endMs, segment, unit, language);
    }
    painter.restore();
}

QImage TonePlanImage(const TONE_PLAN& plan, const QString& title, QSize size, int language) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawTonePlan(painter, QRectF(QPointF(0, 0), QSizeF(size)), plan, title, language);
    return image;
}

QString TonePlanTitle(const QString& what, const TONE_SYSTEM& system, int language) {
    return Tr(QStringLiteral("%1 (%2, %3 ms a tone)"), language)
        .arg(what, QString::fromLatin1(system.name))
        .arg(system.toneMs);
}

QString TonePlanText(const TONE_PLAN& plan, int language) {
    QStringList lines;
    for (const TONE_SEGMENT& segment : plan) {
        const QString span = QStringLiteral("%1\u2013%2 ms")
                                 .arg(segment.startMs)
                                 .arg(segment.startMs + segment.lengthMs);
        if (segment.hz > 0)
            lines << QStringLiteral("%1  %2  %3 Hz  %4")
                         .arg(span, QString::fromStdString(segment.symbol), Number(segment.hz),
                              DbText(segment.levelDb));
        else
            lines << span + QStringLiteral("  ") + SilenceName(segment, language);
    }
    return lines.join(QLatin1Char('\n'));
}
