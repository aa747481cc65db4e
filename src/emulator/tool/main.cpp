// velmara-emu: an emulated VELMARA-BOARD served on a Unix socket.

#include <csignal>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "emulator/EmulatedBoard.h"
#include "emulator/tool/EmuOptions.h"
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

    EmulatedBoard board(options.devid);
    board.setFirmwareVersion(options.firmwareVersion);
    board.setTraceCapacity(0);  // --trace prints instead; nothing to keep

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
    const bool stoppedOnRequest = server.run();
    runningServer = nullptr;
    return stoppedOnRequest ? 0 : 1;
}
