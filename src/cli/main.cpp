// keldor-cli: the configurator's main jobs without the window.

#include <iostream>
#include <string>
#include <vector>

#include "KcVersion.h"
#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "link/HSSCommunicationManager.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = hss::cli::parseCliOptions(args);
    if (const auto* error = std::get_if<hss::cli::CliUsageError>(&parsed)) {
        std::cerr << "keldor-cli: " << error->message << "\n\n" << hss::cli::cliUsage();
        return hss::cli::kExitUsage;
    }
    const auto& options = std::get<hss::cli::CliOptions>(parsed);
    if (options.help) {
        std::cout << hss::cli::cliUsage();
        return hss::cli::kExitDone;
    }
    if (options.version) {
        std::cout << "keldor-cli " << kc::kVersion << "\n";
        return hss::cli::kExitDone;
    }
    // Standard output carries results only: no link diagnostics.
    HSSCommunicationManager::setVerboseMode(false);
    return hss::cli::runCli(options, std::cout, std::cerr);
}
