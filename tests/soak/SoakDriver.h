#pragma once
// The soak test's driver: what a user and a flaky board do to the window, as
// a weighted table of actions run in random order on the real window. Each
// action acts only where a user could (controls found by name, operated
// through the script automation, which refuses disabled ones).

#include <QString>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "GuiHarness.h"

class SoakDriver {
public:
    // One thing the driver may do. run returns false when the action made
    // no sense at that moment (nothing was done; another is drawn). A
    // required action that chance has not drawn by half time is run then, so
    // a short soak cannot pass without ever, say, pulling the board.
    struct Action {
        std::string name;
        int weight;
        std::function<bool(SoakDriver&)> run;
        bool required = false;
    };
    // Every action of the soak. Add new ones here (the live sense chart's
    // graphing toggles, the fault view's update mode, ...) as those views land.
    static std::vector<Action> actions();

    SoakDriver(harness::Gui& gui, uint32_t seed, std::filesystem::path folder);

    // Draws and runs actions, with a little event processing between them,
    // until the deadline (the required ones at least once). Background link trouble is on throughout.
    void runUntil(std::chrono::steady_clock::time_point deadline);
    // Ends the link trouble, plugs the board in, switches automatic refresh
    // and persist back on and waits for the part. False on a time-out.
    bool finish();
    // Waits until the chip's configuration registers equal the record (or
    // the time-out); returns the registers that still differ ("" for none).
    std::string waitForChipToMatchRecord(int timeoutMs);

    // How often each action ran, and what the checkpoints found.
    const std::map<std::string, int>& counts() const { return counts_; }
    const std::vector<std::string>& mismatches() const { return mismatches_; }

    // The actions (public so the table can name them).
    bool editSetting();
    bool switchPage();
    bool switchChannel();
    bool toggleGraphing();
    bool changeSenseQuantity();
    bool readRegisterInConsole();
    bool togglePersist();
    bool manualPersist();
    bool toggleRefresh();
    bool manualRefresh();
    bool saveSettings();
    bool loadSettings();
    bool unplug();
    bool troubleBurst();
    bool checkpoint();

private:
    QObject* control(const QString& name);
    bool operable(QObject* control);
    bool partShown();
    // "" when chip and record agree on every configuration register.
    std::string differences();
    int uniform(int low, int high);
    void replugWhenDue();
    // Runs the first required action that has not run yet and can run now;
    // false if there is none.
    bool runMissingRequired();
    bool run(const Action& action);

    // Message boxes take their default button; file dialogs get fileAnswer.
    struct Answers : DialogSeam::Responder {
        Answers() { DialogSeam::setResponder(this); }
        ~Answers() override { DialogSeam::setResponder(nullptr); }
        QMessageBox::StandardButton onMessage(QMessageBox::Icon, const QString&, const QString&,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton def) override
        {
            return DialogSeam::defaultButtonOf(buttons, def);
        }
        QString onFileDialog(bool, const QString&, const QString&) override { return fileAnswer; }
        QString fileAnswer;
    };

    harness::Gui& gui_;
    Answers answers_;
    std::mt19937 random_;
    std::filesystem::path folder_;
    std::vector<Action> actions_;
    std::map<std::string, int> counts_;
    std::vector<std::string> mismatches_;
    std::chrono::steady_clock::time_point replugAt_{};
    std::chrono::steady_clock::time_point lastPlug_{};
    bool saved_ = false;
};
