// Runs the velmara-emu binary and talks to it over its socket, as a tool's
// virtual-board device layer would.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

constexpr auto kGenerous = 30s;

std::string emulatorPath() {
    const char* dir = std::getenv("KC_BIN_DIR");
    return std::string(dir != nullptr ? dir : "build/bin") + "/velmara-emu";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/velmara-emu-test-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        path = made != nullptr ? made : "";
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

// One velmara-emu child process; killed if the test leaves it running.
class EmuProcess {
public:
    // Standard input is a pipe the test writes with input(), or empty.
    EmuProcess(const std::vector<std::string>& args, const std::string& outPath, const std::string& errPath,
               bool pipeInput = false) {
        int fds[2] = {-1, -1};
        if (pipeInput && ::pipe2(fds, O_CLOEXEC) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            const int in = pipeInput ? fds[0] : ::open("/dev/null", O_RDONLY);
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(in, STDIN_FILENO);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(err, STDERR_FILENO);
            const std::string program = emulatorPath();
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        if (pipeInput) {
            ::close(fds[0]);
            inputFd = fds[1];
        }
    }
    ~EmuProcess() {
        if (inputFd >= 0) ::close(inputFd);
        if (pid > 0 && !exitStatus) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    void signal(int sig) const { ::kill(pid, sig); }
    // Exit code, or nullopt when it did not exit normally within the timeout.
    std::optional<int> waitExit() {
        const auto deadline = std::chrono::steady_clock::now() + kGenerous;
        while (!exitStatus && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                exitStatus = status;
                break;
            }
            std::this_thread::sleep_for(10ms);
        }
        if (!exitStatus || !WIFEXITED(*exitStatus)) return std::nullopt;
        return WEXITSTATUS(*exitStatus);
    }

    bool input(const std::string& text) const {
        return ::write(inputFd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    void closeInput() {
        if (inputFd >= 0) ::close(inputFd);
        inputFd = -1;
    }

    pid_t pid = -1;

private:
    int inputFd = -1;
    std::optional<int> exitStatus;
};

class Client {
public:
    // Waits for the board to accept, up to a generous timeout.
    explicit Client(const std::string& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        const auto deadline = std::chrono::steady_clock::now() + kGenerous;
        while (std::chrono::steady_clock::now() < deadline) {
            fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) break;
            ::close(fd);
            fd = -1;
            std::this_thread::sleep_for(20ms);
        }
        if (fd >= 0) {
            timeval timeout{static_cast<time_t>(kGenerous.count()), 0};
            ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        }
    }
    ~Client() {
        if (fd >= 0) ::close(fd);
    }
    bool connected() const { return fd >= 0; }

    bool sendMessage(uint8_t type, const Bytes& body) {
        Bytes frame{type, static_cast<uint8_t>(body.size() & 0xFF), static_cast<uint8_t>(body.size() >> 8)};
        frame.insert(frame.end(), body.begin(), body.end());
        return ::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(frame.size());
    }
    // The reply (type, body), or nullopt when the connection closed.
    std::optional<std::pair<uint8_t, Bytes>> receive() {
        Bytes header(3);
        if (!receiveExactly(header)) return std::nullopt;
        Bytes body(static_cast<std::size_t>(header[1] | (header[2] << 8)));
        if (!receiveExactly(body)) return std::nullopt;
        return std::make_pair(header[0], body);
    }
    std::optional<std::pair<uint8_t, Bytes>> request(uint8_t type, const Bytes& body) {
        if (!sendMessage(type, body)) return std::nullopt;
        return receive();
    }
    // True when the board closed the connection (end of stream).
    bool closedByBoard() {
        uint8_t byte = 0;
        return ::recv(fd, &byte, 1, 0) == 0;
    }

private:
    bool receiveExactly(Bytes& out) {
        std::size_t got = 0;
        while (got < out.size()) {
            const ssize_t n = ::recv(fd, out.data() + got, out.size() - got, 0);
            if (n <= 0) return false;
            got += static_cast<std::size_t>(n);
        }
        return true;
    }
    int fd = -1;
};

Bytes commandReport(Bytes head) {
    head.resize(65, 0);  // feature-report length 64 plus one, as the link sends
    return head;
}

const Bytes kWriteAdcConfig = commandReport({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0x0A, 0x34, 0x12});
const Bytes kReadAdcConfig = commandReport({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x04, 0x01, 0x00, 0x0A});
const Bytes kReadDevId = commandReport({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x04, 0x01, 0x00, 0x00});

bool isFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Single read of `report`, returning the 16-bit register value.
std::optional<uint16_t> singleRead(Client& client, const Bytes& report) {
    const auto written = client.request(0x02, report);
    if (!written || written->first != 0x82 || written->second != Bytes{0x00}) return std::nullopt;
    const auto read = client.request(0x03, {0x3C, 0x07, 0x00});
    if (!read || read->first != 0x83 || read->second.size() != 8 || read->second[0] != 0 || read->second[1] != 0x3C)
        return std::nullopt;
    return static_cast<uint16_t>(read->second[3] << 8 | read->second[4]);
}

class VelmaraEmu : public ::testing::Test {
protected:
    std::string socketPath() const { return dir.path + "/board.sock"; }
    std::string outPath() const { return dir.path + "/out.txt"; }
    std::string errPath() const { return dir.path + "/err.txt"; }
    TempDir dir;
};

TEST_F(VelmaraEmu, HelloWriteReadBackAndPulledBoard) {
    EmuProcess emu({"--socket", socketPath(), "--trace"}, outPath(), errPath());
    Client client(socketPath());
    ASSERT_TRUE(client.connected()) << readFile(errPath());

    const auto hello = client.request(0x01, {});
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->first, 0x81);
    const Bytes& body = hello->second;
    ASSERT_GE(body.size(), 6u + 7 + 14 + 1);
    EXPECT_EQ((Bytes(body.begin(), body.begin() + 6)), (Bytes{0x09, 0x12, 0x55, 0x7A, 0x40, 0x00}));
    EXPECT_EQ(body[6], 6);
    EXPECT_EQ(std::string(body.begin() + 7, body.begin() + 13), "Keldor");
    EXPECT_EQ(body[13], 13);
    EXPECT_EQ(std::string(body.begin() + 14, body.begin() + 27), "VELMARA-BOARD");
    ASSERT_GT(body[27], 0);
    EXPECT_EQ(body.size(), 28u + body[27]);

    EXPECT_EQ(singleRead(client, kReadDevId), 0xFFF0);
    const auto written = client.request(0x02, kWriteAdcConfig);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->second, Bytes{0x00});
    EXPECT_EQ(singleRead(client, kReadAdcConfig), 0x1234);

    emu.signal(SIGTERM);
    EXPECT_TRUE(client.closedByBoard());
    EXPECT_EQ(emu.waitExit(), 0);
    EXPECT_FALSE(isFile(socketPath()));

    const std::string trace = readFile(outPath());
    EXPECT_NE(trace.find("> 3F EF BE FE CA 01 03 00 0A 34 12 00"), std::string::npos) << trace;
    EXPECT_NE(trace.find("< 3C 0A 12 34 "), std::string::npos) << trace;
}

TEST_F(VelmaraEmu, OneClientAtATimeAndProtocolBreakersAreDropped) {
    EmuProcess emu({"--socket", socketPath(), "--devid", "0x1234"}, outPath(), errPath());
    Client first(socketPath());
    ASSERT_TRUE(first.connected());
    ASSERT_TRUE(first.request(0x01, {}));

    Client second(socketPath());
    ASSERT_TRUE(second.connected());
    EXPECT_TRUE(second.closedByBoard());  // the board already has a client

    EXPECT_EQ(singleRead(first, kReadDevId), 0x1234);
    EXPECT_FALSE(first.request(0x09, {}));  // unknown type: disconnected

    Client third(socketPath());  // the board waits for the next client
    ASSERT_TRUE(third.connected());
    ASSERT_TRUE(third.request(0x01, {}));
    EXPECT_EQ(singleRead(third, kReadDevId), 0x1234);

    emu.signal(SIGINT);
    EXPECT_TRUE(third.closedByBoard());
    EXPECT_EQ(emu.waitExit(), 0);
    EXPECT_FALSE(isFile(socketPath()));
}

TEST_F(VelmaraEmu, TakesANewClientRightAfterTheLastOneClosed) {
    EmuProcess emu({"--socket", socketPath()}, outPath(), errPath());
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        auto first = std::make_unique<Client>(socketPath());
        ASSERT_TRUE(first->connected());
        ASSERT_TRUE(first->request(0x01, {}));
        // The board sees the old client's end and the new client's arrival
        // in one wake-up: it is held while both happen.
        emu.signal(SIGSTOP);
        first.reset();
        Client next(socketPath());
        emu.signal(SIGCONT);
        ASSERT_TRUE(next.connected());
        const auto hello = next.request(0x01, {});
        ASSERT_TRUE(hello) << readFile(errPath());
        EXPECT_EQ(hello->first, 0x81);
        EXPECT_EQ(singleRead(next, kReadDevId), 0xFFF0);
    }
    emu.signal(SIGTERM);
    EXPECT_EQ(emu.waitExit(), 0);
}

