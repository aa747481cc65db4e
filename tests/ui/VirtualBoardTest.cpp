// The real window offscreen against velmara-emu, the virtual board process,
// over its Unix socket.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

using harness::waitUntil;

TEST(VirtualBoard, ConnectsIdentifiesReadsAndNoticesTheBoardLeaving)
{
    harness::application();
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("board.sock"));
    QProcess board;
    board.start(QDir(QString::fromLocal8Bit(qgetenv("KC_BIN_DIR"))).filePath(QStringLiteral("velmara-emu")),
                {QStringLiteral("--socket"), socket, QStringLiteral("--part"), QStringLiteral("ZVR2M07A-K1")});
    ASSERT_TRUE(board.waitForStarted(30000));

    AppOptions options;
    options.board = AppOptions::Board::Socket;
    options.socketPath = socket.toStdString();
    std::string error;
    std::optional<BoardSetup> setup = makeBoardSetup(options, error);
    ASSERT_TRUE(setup.has_value()) << error;
    {
        AutoConfigurationGui window(std::move(*setup));
        window.show();
        auto* connection = window.findChild<QLabel*>(QStringLiteral("connectionLabel"));
        // The controls that talk to the chip come on with the part.
        auto* controls = window.findChild<QWidget*>(QStringLiteral("commandCenterPageControls"));
        ASSERT_TRUE(waitUntil([&] { return controls->isEnabled(); }));
        EXPECT_EQ(connection->text(), QStringLiteral("Connected"));
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("devLabel"))->text(), QStringLiteral("ZVR2M07A-K1"));
        auto* firmware = window.findChild<QLabel*>(QStringLiteral("firmwareRevisionLabel"));
        EXPECT_TRUE(waitUntil([&] { return firmware->text() == QStringLiteral("v20B0"); }));

        window.findChild<QLineEdit*>(QStringLiteral("commandBox"))->setText(QStringLiteral("WRITE 0D 0E03"));
        window.findChild<QPushButton*>(QStringLiteral("sendCommandButton"))->click();
        window.findChild<QLineEdit*>(QStringLiteral("commandBox"))->setText(QStringLiteral("READ 0D"));
        window.findChild<QPushButton*>(QStringLiteral("sendCommandButton"))->click();
        auto* console = window.findChild<QPlainTextEdit*>(QStringLiteral("commandLogBox"));
        ASSERT_TRUE(waitUntil([&] { return console->toPlainText().contains(QStringLiteral("Register (Addr: 0x0D) read result: 0x")); }));
        EXPECT_TRUE(console->toPlainText().contains(QStringLiteral("read result: 0xE03 ")));

        board.terminate();  // the board goes away
        ASSERT_TRUE(board.waitForFinished(30000));
        ASSERT_TRUE(waitUntil([&] { return connection->text() == QStringLiteral("Disconnected"); }));
        EXPECT_FALSE(controls->isEnabled());
        window.close();
    }
}
