#pragma once
// "File" -> "Save Settings" / "Load Settings" and "Export" -> "Configuration
// Files": the window side of the settings file and the C-source export. The
// formats themselves are files/SettingsFile and files/CExport.

#include <QString>

#include <cstddef>
#include <span>

#include "device/HSSDeviceFamily.h"
#include "files/SettingsCheck.h"
#include "files/SettingsFile.h"

class FilesHost;
class QWidget;

class SettingsFileCommands {
public:
    // The host and the parent must outlive this object.
    SettingsFileCommands(FilesHost& host, QWidget* dialogParent);

    void saveSettingsToolStripMenuItem_Click();
    void loaToolStripMenuItem_Click();
    void cStructToolStripMenuItem_Click();

    enum class LoadOutcome {
        Loaded,         // applied (a file with no records changes nothing)
        NoFamily,       // no part identified: nothing to apply to
        Unreadable,     // the file could not be read
        WrongFormat,    // the first line is neither header tag
        OtherFamily,    // the header names the other family
        NothingUsable,  // record lines, but none the family could take
    };
    struct LoadResult {
        LoadOutcome outcome;
        QString reason;            // for Unreadable: why
        std::size_t applied = 0;   // records stored into the record (DEVID aside)
        std::size_t skipped = 0;   // lines not taken (see the log)
        QString skippedLines = {}; // "4, 7 and 9", the first few of them
    };
    // Reads a settings file into the record of the current family, writes
    // it to the chip (or holds it like edits under manual persist; neither
    // in demo mode) and shows it in the editor. Problems are told in message
    // boxes, an unreadable file only when tellUnreadable is set.
    LoadResult loadFileIntoGUI(const QString& path, bool tellUnreadable = true);
    // "Load Settings" after its file dialog: loads the file and reports it.
    void loadAndReport(const QString& path);

    // A settings file read and checked as a load reads it (an unreadable
    // file, a wrong header and the other family's file are told in message
    // boxes), without applying anything; the outcome says why when not Loaded.
    struct CheckedFile {
        LoadOutcome outcome;
        hss::files::CheckedSettings file;
        QString reason = {};  // for Unreadable: why
    };
    CheckedFile readCheckedFile(const QString& path, bool tellUnreadable = true);

private:
    // Stores the records, then writes or holds the record; returns how many were stored.
    std::size_t commitLoadedRecord(hss_device_family_t family, std::span<const hss::files::SettingsRecord> settings);
    // Save and export need a family's record: a part or demo mode.
    bool partOrDemo(const QString& action);
    // The path, or empty when the user cancelled; remembers its folder.
    QString askPath(bool save, const QString& caption, const QString& filter, const QString& suffix, QString& folder);

    FilesHost& host;
    QWidget* parent;
    QString settingsFolder;
    QString exportFolder;
};
