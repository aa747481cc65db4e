// velmara-emu: an emulated VELMARA-BOARD served on a Unix socket.

#include <csignal>
#include <cstdio>
#include <unistd.h>
#include <string>
#include <variant>
#include <vector>

#include "KcVersion.h"
#include "emulator/EmulatedBoard.h"
#include "emulator/tool/BenchInput.h"
#include "emulator/tool/EmuOptions.h"
#include "emulator/tool/FlashFile.h"
#include "emulator/tool/VirtualBoardServer.h"

namespace {

VirtualBoardServer* runningServer = nullptr;

extern "C" void onStopSignal(int) {
    if (runningServer != nullptr) runningServer->requestStop();
}

void installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    // Started in the background of a terminal, reading standard input fails
    // (and the bench stops reading) instead of stopping the board.
    std::signal(SIGTTIN, SIG_IGN);
}

void printLine(std::FILE* stream, const std::string& line) {
    const std::string text = line + "\n";
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
}

// Loads the flash store from the file and writes every change back to it.
bool keepFlashInFile(EmulatedBoard& board, const std::string& path) {
    std::string error;
    auto store = readFlashFile(path, error);
    if (!store) {
        std::fprintf(stderr, "velmara-emu: %s\n", error.c_str());
        return false;
    }
    board.setFlashStore(std::move(*store));
    board.setFlashListener([path](const FlashStore& changed) {
        std::string why;
        if (!writeFlashFile(path, changed, why)) std::fprintf(stderr, "velmara-emu: %s\n", why.c_str());
    });
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string program = argc > 0 ? argv[0] : "velmara-emu";
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto parsed = parseEmuOptions(args);
    if (const auto* error = std::get_if<EmuOptionsError>(&parsed)) {
        std::fprintf(stderr, "velmara-emu: %s\n%s", error->message.c_str(), emuUsage(program).c_str());
        return 2;
    }
    const EmuOptions& options = std::get<EmuOptions>(parsed);
    if (options.helpRequested) {
        std::fputs(emuUsage(program).c_str(), stdout);
        return 0;
    }
    if (options.versionRequested) {
        std::printf("velmara-emu %s\n", kc::kVersion);
        return 0;
    }

    EmulatedBoard board(options.devid);
    board.setFirmwareVersion(options.firmwareVersion);
    board.setTraceCapacity(0);  // --trace prints instead; nothing to keep
    if (!options.flashFile.empty() && !keepFlashInFile(board, options.flashFile)) return 1;

    VirtualBoardServer server(board, options.socketPath, options.trace);
    // Handlers first: a stop signal that arrives while listening starts is
    // still honoured, and the socket file is still removed.
    runningServer = &server;
    installStopHandlers();
    std::string error;
    if (!server.listen(error)) {
        std::fprintf(stderr, "velmara-emu: %s\n", error.c_str());
        return 1;
    }
    std::fprintf(stderr, "velmara-emu: listening on %s\n", options.socketPath.c_str());
    BenchInput bench(
        board, STDIN_FILENO, [](const std::string& line) { printLine(stdout, line); },
        [](const std::string& line) { printLine(stderr, "velmara-emu: " + line); });
    if (!bench.start(error)) std::fprintf(stderr, "velmara-emu: no bench on standard input: %s\n", error.c_str());
    const bool stoppedOnRequest = server.run();
    runningServer = nullptr;
    bench.stop();
    return stoppedOnRequest ? 0 : 1;
}
