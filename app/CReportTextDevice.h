// CReportTextDevice: a paint device that records the text drawn on it instead of pixels,
// with the top of each run of text and its left edge, so that a report page drawn for
// paper can be turned into lines of text. Its size and resolution are fixed, so the
// lines land in the same places on every run.
#pragma once

#include <QPaintDevice>
#include <QString>
#include <memory>
#include <vector>

class CReportTextDevice : public QPaintDevice {
public:
    static constexpr int WIDTH = 4800;
    static constexpr int HEIGHT = 6000;
    static constexpr int DPI = 600;

    struct DRAWN_TEXT {
        int top; // the top of the line: its baseline less the font's ascent
        int left;
        QString text;
    };

    CReportTextDevice();
    ~CReportTextDevice() override;

    QPaintEngine* paintEngine() const override;
    const std::vector<DRAWN_TEXT>& Drawn() const { return m_drawn; }
    void Record(DRAWN_TEXT drawn) { m_drawn.push_back(std::move(drawn)); }

    // The recorded runs as lines: each on line (top - top) / lineHeight, runs of one line
    // joined left to right, every line cut at maxLength.
    QStringList Lines(int top, int lineHeight, int maxLength) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<QPaintEngine> m_engine;
    std::vector<DRAWN_TEXT> m_drawn;
};
