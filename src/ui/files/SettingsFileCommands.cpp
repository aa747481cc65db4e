#include "ui/files/SettingsFileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

#include "files/CExport.h"
#include "files/CExportFiles.h"
#include "files/FileReplace.h"
#include "files/SettingsCheck.h"
#include "files/SettingsFile.h"
#include "ui/QtText.h"
#include "ui/Resources.h"
#include "ui/files/FilesHost.h"
#include "ui/seam/DialogSeam.h"

namespace {


const QString kSettingsFilter = QStringLiteral("txt files (*.txt)");
const QString kExportFilter = QStringLiteral("C header and source (*.h *.c)");
const QString kOpenErrorCaption = QStringLiteral("Error Opening File!");
const QString kSaveErrorCaption = QStringLiteral("Error Saving File");

QString localText(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString familyText(hss_device_family_t family) { return localText(hss::files::familyText(family)); }

QString lines(std::size_t count)
{
    return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count);
}

// The first few line numbers: "4, 7 and 9", "4, 7, 9, 12, 15 and 3 more".
constexpr std::size_t kLinesNamed = 5;

QString lineNumbers(const std::vector<hss::files::SkippedSettingsLine>& skipped)
{
    QStringList numbers;
    for (std::size_t i = 0; i < skipped.size() && i < kLinesNamed; ++i) numbers << QString::number(skipped[i].line);
    if (skipped.size() > kLinesNamed) return numbers.join(QStringLiteral(", ")) +
                                            QStringLiteral(" and %1 more").arg(skipped.size() - kLinesNamed);
    if (numbers.size() < 2) return numbers.join(QString());
    const QString last = numbers.takeLast();
    return numbers.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QString skippedLineReasons(const std::vector<hss::files::SkippedSettingsLine>& skipped)
{
    QStringList reasons;
    for (std::size_t i = 0; i < skipped.size() && i < kLinesNamed; ++i) {
        reasons << localText(hss::files::describeSkippedLine(skipped[i]));
    }
    QString text = reasons.join(QStringLiteral("; "));
    if (skipped.size() > kLinesNamed) text += QStringLiteral("; and %1 more").arg(lines(skipped.size() - kLinesNamed));
    return text + QLatin1Char('.');
}

}  // namespace

SettingsFileCommands::SettingsFileCommands(FilesHost& host_, QWidget* dialogParent) : host(host_), parent(dialogParent) {}

bool SettingsFileCommands::partOrDemo(const QString& action)
{
    if ((host.partIdentified() || host.isDemoMode()) && host.deviceFamily() != HSS_FAMILY_NONE) return true;
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("No Part Identified"),
                        QStringLiteral("A part must be identified first (or Demo/Config Mode chosen) before %1.")
                            .arg(action));
    return false;
}

QString SettingsFileCommands::askPath(bool save, const QString& caption, const QString& filter, const QString& suffix,
                                      QString& folder)
{
    if (save) return DialogSeam::savePath(parent, caption, filter, suffix, folder);
    const QString path = DialogSeam::openFileName(parent, caption, filter, folder);
    if (path.isEmpty()) return {};
    const QFileInfo info(path);
    folder = info.absolutePath();
    return info.absoluteFilePath();
}

void SettingsFileCommands::saveSettingsToolStripMenuItem_Click()
{
    if (!partOrDemo(QStringLiteral("settings can be saved"))) return;
    const QString path = askPath(true, QStringLiteral("Save Settings"), kSettingsFilter, QStringLiteral(".txt"),
                                 settingsFolder);
    if (path.isEmpty()) return;

    const auto text = hss::files::settingsFileText(host.deviceFamily(), host.sixteenPinRecord(), host.eighteenPinRecord());
    if (!text) return;
    if (const auto error = hss::files::writeFileReplacing(ui::fsPath(path), *text)) {
        const QString reason = localText(*error);
        host.logLine(QStringLiteral("Could not save the configuration to {0}: {1}"), {path, reason});
        DialogSeam::message(parent, QMessageBox::Critical, kSaveErrorCaption,
                            QStringLiteral("The configuration could not be saved to %1: %2.\n\n"
                                           "A file already there was left as it was.")
                                .arg(path, reason));
        return;
    }
    host.logLine(QStringLiteral("Saved configuration to {0}"), {path});
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Configuration Saved"),
                        QStringLiteral("Configuration saved to ") + path);
}

