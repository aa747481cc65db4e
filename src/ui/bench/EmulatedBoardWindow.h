#pragma once
// The "Emulated Board" window: the bench around the built-in emulated board.
// Supply, ambient temperature, each channel's load, overload, open load and
// short to VBB, fault injection by name, self-test failures, card swap and
// plug/unplug, with live readouts of each channel's current, junction
// temperature and I2T integrator. Every action is a `board` command
// (emulator/BenchCommand.h), so the window, scripts and velmara-emu act alike.
// It reads the board on a timer while shown, and shows changes made by
// scripts too.

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

#include "emulator/BenchCommand.h"

class EmulatedBoard;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

class EmulatedBoardWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 200;

    // A window of its own (parent: the main window, which owns it).
    EmulatedBoardWindow(std::shared_ptr<EmulatedBoard> board, QWidget* parent);
    ~EmulatedBoardWindow() override;

    // Shows the window (or brings it to the front) with fresh readings.
    void open();
    // Reads the board and updates every readout and control.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct ChannelControls {
        QDoubleSpinBox* load = nullptr;
        QPushButton* openLoad = nullptr;
        QPushButton* shortToVbb = nullptr;
        QPushButton* overload = nullptr;
        QSpinBox* overloadTime = nullptr;
        QLabel* current = nullptr;
        QLabel* temperature = nullptr;
        QProgressBar* i2t = nullptr;
        QLabel* protection = nullptr;
    };

    QWidget* buildBoardGroup();
    QWidget* buildChannelGroup(int channel);
    QWidget* buildFaultGroup();
    QWidget* buildSelfTestGroup();
    void connectChannel(int channel);
    void fillFaultBits();

    // Runs one bench command; a refusal is shown in the status line.
    void run(BenchCommand command);
    void applyLoad(int channel);
    void applySelfTestFailures();
    void injectFault(bool inject);
    void refreshChannel(int channel);

    std::shared_ptr<EmulatedBoard> board;
    QTimer* refreshTimer = nullptr;

    QDoubleSpinBox* supplyBox = nullptr;
    QDoubleSpinBox* ambientBox = nullptr;
    QComboBox* cardBox = nullptr;
    std::optional<std::optional<uint16_t>> shownCard;  // the card the list last showed
    QLabel* plugStateLabel = nullptr;
    QPushButton* plugButton = nullptr;
    QPushButton* unplugButton = nullptr;
    std::array<ChannelControls, 2> channels{};
    QComboBox* faultRegisterBox = nullptr;
    QComboBox* faultBitBox = nullptr;
    QSpinBox* faultTimeBox = nullptr;
    QLabel* faultRegistersLabel = nullptr;
    std::array<QCheckBox*, 6> selfTestBoxes{};
    QLabel* statusLabel = nullptr;
};
