// keldor-cli run as a process, the way scripts and rigs run it, against
// velmara-emu boards: every command's output and exit status, and what
// reached the chip.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString binary(const char* name)
{
    return QDir(QString::fromLocal8Bit(qgetenv("KC_BIN_DIR"))).filePath(QString::fromLatin1(name));
}

// One velmara-emu with its bench on standard input.
struct Board {
    QProcess process;
    QString socket;

    void start(const QString& folder, const QString& name, const QString& part)
    {
        socket = QDir(folder).filePath(name + QStringLiteral(".sock"));
        process.start(binary("velmara-emu"), {QStringLiteral("--socket"), socket, QStringLiteral("--part"), part});
        ASSERT_TRUE(process.waitForStarted());
        ASSERT_TRUE(bench(QStringLiteral("board get register 0x00")).startsWith(QStringLiteral("BOARD register")));
    }
    // A bench line; a get's answer, or "" once the line was taken.
    QString bench(const QString& line)
    {
        process.write((line + QStringLiteral("\nboard get register 0x00\n")).toUtf8());
        QString seen;
        QElapsedTimer timer;
        timer.start();
        // The get behind the line answers once the line itself was carried out.
        while (seen.count(QLatin1Char('\n')) < (line.contains(QStringLiteral(" get ")) ? 2 : 1) && timer.elapsed() < 20000) {
            process.waitForReadyRead(100);
            seen += QString::fromUtf8(process.readAllStandardOutput());
        }
        return line.contains(QStringLiteral(" get ")) ? seen.section(QLatin1Char('\n'), 0, 0) : QString();
    }
    ~Board()
    {
        process.terminate();
        process.waitForFinished(10000);
    }
};

struct CliRun {
    int exit = -1;
    QString out;
    QString err;
};

CliRun run(const QStringList& args, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(binary("keldor-cli"), args);
    EXPECT_TRUE(process.waitForFinished(120000)) << args.join(QLatin1Char(' ')).toStdString();
    return CliRun{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
               QString::fromUtf8(process.readAllStandardError())};
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The file with some records' values replaced ("address,value" lines).
QByteArray withValues(QByteArray file, const std::vector<std::pair<int, int>>& values)
{
    for (const auto& [address, value] : values) {
        const QByteArray prefix = "\r\n" + QByteArray::number(address) + ",";
        const qsizetype at = file.indexOf(prefix);
        EXPECT_GE(at, 0) << address;
        const qsizetype end = file.indexOf("\r\n", at + prefix.size());
        file.replace(at + prefix.size(), end - at - prefix.size(), QByteArray::number(value));
    }
    return file;
}

}  // namespace