TEST_F(VelmaraEmu, NoChipReadsAnEmptyBus) {
    EmuProcess emu({"--no-chip", "--socket", socketPath(), "--firmware", "0x2101"}, outPath(), errPath());
    Client client(socketPath());
    ASSERT_TRUE(client.connected());
    ASSERT_TRUE(client.request(0x01, {}));
    EXPECT_EQ(singleRead(client, kReadDevId), 0x0000);
    ASSERT_TRUE(client.request(0x02, commandReport({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x02})));
    const auto version = client.request(0x03, {0x3B, 0x0B, 0x00});
    ASSERT_TRUE(version);
    ASSERT_EQ(version->second.size(), 12u);
    EXPECT_EQ(version->second[3], 0x01);
    EXPECT_EQ(version->second[4], 0x21);
    emu.signal(SIGTERM);
    EXPECT_EQ(emu.waitExit(), 0);
}

TEST_F(VelmaraEmu, DfuEntryDropsTheClientAndTheBoardComesBackPoweredUp) {
    EmuProcess emu({"--socket", socketPath()}, outPath(), errPath());
    {
        Client client(socketPath());
        ASSERT_TRUE(client.connected());
        ASSERT_TRUE(client.request(0x01, {}));
        ASSERT_TRUE(client.request(0x02, kWriteAdcConfig));
        const auto dfu = client.request(0x02, commandReport({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x05}));
        ASSERT_TRUE(dfu);
        EXPECT_EQ(dfu->second, Bytes{0x00});
        EXPECT_TRUE(client.closedByBoard());
    }
    Client again(socketPath());
    ASSERT_TRUE(again.connected());
    ASSERT_TRUE(again.request(0x01, {}));
    EXPECT_EQ(singleRead(again, kReadAdcConfig), 0x0000);
    emu.signal(SIGTERM);
    EXPECT_EQ(emu.waitExit(), 0);
}

