// The "Emulated Board" window on the real window and the in-process board:
// what its controls do to the board, what the tool then sees, and a picture.

#include "GuiHarness.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

#include "emulator/BenchCommand.h"
#include "ui/bench/EmulatedBoardWindow.h"

using harness::Gui;
using harness::waitUntil;

namespace {

// Share of the rectangle's pixels close to `color`.
double shareOf(const QImage& image, const QRect& rect, const QColor& color)
{
    int hits = 0;
    int all = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ++all;
            if (std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                    std::abs(c.blue() - color.blue()) < 60)
                ++hits;
        }
    }
    return all == 0 ? 0.0 : static_cast<double>(hits) / all;
}

QRect inWindow(QWidget* window, QWidget* control)
{
    const qreal ratio = window->devicePixelRatioF();
    const QRect r(control->mapTo(window, QPoint(0, 0)), control->size());
    return QRect(QPoint(int(r.left() * ratio), int(r.top() * ratio)), QSize(int(r.width() * ratio), int(r.height() * ratio)));
}

TEST(EmulatedBoardWindow, OnlyOnTheEmulatedBoard)
{
    harness::application();
    AutoConfigurationGui window(BoardSetup{});  // any other board: no bench
    EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("emulatedBoardToolStripMenuItem")), nullptr);
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("emulatedBoardWindow")), nullptr);
}

TEST(EmulatedBoardWindow, ControlsActOnTheBoardAndTheToolSeesIt)
{
    harness::MessageRecorder messages;
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    EmulatedBoard& board = gui.board();
    gui.find<QAction>("emulatedBoardToolStripMenuItem")->trigger();
    auto* bench = gui.find<EmulatedBoardWindow>("emulatedBoardWindow");
    ASSERT_TRUE(bench->isVisible());
    EXPECT_EQ(bench->windowTitle(), QStringLiteral("Emulated Board"));

    gui.find<QDoubleSpinBox>("benchSupplyBox")->setValue(11.0);
    gui.find<QDoubleSpinBox>("benchAmbientBox")->setValue(40.0);
    gui.find<QDoubleSpinBox>("benchLoadBox2")->setValue(2.5);
    EXPECT_EQ(board.supplyVoltage(), 11.0);
    EXPECT_EQ(board.ambientTemperature(), 40.0);
    EXPECT_EQ(board.loadResistance(1), 2.5);
    gui.find<QPushButton>("benchOpenLoadButton2")->click();
    EXPECT_TRUE(std::isinf(board.loadResistance(1)));
    gui.find<QPushButton>("benchShortVbbButton1")->click();
    EXPECT_TRUE(board.isShortedToSupply(0));
    EXPECT_EQ(board.peekRegister(0x0D) & 0x0008, 0x0008);  // seen while the channel is off
    gui.find<QPushButton>("benchShortVbbButton1")->click();
    EXPECT_FALSE(board.isShortedToSupply(0));
    gui.find<QSpinBox>("benchOverloadTimeBox1")->setValue(300);
    gui.find<QPushButton>("benchOverloadButton1")->click();
    EXPECT_TRUE(board.isOverloaded(0));
    EXPECT_FALSE(gui.find<QPushButton>("benchOverloadButton1")->isEnabled());
    gui.find<QCheckBox>("benchSelfTestAdcBox")->setChecked(true);
    gui.find<QCheckBox>("benchSelfTestOtpBox")->setChecked(true);
    EXPECT_EQ(board.selfTestFailures(), 0x0012);

    // A fault bit by name, until cleared.
    gui.find<QComboBox>("benchFaultRegisterBox")->setCurrentIndex(2);
    auto* bits = gui.find<QComboBox>("benchFaultBitBox");
    bits->setCurrentIndex(bits->findText(QStringLiteral("I2T fault (bit 7)")));
    gui.find<QPushButton>("benchInjectFaultButton")->click();
    EXPECT_EQ(board.peekRegister(0x16), 0x0084);  // with the open load of channel 2
    gui.find<QPushButton>("benchClearFaultButton")->click();
    EXPECT_EQ(board.peekRegister(0x16), 0x0004);

    // What a script does shows in the window.
    ASSERT_EQ(runBenchLine(board, "board supply 9.5").error, "");
    bench->refresh();
    EXPECT_EQ(gui.find<QDoubleSpinBox>("benchSupplyBox")->value(), 9.5);

    // Unplugged, the bench stays reachable to plug the board in again.
    gui.find<QPushButton>("benchUnplugButton")->click();
    ASSERT_TRUE(waitUntil([&] { return gui.find<QLabel>("connectionLabel")->text() == QStringLiteral("Disconnected"); }));
    EXPECT_TRUE(gui.find<QMenu>("toolsToolStripMenuItem")->isEnabled());
    EXPECT_TRUE(gui.find<QAction>("emulatedBoardToolStripMenuItem")->isEnabled());
    EXPECT_FALSE(gui.find<QAction>("enterDFUModeToolStripMenuItem")->isEnabled());
    EXPECT_EQ(gui.find<QLabel>("benchPlugStateLabel")->text(), QStringLiteral("Unplugged"));
    gui.find<QPushButton>("benchPlugButton")->click();
    ASSERT_TRUE(gui.waitDetected());
    EXPECT_TRUE(gui.find<QAction>("enterDFUModeToolStripMenuItem")->isEnabled());

    // A new card: the tool finds the other part.
    auto* cards = gui.find<QComboBox>("benchCardBox");
    cards->setCurrentIndex(cards->findText(QStringLiteral("ZVR2M07A-K1 (0xFF04)")));
    bench->refresh();  // a pick stays until fitted
    gui.find<QPushButton>("benchFitCardButton")->click();
    EXPECT_EQ(board.deviceId(), 0xFF04);
    EXPECT_TRUE(waitUntil([&] { return gui.find<QLabel>("devLabel")->text() == QStringLiteral("ZVR2M07A-K1"); }));
    EXPECT_EQ(board.supplyVoltage(), 9.5);
}