TEST(CliProcess, CommandsAndExitCodesAgainstVirtualBoards)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const auto path = [&](const char* name) { return QDir(folder).filePath(QString::fromLatin1(name)); };
    Board a, b, c;  // 18-pin, 16-pin, 16-pin
    a.start(folder, QStringLiteral("a"), QStringLiteral("ZVR2M07A-K1"));
    b.start(folder, QStringLiteral("b"), QStringLiteral("ZVR2M08A-K1"));
    c.start(folder, QStringLiteral("c"), QStringLiteral("ZVR2M08AF-K1"));
    const QStringList onA{QStringLiteral("--board-socket"), a.socket};
    const QStringList onB{QStringLiteral("--board-socket"), b.socket};

    // The chip's settings as found, and a file changing three fields of them.
    ASSERT_EQ(run(onA + QStringList{"read", "--format", "settings", "-o", path("base.txt")}, folder).exit, 0);
    const QByteArray base = readFile(path("base.txt"));
    ASSERT_TRUE(base.startsWith("ZVRQCONFIGURATOR_18PWP\r\n"));
    // DEV_CONFIG watchdog on, PWM_CH1 duty 150, user register 0x52 = 0x1234.
    writeFile(path("want.txt"), withValues(base, {{8, 8}, {13, 300}, {82, 0x1234}}));
    ASSERT_EQ(run(onB + QStringList{"read", "--format", "settings", "-o", path("other.txt")}, folder).exit, 0);
    writeFile(path("malformed.txt"), withValues(base, {}) + "13,70000\r\n");
    writeFile(path("binary.txt"), QByteArray("\x7f" "ELF\x01\x02\x00\xff", 8));

    struct Case {
        const char* what;
        QStringList args;
        int exit;
        QString out;  // a text the output holds ("" : anything)
        QString err;
    };
    const Case cases[] = {
        {"identify", onA + QStringList{"identify"}, 0, "ZVR2M07A-K1", ""},
        {"identify as JSON", onB + QStringList{"--json", "identify"}, 0, "\"part\":\"ZVR2M08A-K1\",\"family\":\"16-pin\"", ""},
        {"write then verify", onA + QStringList{"write", path("want.txt")}, 0, "written and verified", ""},
        {"verify the same", onA + QStringList{"verify", path("want.txt")}, 0, "holds", ""},
        {"read as JSON", onA + QStringList{"read", "--format", "json"}, 0,
         "{\"address\":\"0x52\",\"name\":\"CUST_REG_52_REG\",\"value\":\"0x1234\",\"fields\":[{\"caption\":\"User Register 0x52\"", ""},
        {"read as a table", onA + QStringList{"read"}, 0, "15:0  User Register 0x52               4660  0x1234", ""},
        {"a file of the other family", onA + QStringList{"write", path("other.txt")}, 4, "",
         "holds settings of the 16-pin family (16PWP), but the part in use is of the 18-pin family (18PWP). Nothing was written."},
        {"a malformed file", onA + QStringList{"write", path("malformed.txt")}, 4, "", "the value 70000 is not in 0-65535"},
        {"a binary file", onA + QStringList{"verify", path("binary.txt")}, 4, "", "is not a settings file"},
        {"a missing file", onA + QStringList{"write", path("missing.txt")}, 4, "", "could not be read"},
        {"the chip unchanged by the refused files", onA + QStringList{"verify", path("want.txt")}, 0, "", ""},
        // Another program's session writes the old settings behind this one's back.
        {"the old file written", onA + QStringList{"write", "--no-verify", path("base.txt")}, 0, "not verified", ""},
        {"a chip that changed", onA + QStringList{"verify", path("want.txt")}, 3, "",
         "0x08 DEV_CONFIG  Watchdog Enable: chip Off (0), file On (1)"},
        {"two files", QStringList{"diff", path("base.txt"), path("want.txt")}, 3, "0x52 CUST_REG_52_REG  User Register 0x52", ""},
        {"a file with itself", QStringList{"diff", path("want.txt"), path("want.txt")}, 0, "same settings", ""},
        {"no board", QStringList{"--board-socket", path("nothing.sock"), "identify"}, 2, "", "no VELMARA-BOARD could be opened"},
        {"no part", QStringList{"--emulate", "none", "identify"}, 2, "", "no supported part"},
        {"not a safety part", onB + QStringList{"selftest"}, 2, "", "not a safety part"},
        {"self-tests", QStringList{"--board-socket", c.socket, "selftest"}, 0, "Bandgap: passed", ""},
        {"an unknown command", QStringList{"program"}, 1, "", "unknown command 'program'"},
        {"write without a file", onA + QStringList{"write"}, 1, "", "write needs one file"},
        {"export", onB + QStringList{"export", path("cfg.h")}, 0, "cfg.h and", ""},
        {"three boards of two families", QStringList{"--all", "identify"} + onA + onB + QStringList{"--board-socket", c.socket},
         0, "ZVR2M07A-K1 (18-pin", ""},
        {"a 16-pin file on all three", QStringList{"--all", "write", path("other.txt")} + onA + onB +
                                           QStringList{"--board-socket", c.socket},
         4, "FAILED", ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const CliRun done = run(test.args, folder);
        EXPECT_EQ(done.exit, test.exit) << done.out.toStdString() << done.err.toStdString();
        EXPECT_TRUE(done.out.contains(test.out)) << done.out.toStdString();
        EXPECT_TRUE(done.err.contains(test.err)) << done.err.toStdString();
    }
    EXPECT_TRUE(QFile::exists(path("cfg.c")) && QFile::exists(path("zvr2mxx.h")));
    // The 16-pin boards took the file, one result line each.
    const CliRun all = run(QStringList{"--all", "verify", path("other.txt")} + onB + QStringList{"--board-socket", c.socket}, folder);
    EXPECT_EQ(all.exit, 0) << all.out.toStdString() << all.err.toStdString();
    EXPECT_EQ(all.out.count(QStringLiteral(": OK: ")), 2) << all.out.toStdString();

    // "read --format settings" is byte for byte the window's "Save Settings" of the same chip.
    ASSERT_EQ(run(onA + QStringList{"write", path("want.txt")}, folder).exit, 0);
    writeFile(path("save.kcs"), QStringLiteral("wait-for userBox52Hex text 1234 30000\nanswer-file %1\nanswer ok\n"
                                               "click saveSettingsToolStripMenuItem\nquit\n")
                                    .arg(path("window.txt"))
                                    .toUtf8());
    QProcess window;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    window.setProcessEnvironment(env);
    window.start(binary("keldor-configurator"), {QStringLiteral("--board-socket"), a.socket, QStringLiteral("--script"), path("save.kcs")});
    ASSERT_TRUE(window.waitForFinished(120000));
    const CliRun settings = run(onA + QStringList{"read", "--format", "settings"}, folder);
    EXPECT_EQ(settings.out.toUtf8(), readFile(path("window.txt")));
    EXPECT_TRUE(settings.out.contains(QStringLiteral("\r\n82,4660\r\n")));

    // The cable pulled between the two writes of the 18-pin write-out: wake,
    // DEVID, CRC, power, two read-backs, then the first write goes through.
    a.bench(QStringLiteral("board unplug 7"));
    const CliRun pulled = run(onA + QStringList{"write", path("base.txt")}, folder);
    EXPECT_EQ(pulled.exit, 5) << pulled.out.toStdString();
    EXPECT_TRUE(pulled.err.contains(QStringLiteral("stopped answering"))) << pulled.err.toStdString();
    EXPECT_FALSE(pulled.out.contains(QStringLiteral("written"))) << pulled.out.toStdString();
    a.bench(QStringLiteral("board plug"));

    // An injected fault seen by the watch, as a raise line with milliseconds.
    b.bench(QStringLiteral("board fault CH1_FAULT 0x0010"));
    const CliRun watch = run(onB + QStringList{"faults", "--watch", "--duration", "1"}, folder);
    EXPECT_EQ(watch.exit, 0) << watch.err.toStdString();
    EXPECT_TRUE(watch.out.contains(QRegularExpression(QStringLiteral("\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d  CH1  .+  raised"))))
        << watch.out.toStdString();
    b.bench(QStringLiteral("board clear-fault CH1_FAULT 0x0010"));

    // One second of the sense stream: about 20 samples, channel 2 left out.
    const CliRun sense = run(onB + QStringList{"sense", "--quantity", "current", "--channels", "1", "--duration", "1", "-o",
                                            path("sense.csv")},
                          folder);
    EXPECT_EQ(sense.exit, 0) << sense.err.toStdString();
    const QList<QByteArray> lines = readFile(path("sense.csv")).split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "timestamp,input voltage,ch1,ch2\r");
    const qsizetype samples = lines.size() - 2;  // the header and the empty end
    EXPECT_GE(samples, 5);
    EXPECT_LE(samples, 21);
    EXPECT_TRUE(lines[1].endsWith(",\r")) << lines[1].toStdString();  // channel 2: empty
}
