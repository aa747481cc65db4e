// The real window offscreen against velmara-emu, the virtual board process,
// over its Unix socket.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using harness::waitUntil;

extern char** environ;

namespace {

// The board process is started with posix_spawn rather than QProcess: QProcess
// forks with vfork semantics and runs intercepted calls in the child, which
// leaves ThreadSanitizer's record of the parent's locks unreliable.
struct BoardProcess {
    pid_t pid = -1;
    bool start(const std::string& program, std::vector<std::string> args)
    {
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
    }
    bool terminate()
    {
        if (pid <= 0)
            return false;
        ::kill(pid, SIGTERM);
        int status = 0;
        const bool ended = ::waitpid(pid, &status, 0) == pid;
        pid = -1;
        return ended;
    }
    ~BoardProcess() { terminate(); }
};

}  // namespace

TEST(VirtualBoard, ConnectsIdentifiesReadsAndNoticesTheBoardLeaving)
{
    harness::application();
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("board.sock"));
    BoardProcess board;
    ASSERT_TRUE(board.start(QDir(QString::fromLocal8Bit(qgetenv("KC_BIN_DIR"))).filePath(QStringLiteral("velmara-emu")).toStdString(),
                            {"--socket", socket.toStdString(), "--part", "ZVR2M07A-K1"}));

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

        ASSERT_TRUE(board.terminate());  // the board goes away
        ASSERT_TRUE(waitUntil([&] { return connection->text() == QStringLiteral("Disconnected"); }));
        EXPECT_FALSE(controls->isEnabled());
        window.close();
    }
}