void SettingsFileCommands::loaToolStripMenuItem_Click()
{
    if (!partOrDemo(QStringLiteral("settings can be loaded"))) return;
    const QString path = askPath(false, QStringLiteral("Load Settings"), kSettingsFilter, QString(), settingsFolder);
    if (path.isEmpty()) return;
    loadAndReport(path);
}

void SettingsFileCommands::loadAndReport(const QString& path)
{
    const LoadResult result = loadFileIntoGUI(path);
    if (result.outcome != LoadOutcome::Loaded) return;

    QString summary = result.applied == 1 ? QStringLiteral("1 record applied")
                                          : QStringLiteral("%1 records applied").arg(result.applied);
    if (result.skipped > 0) {
        summary += QStringLiteral(", %1 skipped (%2 %3; the log says why)")
                       .arg(lines(result.skipped), result.skipped == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                            result.skippedLines);
    }
    summary += QLatin1Char('.');
    if (!host.isDemoMode()) {
        if (host.manualPersistOn()) {
            host.logLine(QStringLiteral("Loaded {0} file configuration into GUI"), {path});
            summary += QStringLiteral(" The device is written at the next persist.");
        } else {
            host.logLine(QStringLiteral("Loaded {0} file configuration into device"), {path});
        }
    }
    const bool partly = result.skipped > 0;
    DialogSeam::message(parent, partly ? QMessageBox::Warning : QMessageBox::Information,
                        partly ? QStringLiteral("Configuration Partly Loaded") : QStringLiteral("Configuration Loaded"),
                        QStringLiteral("Configuration loaded from ") + path + QStringLiteral("\n\n") + summary);
}

SettingsFileCommands::CheckedFile SettingsFileCommands::readCheckedFile(const QString& path, bool tellUnreadable)
{
    using hss::files::SettingsCheckOutcome;
    const hss_device_family_t family = host.deviceFamily();
    if (family == HSS_FAMILY_NONE) return {LoadOutcome::NoFamily, {}};

    hss::files::CheckedSettings checked = hss::files::readCheckedSettings(ui::fsPath(path), family);
    switch (checked.outcome) {
    case SettingsCheckOutcome::Unreadable: {
        const QString reason = localText(checked.reason);
        if (tellUnreadable) {
            host.logLine(QStringLiteral("Could not read {0}: {1}"), {path, reason});
            DialogSeam::message(parent, QMessageBox::Critical, kOpenErrorCaption,
                                QStringLiteral("%1 could not be read: %2.").arg(path, reason));
        }
        return {LoadOutcome::Unreadable, {}, reason};
    }
    case SettingsCheckOutcome::WrongFormat:
        DialogSeam::message(parent, QMessageBox::Critical, kOpenErrorCaption, QStringLiteral("File is in wrong format."));
        return {LoadOutcome::WrongFormat, {}};
    case SettingsCheckOutcome::OtherFamily:
        DialogSeam::message(parent, QMessageBox::Critical, kOpenErrorCaption,
                            QStringLiteral("%1 holds settings of the %2, but the part in use is of the %3. "
                                           "Nothing was loaded.")
                                .arg(path, familyText(checked.contents.headerFamily), familyText(family)));
        return {LoadOutcome::OtherFamily, {}};
    case SettingsCheckOutcome::NothingUsable:
    case SettingsCheckOutcome::Usable:
        break;
    }
    return {LoadOutcome::Loaded, std::move(checked)};
}

SettingsFileCommands::LoadResult SettingsFileCommands::loadFileIntoGUI(const QString& path, bool tellUnreadable)
{
    const hss_device_family_t family = host.deviceFamily();
    CheckedFile checked = readCheckedFile(path, tellUnreadable);
    if (checked.outcome != LoadOutcome::Loaded) return {checked.outcome, checked.reason};
    const hss::files::SettingsFileContents& contents = checked.file.contents;
    if (checked.file.headerOnly()) {  // a file that ends after its header changes nothing
        commitLoadedRecord(family, {});
        return {LoadOutcome::Loaded, {}};
    }

    LoadResult result{LoadOutcome::Loaded, {}};
    result.skipped = contents.skipped.size();
    result.skippedLines = lineNumbers(contents.skipped);
    if (!contents.skipped.empty()) {
        host.logLine(QStringLiteral("Skipped {0} of {1}: {2}"),
                     {lines(contents.skipped.size()), path, skippedLineReasons(contents.skipped)});
    }
    if (checked.file.outcome == hss::files::SettingsCheckOutcome::NothingUsable) {
        host.logLine(QStringLiteral("No usable settings in {0}; nothing was changed."), {path});
        DialogSeam::message(parent, QMessageBox::Warning, QStringLiteral("Nothing Loaded"),
                            QStringLiteral("%1 holds no address,value record for a register of the %2. "
                                           "Nothing was changed.")
                                .arg(path, familyText(family)));
        return {LoadOutcome::NothingUsable, {}};
    }
    result.applied = commitLoadedRecord(family, checked.file.settings);
    return result;
}

