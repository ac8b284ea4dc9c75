#include "app/CReportTextDevice.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QTextItem>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Keeps every run of text, with the top of its line; everything else is dropped.
class CTextRecordingEngine : public QPaintEngine {
public:
    explicit CTextRecordingEngine(CReportTextDevice& device)
        : QPaintEngine(QPaintEngine::AllFeatures), m_device(device) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
        const QPointF at = painter()->transform().map(baseline);
        const qreal ascent = QFontMetricsF(item.font(), &m_device).ascent();
        m_device.Record({int(std::lround(at.y() - ascent)), int(std::lround(at.x())), item.text()});
    }

private:
    CReportTextDevice& m_device;
};

} // namespace

CReportTextDevice::CReportTextDevice() : m_engine(std::make_unique<CTextRecordingEngine>(*this)) {}

CReportTextDevice::~CReportTextDevice() = default;

QPaintEngine* CReportTextDevice::paintEngine() const {
    return m_engine.get();
}

int CReportTextDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return WIDTH;
    case PdmHeight:
        return HEIGHT;
    case PdmWidthMM:
        return WIDTH * 254 / DPI / 10;
    case PdmHeightMM:
        return HEIGHT * 254 / DPI / 10;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return DPI;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

QStringList CReportTextDevice::Lines(int top, int lineHeight, int maxLength) const {
    std::map<int, std::vector<const DRAWN_TEXT*>> byLine;
    for (const DRAWN_TEXT& drawn : m_drawn)
        byLine[std::max(0, drawn.top - top) / std::max(1, lineHeight)].push_back(&drawn);
    QStringList lines;
    for (auto& [index, runs] : byLine) {
        std::stable_sort(runs.begin(), runs.end(), [](const DRAWN_TEXT* a, const DRAWN_TEXT* b) {
            return a->left < b->left;
        });
        while (lines.size() < index)
            lines.append(QString());
        QString line;
        for (const DRAWN_TEXT* run : runs)
            line += run->text;
        lines.append(line.left(maxLength));
    }
    return lines;
}
