// keldor-configurator: configures the high-side switch on a VELMARA-BOARD.

#include <QApplication>
#include <QTextStream>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "KcVersion.h"
#include "app/AppOptions.h"
#include "app/BoardSetupFactory.h"
#include "app/SignalWatcher.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/automation/ScriptRunner.h"

int main(int argc, char** argv)
{
    const std::string program = "keldor-configurator";
    const AppOptionsResult parsed = parseAppOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << program << ": " << parsed.error << "\n\n" << appUsageText(program);
        return 2;
    }
    const AppOptions& options = *parsed.options;
    if (options.showHelp) {
        std::cout << appUsageText(program);
        return 0;
    }
    if (options.showVersion) {
        std::cout << program << ' ' << kc::kVersion << '\n';
        return 0;
    }
    std::string error;
    std::optional<BoardSetup> board = makeBoardSetup(options, error);
    if (!board) {
        std::cerr << program << ": " << error << "\n\n" << appUsageText(program);
        return 2;
    }

    // Qt sees only its own options, with the program name first.
    std::vector<std::string> qtArguments{argc > 0 ? argv[0] : program};
    qtArguments.insert(qtArguments.end(), options.qtArguments.begin(), options.qtArguments.end());
    std::vector<char*> qtArgv;
    for (std::string& argument : qtArguments) qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size());
    QApplication application(qtArgc, qtArgv.data());
    // Wayland matches the window to its desktop entry (and icon) by this.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kc::kAppId));
    const std::shared_ptr<EmulatedBoard> emulatedBoard = board->emulatedBoard;
    AutoConfigurationGui window(std::move(*board));
    // A signal closes the window the normal way, and leaves any open dialog.
    SignalWatcher signalWatcher([&window] {
        window.close();
        QCoreApplication::quit();
    });
    // A script drives the window once it is shown and closes it at its end.
    QTextStream scriptOutput(stdout);
    std::unique_ptr<ScriptRunner> script;
    if (!options.scriptPath.empty()) {
        script = std::make_unique<ScriptRunner>(&window, QString::fromStdString(options.scriptPath),
                                                scriptOutput);
        script->setEmulatedBoard(emulatedBoard);
        script->start();
    }
    window.show();
    application.exec();
    return script ? script->exitStatus() : 0;
}
