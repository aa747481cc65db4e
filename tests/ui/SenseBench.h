#pragma once
// The window on the emulated board with a part identified, for the sense
// monitor's whole-stack tests: graphing, values, and what the chart shows.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <filesystem>

#include "measure/ADCConversion.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/sense/SenseChart.h"
#include "ui/sense/SenseMonitor.h"

namespace sensebench {

using harness::Gui;
using harness::waitUntil;
using namespace hss::measure;

inline constexpr uint16_t kSixteenPin = 0xFFF0;   // ZVR2M08A-K1, sense ratio 5000
inline constexpr uint16_t kEighteenPin = 0xFF04;  // ZVR2M07A-K1
inline constexpr uint16_t kKeptRatio = 0xFFF4;    // ZVR2M10A-K1: identification sets no sense ratio
inline constexpr float kRatio08 = 5000.0f;

// Answers file dialogs from a queue and records every message box.
using Answers = harness::MessageRecorder;

// The window on a board, with a part identified and the given channels
// switched on through "Channel Enable" (bit 0 channel 1, bit 1 channel 2).
class SenseBench {
public:
    explicit SenseBench(uint16_t devid, uint8_t switchedOn) : gui(devid)
    {
        EXPECT_TRUE(gui.waitDetected());
        monitor = gui.window().senseMonitor;
        chart = monitor->senseChart();
        eighteen = devid == kEighteenPin;
        auto* enable = gui.find<QListWidget>("enChanBoxCC");
        for (int ch = 0; ch < 2; ++ch)
            enable->item(ch)->setCheckState((switchedOn >> ch) & 1 ? Qt::Checked : Qt::Unchecked);
        // Room for every point a test waits for.
        gui.find<QLineEdit>("maxSamplesBox")->setText(QStringLiteral("1000"));
        const uint8_t swState = eighteen ? 0x06 : 0x07;
        EXPECT_TRUE(waitUntil([&] {
            return (gui.board().peekRegister(swState) & 3) == switchedOn &&
                   (record().getSwitchState() & 3) == switchedOn;
        }));
    }

    ZVRxQxx16PINConfiguration& record()
    {
        if (eighteen)
            return gui.window().eighteenPWPFuseConfig;
        return gui.window().sixteenPWPFuseConfig;
    }
    void graph(int channel, bool on)
    {
        gui.find<QListWidget>("senseChannelBox")->item(channel)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    QString text(const char* label) { return gui.find<QLabel>(label)->text(); }
    qsizetype points(int series) { return chart->series(series)->count(); }
    // Waits for n more points on series 0 (the window must have room for them).
    bool waitForPoints(qsizetype more)
    {
        const qsizetype target = points(0) + more;
        return waitUntil([&] { return points(0) >= target; }, 10000);
    }
    // The channel's ADC word as the chip holds it now, converted.
    float chipValue(uint8_t resultRegister, uint8_t format, double rsns = 698.0)
    {
        const uint16_t code = gui.board().peekRegister(resultRegister) & kADCCodeMask;
        return convertRawADCValue(code, format, kRatio08, rsns);
    }

    Gui gui;
    SenseMonitor* monitor = nullptr;
    SenseChart* chart = nullptr;
    bool eighteen = false;
};

inline QString q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

inline void setBoxText(Gui& gui, const char* name, const QString& text)
{
    gui.find<QLineEdit>(name)->setText(text);
}

// The box loses focus, as when the user tabs out of it.
inline void leave(QLineEdit* box)
{
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &focusOut);
}

}  // namespace sensebench
