// The keldor-configurator binary as a user starts it: options, exit status,
// and a clean end on SIGTERM/SIGINT with every thread joined.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <csignal>

namespace {

QString binary(const char* name)
{
    return QDir(QString::fromLocal8Bit(qgetenv("KC_BIN_DIR"))).filePath(QString::fromLatin1(name));
}

struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};

ProcessResult runToEnd(const QStringList& args)
{
    QProcess process;
    process.start(binary("keldor-configurator"), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return ProcessResult{process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
               QString::fromLocal8Bit(process.readAllStandardError())};
}

// Waits until the process printed text on standard output (or ended).
bool waitForOutput(QProcess& process, QString& seen, const QString& text)
{
    QElapsedTimer timer;
    timer.start();
    while (!seen.contains(text) && timer.elapsed() < 30000 && process.state() == QProcess::Running) {
        process.waitForReadyRead(200);
        seen += QString::fromLocal8Bit(process.readAllStandardOutput());
    }
    return seen.contains(text);
}

void expectCleanEndOnSignal(QProcess& process, int signal)
{
    ::kill(static_cast<pid_t>(process.processId()), signal);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_FALSE(err.contains(QStringLiteral("Sanitizer"))) << err.toStdString();
}

QProcessEnvironment offscreen()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

}  // namespace

TEST(EntryPoint, HelpAndRefusedArguments)
{
    const ProcessResult help = runToEnd({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("Usage: keldor-configurator")));

    const QStringList refused[] = {{QStringLiteral("--bogus")},
                                   {QStringLiteral("-bogus")},
                                   {QStringLiteral("-platform")},
                                   {QStringLiteral("stray")},
                                   {QStringLiteral("--board-socket")},
                                   {QStringLiteral("--emulate"), QStringLiteral("ZVR9-NOPE")}};
    for (const QStringList& args : refused) {
        const ProcessResult run = runToEnd(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage: keldor-configurator"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(EntryPoint, QtOptionsReachQt)
{
    // No display and no platform in the environment: only -platform can
    // bring the window up, and -reverse shows in its layout direction.
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("direction.kcs"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("get AutoConfigurationGui layoutDirection\nquit\n");
    file.close();

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(binary("keldor-configurator"),
                  {QStringLiteral("--emulate"), QStringLiteral("-platform"), QStringLiteral("offscreen"),
                   QStringLiteral("-reverse"), QStringLiteral("--script"), script});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    EXPECT_EQ(process.exitCode(), 0) << QString::fromLocal8Bit(process.readAllStandardError()).toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("AutoConfigurationGui layoutDirection=RightToLeft"))) << out.toStdString();
}

TEST(EntryPoint, EmulatedBoardRunsOffscreenAndEndsCleanlyOnSignals)
{
    for (int signal : {SIGTERM, SIGINT}) {
        QProcess process;
        process.setProcessEnvironment(offscreen());
        process.start(binary("keldor-configurator"), {QStringLiteral("--emulate"), QStringLiteral("ZVR2M05A-K1")});
        ASSERT_TRUE(process.waitForStarted(30000));
        QString seen;
        // The link opened the board: the window, its threads and the link run.
        ASSERT_TRUE(waitForOutput(process, seen, QStringLiteral("Product: VELMARA-BOARD"))) << seen.toStdString();
        expectCleanEndOnSignal(process, signal);
    }
}

TEST(EntryPoint, VirtualBoardSocket)
{
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("board.sock"));
    QProcess board;
    board.start(binary("velmara-emu"), {QStringLiteral("--socket"), socket});
    ASSERT_TRUE(board.waitForStarted(30000));

    QProcess tool;
    tool.setProcessEnvironment(offscreen());
    tool.start(binary("keldor-configurator"), {QStringLiteral("--board-socket"), socket});
    ASSERT_TRUE(tool.waitForStarted(30000));
    QString seen;
    ASSERT_TRUE(waitForOutput(tool, seen, QStringLiteral("Product: VELMARA-BOARD"))) << seen.toStdString();
    expectCleanEndOnSignal(tool, SIGTERM);

    board.terminate();
    board.waitForFinished(30000);
}