TEST(EmulatedBoardWindow, ScreenshotShowsTheTrippedChannel)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    gui.find<QAction>("emulatedBoardToolStripMenuItem")->trigger();
    auto* bench = gui.find<EmulatedBoardWindow>("emulatedBoardWindow");

    // Channel 1: 8 A against I2T at 4.0 A nominal and 26.3 A^2 s, latched.
    gui.find<QDoubleSpinBox>("benchLoadBox1")->setValue(1.68);
    gui.find<QCheckBox>("enableI2TBox")->setChecked(true);
    gui.find<QSlider>("i2tTrack")->setValue(2);
    gui.find<QListWidget>("enChanBoxCC")->item(0)->setCheckState(Qt::Checked);
    ASSERT_TRUE(waitUntil([&] { return gui.board().isHeldOffByProtection(0); }));
    bench->refresh();

    auto* protection = gui.find<QLabel>("benchProtectionLabel1");
    EXPECT_EQ(protection->text(), QStringLiteral("Switched off by the I2T protection"));
    EXPECT_EQ(gui.find<QLabel>("benchCurrentLabel1")->text(), QStringLiteral("0 A"));
    EXPECT_EQ(gui.find<QProgressBar>("benchI2tBar1")->value(), 1000);
    EXPECT_EQ(gui.find<QProgressBar>("benchI2tBar2")->value(), 0);
    EXPECT_TRUE(gui.find<QLabel>("benchFaultRegistersLabel")->text().contains(QStringLiteral("CH1_FAULT 0x0080")));

    const QImage shot = bench->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // Kept beside the build for a look: build/screenshots/emulated-board-window.png.
    const QByteArray bin = qgetenv("KC_BIN_DIR");
    QDir folder(bin.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(bin) + QStringLiteral("/.."));
    folder.mkpath(QStringLiteral("screenshots"));
    EXPECT_TRUE(shot.save(folder.filePath(QStringLiteral("screenshots/emulated-board-window.png"))));
    // The full I2T bar of channel 1 is filled, channel 2's is not; the warning is drawn in red.
    const QColor fill = gui.find<QProgressBar>("benchI2tBar1")->palette().color(QPalette::Highlight);
    EXPECT_GT(shareOf(shot, inWindow(bench, gui.find<QProgressBar>("benchI2tBar1")).adjusted(4, 4, -4, -4), fill), 0.5);
    EXPECT_LT(shareOf(shot, inWindow(bench, gui.find<QProgressBar>("benchI2tBar2")).adjusted(4, 4, -4, -4), fill), 0.05);
    EXPECT_GT(shareOf(shot, inWindow(bench, protection), QColor(0xFF, 0x00, 0x00)), 0.01);
}

}  // namespace