// Waits until the file holds `text`.
bool fileGets(const std::string& path, const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + kGenerous;
    while (readFile(path).find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

TEST_F(VelmaraEmu, StandardInputDrivesTheBench) {
    EmuProcess emu({"--socket", socketPath()}, outPath(), errPath(), true);
    Client client(socketPath());
    ASSERT_TRUE(client.connected());
    ASSERT_TRUE(client.request(0x01, {}));

    ASSERT_TRUE(emu.input("board fault CH1_FAULT 0x0008\r\n# a comment\n\nboard load 3 1\nboard get register 0D\n"));
    ASSERT_TRUE(fileGets(outPath(), "BOARD register 0x0D=0x0008\n")) << readFile(outPath());
    EXPECT_EQ(singleRead(client, commandReport({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x04, 0x01, 0x00, 0x0D})), 0x0008);
    EXPECT_TRUE(fileGets(errPath(), "velmara-emu: board load: channel must be 1 or 2, not '3'\n"));

    // A last line without a line feed runs when input ends; the board goes on.
    // The card swap pulls and plugs the board: a connection that was open
    // across it may be closed, and the tool connects again.
    ASSERT_TRUE(emu.input("board card 0xFF04"));
    emu.closeInput();
    auto current = std::make_unique<Client>(socketPath());
    const auto deadline = std::chrono::steady_clock::now() + kGenerous;
    const auto readsNewCard = [&] {
        if (singleRead(client, kReadDevId) == 0xFF04)
            return true;
        if (!current->connected() || !current->request(0x01, {})) {
            current = std::make_unique<Client>(socketPath());
            return false;
        }
        return singleRead(*current, kReadDevId) == 0xFF04;
    };
    bool read = false;
    while (!(read = readsNewCard()) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(read);
    emu.signal(SIGTERM);
    EXPECT_EQ(emu.waitExit(), 0);
    EXPECT_EQ(readFile(errPath()).find("usage"), std::string::npos);
}

TEST_F(VelmaraEmu, FlashFileSurvivesARestart) {
    const std::string flash = dir.path + "/flash.txt";
    const Bytes flashWriteAdcConfig = commandReport({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x07, 0x31, 0x00, 0x01, 0x0A});
    const Bytes flashLoad = commandReport({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x08, 0x00, 0x00});
    {
        EmuProcess emu({"--socket", socketPath(), "--flash-file", flash}, outPath(), errPath());
        Client client(socketPath());
        ASSERT_TRUE(client.connected());
        ASSERT_TRUE(client.request(0x01, {}));
        ASSERT_TRUE(client.request(0x02, kWriteAdcConfig));
        ASSERT_TRUE(client.request(0x02, flashWriteAdcConfig));
        emu.signal(SIGTERM);
        EXPECT_EQ(emu.waitExit(), 0);
    }
    EXPECT_NE(readFile(flash).find("0x0A 0x1234"), std::string::npos) << readFile(flash);
    {
        EmuProcess emu({"--socket", socketPath(), "--flash-file", flash}, outPath(), errPath());
        Client client(socketPath());
        ASSERT_TRUE(client.connected());
        ASSERT_TRUE(client.request(0x01, {}));
        EXPECT_EQ(singleRead(client, kReadAdcConfig), 0x0000);  // a fresh chip
        ASSERT_TRUE(client.request(0x02, flashLoad));
        EXPECT_EQ(singleRead(client, kReadAdcConfig), 0x1234);
        emu.signal(SIGTERM);
        EXPECT_EQ(emu.waitExit(), 0);
    }

    // A file that is not a flash store is refused and left as it is.
    { std::ofstream(flash) << "0x0A 0x1234\nnot a store\n"; }
    EmuProcess emu({"--socket", socketPath(), "--flash-file", flash}, outPath(), errPath());
    EXPECT_EQ(emu.waitExit(), 1);
    EXPECT_NE(readFile(errPath()).find("line 2 is not 'REGISTER VALUE'"), std::string::npos) << readFile(errPath());
    EXPECT_EQ(readFile(flash), "0x0A 0x1234\nnot a store\n");
}

TEST_F(VelmaraEmu, BadCommandLinesPrintUsageAndExitTwo) {
    const std::vector<std::vector<std::string>> lines{
        {}, {"--socket"}, {"--socket", socketPath(), "--part", "NOPE"}, {"--socket", socketPath(), "--bogus"}};
    for (const auto& args : lines) {
        EmuProcess emu(args, outPath(), errPath());
        EXPECT_EQ(emu.waitExit(), 2) << ::testing::PrintToString(args);
        EXPECT_NE(readFile(errPath()).find("usage:"), std::string::npos);
        EXPECT_FALSE(isFile(socketPath()));
    }
}

TEST_F(VelmaraEmu, RefusesAPathThatIsNotASocket) {
    { std::ofstream(socketPath()) << "keep me"; }
    EmuProcess emu({"--socket", socketPath()}, outPath(), errPath());
    EXPECT_EQ(emu.waitExit(), 1);
    EXPECT_EQ(readFile(socketPath()), "keep me");
}

}  // namespace
