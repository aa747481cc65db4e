#pragma once
// The live sense monitor on the Command Center: the "Graph Settings" group,
// senseChart, the channel values of the status strip, the supply voltage in
// the status bar, the CSV log and the sense resistor box. Graphing starts
// when the first channel is ticked (the board's sense engine is told which
// ADC result registers to sample, and the chip's ADC is switched on) and
// stops when the last one is unticked. Each poll reply becomes one sample:
// converted, averaged, charted, shown and logged.
//
// Everything runs on the window thread; updateCurrentSenseGUI moves there
// by itself.

#include <QElapsedTimer>
#include <QObject>

#include <array>
#include <cstdint>
#include <memory>

#include "device/FaultRecords.h"
#include "device/HSSDeviceFamily.h"
#include "measure/FaultCapture.h"
#include "measure/SenseSample.h"
#include "measure/SenseSampleWindow.h"
#include "measure/SenseSources.h"
#include "protocol/HSSRegisterCommands.h"
#include "ui/sense/GraphSettingsControls.h"

class CommandCenterPage;
class QGroupBox;
class QLabel;
class QListWidgetItem;
class QWidget;
class SenseChart;
class SenseChartPanel;
class SenseHost;
class SenseLog;
class SenseResistorBox;
class ZVRxQxx16PINConfiguration;

// The window's parts the monitor shows itself in.
struct SenseViews {
    CommandCenterPage* page = nullptr;            // graph settings, chart region, status strip
    QGroupBox* sixteenPinGeneralGroup = nullptr;  // gets senseResistorValBox
    QLabel* inputVoltageDescStripLabel = nullptr;
    QLabel* inputVoltageValueLabel = nullptr;
    QWidget* dialogParent = nullptr;
};

class SenseMonitor : public QObject {
public:
    SenseMonitor(SenseHost& host, const SenseViews& views, QObject* parent = nullptr);
    ~SenseMonitor() override;

    void senseSourceSelBox_SelectedIndexChanged(int index);
    void senseChannelBox_ItemCheck(QListWidgetItem* item);
    void senseChannelAll_CheckedChanged(bool checked);

    // One sense-poll reply; callable from any thread (waits for the window
    // thread, nothing once shutdown has begun).
    void updateCurrentSenseGUI(const HSSPollReadCmd& command);

    // The board is gone: graphing stops without a word to it, the chart empties.
    void stopWithoutBoard();
    // Sleep entry: the board stops streaming (a sense configuration with no
    // registers), graphing stops, and the channel ticks and the quantity go
    // back to their first entries under the event guard. They stay so after
    // waking; the user starts graphing again.
    void stopForSleep();
    // The window is closing: the log is written out and closed, open fault
    // captures are written as far as they got.
    void shutdown();

    // A fault was raised: with fault capture on and sensing running, the
    // samples around it go to a capture file.
    void faultRaised(hss::FaultId fault);

    uint8_t curDataFormat() const { return dataFormat; }
    const GraphSettingsControls& controls() const { return graph; }
    SenseChart* senseChart() const { return chart; }
    SenseChartPanel* senseChartPanel() const { return panel; }
    double senseResistorOhms() const;

private:
    void showSample(const HSSPollReadCmd::ResultArray& words, const HSSPollReadCmd* reply);
    // Tells the board's sense engine what to sample, and asks for a first
    // sample at once: replies to polls sent before it hold the old registers.
    void restartSampling(const hss::measure::SenseRegisters& registers);
    void startSensing(hss_device_family_t family);
    void stopSensing(hss_device_family_t family);
    void clearSamples();
    hss::measure::SenseWindowSizes windowSizes();
    ZVRxQxx16PINConfiguration& record(hss_device_family_t family);
    void showValue(QLabel* label, const QString& text);
    void setSupplyVoltageShown(bool shown);
    void showQuantity(const hss::measure::SenseQuantity& quantity);
    // Seconds on the chart's clock (from the start of graphing).
    double sampleTime() const;
    void applyCaptureSpan(bool correctBoxes);
    void chooseCaptureFolder();
    void writeCaptures(const std::vector<hss::measure::FinishedCapture>& captures);
    void finishCaptures();

    SenseHost& host;
    SenseViews views;
    GraphSettingsControls graph;
    hss::measure::SenseSampleWindow window;
    hss::measure::SenseAverager averager;
    SenseChart* chart = nullptr;
    SenseChartPanel* panel = nullptr;
    hss::measure::FaultCapture capture;
    QElapsedTimer senseClock;
    SenseLog* log = nullptr;
    SenseResistorBox* resistor = nullptr;

    uint8_t dataFormat = 0;  // curDataFormat
    std::array<bool, 2> itemChecked{};  // the ticks as last seen, to tell tick changes apart
    hss::measure::SenseWindowSizes lastSizes;
    bool unknownRatioLogged = false;
    // The first poll after a restart (compared by address only: the link may
    // have freed it); samples before it are dropped.
    const HSSPollReadCmd* awaitedReply = nullptr;
    QElapsedTimer sinceRestart;
};
