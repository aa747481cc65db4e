// keldor-cli's write with its read-back verification of a whole 16-pin
// configuration, against the in-process emulated board and against virtual
// boards on sockets, one and four at once (--all): wall time, board
// exchanges, and the time over (exchanges x the 1 ms command delay).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "cli/CliCommands.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "emulator/EmulatedBoard.h"
#include "files/FileReplace.h"
#include "files/SettingsFile.h"
#include "link/HSSVerbose.h"
#include "session/BoardTargets.h"

extern char** environ;

namespace {

constexpr uint16_t kPart16 = 0xFFF0;
constexpr double kCommandDelayMs = 1.0;

// Every register of the 16-pin file with a value other than the chip's reset value.
std::filesystem::path settingsFile()
{
    ZVRxQxx16PINConfiguration record;
    record.setDevID(kPart16);
    record.setDevConfig(0x0008);
    record.setSwitchState(0x0000);
    record.setDeviceFaultMask(0x0003);
    record.setADCConfig(0x0001);
    for (uint8_t channel = 0; channel < 2; ++channel) {
        record.setPWMConfig(uint16_t(0x0100 + channel * 0x20), channel);
        record.setILIMConfig(uint16_t(0x0002 + channel), channel);
        record.setChanDiagConfig(0x0010, channel);
        record.setI2TConfig(uint16_t(0x0021 + channel), channel);
    }
    const auto path = std::filesystem::temp_directory_path() / "keldor-bench-write16.txt";
    hss::files::writeFileReplacing(path, hss::files::sixteenPinSettingsText(record));
    return path;
}

hss::cli::CliOptions writeOptions(const std::filesystem::path& file)
{
    hss::cli::CliOptions options;
    options.command = "write";
    options.files = {file.string()};
    return options;
}

void BM_CliWriteVerify(benchmark::State& state)
{
    hss::setVerboseMode(false);
    const auto file = settingsFile();
    const hss::cli::CliOptions options = writeOptions(file);
    uint64_t exchanges = 0;
    const auto started = std::chrono::steady_clock::now();
    for (auto _ : state) {
        hss::session::BoardTarget target = hss::session::emulatedBoard(kPart16);
        target.emulated->setTraceCapacity(0);
        std::ostringstream out, err;
        const hss::cli::BoardResult result = hss::cli::runBoardCommand(options, target, out, err);
        if (result.exit != hss::cli::kExitDone) {
            state.SkipWithError(result.error.c_str());
            break;
        }
        exchanges = result.exchanges;
    }
    const double msPerWrite = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() /
                              double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["exchanges"] = double(exchanges);
    // The goal: at most 1.3 times what the exchanges' command delays alone take.
    state.counters["over delays"] = exchanges ? msPerWrite / (double(exchanges) * kCommandDelayMs) : 0.0;
    hss::setVerboseMode(true);
}
BENCHMARK(BM_CliWriteVerify)->Unit(benchmark::kMillisecond)->UseRealTime();

// velmara-emu boards beside this program (the build's bin folder), one process each.
struct ServedBoards {
    std::vector<pid_t> processes;
    std::vector<std::string> sockets;

    explicit ServedBoards(int count)
    {
        const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "velmara-emu";
        for (int i = 0; i < count; ++i) {
            sockets.push_back((std::filesystem::temp_directory_path() / ("keldor-bench-" + std::to_string(i) + ".sock")).string());
            std::vector<std::string> args{program.string(), "--socket", sockets.back(), "--part", "ZVR2M08A-K1"};
            std::vector<char*> argv;
            for (std::string& arg : args) argv.push_back(arg.data());
            argv.push_back(nullptr);
            // Its "client connected" lines would run through the table.
            posix_spawn_file_actions_t quiet;
            posix_spawn_file_actions_init(&quiet);
            posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
            pid_t pid = -1;
            const int spawned = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv.data(), environ);
            posix_spawn_file_actions_destroy(&quiet);
            if (spawned != 0)
                throw std::runtime_error("velmara-emu could not be started from " + program.string());
            processes.push_back(pid);
        }
        for (const std::string& socket : sockets) {
            for (int wait = 0; wait < 200 && !std::filesystem::exists(socket); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~ServedBoards()
    {
        for (pid_t pid : processes) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

void BM_CliWriteVerify_Sockets(benchmark::State& state)
{
    hss::setVerboseMode(false);
    const auto file = settingsFile();
    ServedBoards served(int(state.range(0)));
    hss::cli::CliOptions options = writeOptions(file);
    options.board = hss::cli::CliOptions::Board::Socket;
    options.sockets = served.sockets;
    options.all = true;
    for (auto _ : state) {
        std::ostringstream out, err;
        if (hss::cli::runCli(options, out, err) != hss::cli::kExitDone) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    hss::setVerboseMode(true);
}
BENCHMARK(BM_CliWriteVerify_Sockets)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