std::size_t SettingsFileCommands::commitLoadedRecord(hss_device_family_t family,
                                                     std::span<const hss::files::SettingsRecord> settings)
{
    // A read-back answered while the record takes the file would put the
    // chip's older values back: held values are kept from the start, and a
    // write-out follows at once (later answers then skip what it wrote),
    // before the slower refresh of the pages. Demo mode has no chip.
    const bool toChip = !host.isDemoMode();
    if (toChip && host.manualPersistOn()) host.holdRecordForPersist();
    const std::size_t applied =
        hss::files::applySettingsRecords(family, settings, host.sixteenPinRecord(), host.eighteenPinRecord()).applied;
    if (toChip && !host.manualPersistOn()) host.writeConfigToChip();
    if (!settings.empty()) host.refreshEditorFromRecord(family);
    return applied;
}

void SettingsFileCommands::cStructToolStripMenuItem_Click()
{
    if (!partOrDemo(QStringLiteral("the configuration can be exported"))) return;
    // Whatever name is picked, the export is a header and a source of one base name.
    const QString chosen = askPath(true, QStringLiteral("Export Configuration Files (a .h header and a .c source)"),
                                   kExportFilter, QString(), exportFolder);
    if (chosen.isEmpty()) return;
    const QFileInfo chosenInfo(chosen);
    const hss::files::CExportWritten written = hss::files::writeCExportFiles(
        ui::fsPath(chosen), host.deviceFamily(), host.sixteenPinRecord(), host.eighteenPinRecord(),
        [](const std::string& relativePath) -> std::optional<std::filesystem::path> {
            const QString shipped = resources::findFile(QString::fromStdString(relativePath));
            if (shipped.isEmpty()) return std::nullopt;
            return ui::fsPath(shipped);
        });
    const QString headerPath = localText(written.header.string());
    const QString sourcePath = localText(written.source.string());
    using Problem = hss::files::CExportWritten::Problem;
    switch (written.problem) {
    case Problem::NoName:
        DialogSeam::message(parent, QMessageBox::Critical, kSaveErrorCaption,
                            QStringLiteral("%1 leaves no name for the header and the source file. Choose a name such "
                                           "as config (which gives config.h and config.c).")
                                .arg(chosenInfo.fileName()));
        return;
    case Problem::SupportHeaderName:
        DialogSeam::message(parent, QMessageBox::Critical, kSaveErrorCaption,
                            QStringLiteral("%1 is the name of a support header that the export places beside "
                                           "the configuration. Choose another name.")
                                .arg(localText(written.header.filename().string())));
        return;
    case Problem::WriteFailed: {
        const QString path = localText(written.failedPath.string());
        const QString reason = localText(written.reason);
        host.logLine(QStringLiteral("Could not export the configuration to {0}: {1}"), {path, reason});
        DialogSeam::message(parent, QMessageBox::Critical, kSaveErrorCaption,
                            QStringLiteral("The configuration could not be exported to %1: %2.").arg(path, reason));
        return;
    }
    case Problem::None:
        break;
    }
    QStringList notCopied;
    for (const std::string& missing : written.notCopied) {
        host.logLine(QStringLiteral("Support header {0} was not copied"), {localText(missing)});
        notCopied << localText(missing);
    }

    host.logLine(QStringLiteral("Saved configuration to {0} and {1}"), {headerPath, sourcePath});
    QString text = QStringLiteral("Configuration saved to ") + headerPath + QStringLiteral(" and ") + sourcePath;
    if (!notCopied.isEmpty()) {
        text += QStringLiteral("\n\nThese support headers could not be placed beside it: ") +
                notCopied.join(QStringLiteral(", ")) + QStringLiteral(".");
    }
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Configuration Saved"), text);
}
