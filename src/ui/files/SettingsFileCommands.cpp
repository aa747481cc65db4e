#include "ui/files/SettingsFileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

#include "files/CExport.h"
#include "files/FileReplace.h"
#include "files/SettingsFile.h"
#include "ui/Resources.h"
#include "ui/files/FilesHost.h"
#include "ui/seam/DialogSeam.h"

namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;
constexpr std::size_t kMaxSupportHeaderBytes = 1 << 20;

const QString kSettingsFilter = QStringLiteral("txt files (*.txt)");
const QString kExportFilter = QStringLiteral("C header and source (*.h *.c)");
const QString kOpenErrorCaption = QStringLiteral("Error Opening File!");
const QString kSaveErrorCaption = QStringLiteral("Error Saving File");

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString fromStd(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString familyText(hss_device_family_t family)
{
    return family == HSS_FAMILY_18PWP ? QStringLiteral("18-pin family (18PWP)") : QStringLiteral("16-pin family (16PWP)");
}

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
        reasons << fromStd(hss::files::describeSkippedLine(skipped[i]));
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
    if (const auto error = hss::files::writeFileReplacing(fsPath(path), *text)) {
        const QString reason = fromStd(*error);
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
    const hss_device_family_t family = host.deviceFamily();
    if (family == HSS_FAMILY_NONE) return {LoadOutcome::NoFamily, {}};

    const hss::files::FileBytes file = hss::files::readWholeFile(fsPath(path), kMaxSettingsFileBytes);
    if (!file.ok()) {
        const QString reason = fromStd(file.error);
        if (tellUnreadable) {
            host.logLine(QStringLiteral("Could not read {0}: {1}"), {path, reason});
            DialogSeam::message(parent, QMessageBox::Critical, kOpenErrorCaption,
                                QStringLiteral("%1 could not be read: %2.").arg(path, reason));
        }
        return {LoadOutcome::Unreadable, {}, reason};
    }

    hss::files::SettingsFileContents contents = hss::files::readSettingsFile(file.bytes);
    if (contents.headerFamily == HSS_FAMILY_NONE) {
        DialogSeam::message(parent, QMessageBox::Critical, kOpenErrorCaption, QStringLiteral("File is in wrong format."));
        return {LoadOutcome::WrongFormat, {}};
    }
    // The two families keep different registers at the same addresses: the
    // other family's file would put its values into the wrong registers.
    if (contents.headerFamily != family) {
        DialogSeam::message(parent, QMessageBox::Critical, kOpenErrorCaption,
                            QStringLiteral("%1 holds settings of the %2, but the part in use is of the %3. "
                                           "Nothing was loaded.")
                                .arg(path, familyText(contents.headerFamily), familyText(family)));
        return {LoadOutcome::OtherFamily, {}};
    }
    return {LoadOutcome::Loaded, std::move(contents)};
}

SettingsFileCommands::LoadResult SettingsFileCommands::loadFileIntoGUI(const QString& path, bool tellUnreadable)
{
    const hss_device_family_t family = host.deviceFamily();
    CheckedFile checked = readCheckedFile(path, tellUnreadable);
    if (checked.outcome != LoadOutcome::Loaded) return {checked.outcome, checked.reason};
    const hss::files::SettingsFileContents& contents = checked.contents;
    if (contents.recordLines() == 0) {  // a file that ends after its header changes nothing
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

    // DEVID is the identity of the part in use, not a setting: a file saved
    // from another part must not give the editor that part's option tables.
    const uint8_t devIdAddress = hss::registerAddress(family, HSSRegister::DEVID).value_or(0);
    std::vector<hss::files::SettingsRecord> settings;
    for (const hss::files::SettingsRecord& record : contents.records) {
        if (record.address != devIdAddress) settings.push_back(record);
    }
    if (settings.empty()) {
        host.logLine(QStringLiteral("No usable settings in {0}; nothing was changed."), {path});
        DialogSeam::message(parent, QMessageBox::Warning, QStringLiteral("Nothing Loaded"),
                            QStringLiteral("%1 holds no address,value record for a register of the %2. "
                                           "Nothing was changed.")
                                .arg(path, familyText(family)));
        return {LoadOutcome::NothingUsable, {}};
    }
    result.applied = commitLoadedRecord(family, settings);
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
    const auto names = hss::files::exportFileNames(chosenInfo.fileName().toUtf8().toStdString());
    if (!names) {
        DialogSeam::message(parent, QMessageBox::Critical, kSaveErrorCaption,
                            QStringLiteral("%1 leaves no name for the header and the source file. Choose a name such "
                                           "as config (which gives config.h and config.c).")
                                .arg(chosenInfo.fileName()));
        return;
    }
    const QString headerName = QString::fromUtf8(names->header);
    const QDir folder = chosenInfo.dir();
    const QString headerPath = folder.filePath(headerName);
    const QString sourcePath = folder.filePath(QString::fromUtf8(names->source));
    for (std::string_view support : hss::files::kSupportHeaders) {
        if (headerName == QLatin1String(support.data(), static_cast<qsizetype>(support.size()))) {
            DialogSeam::message(parent, QMessageBox::Critical, kSaveErrorCaption,
                                QStringLiteral("%1 is the name of a support header that the export places beside "
                                               "the configuration. Choose another name.")
                                    .arg(headerName));
            return;
        }
    }
    const auto texts = hss::files::cExportText(host.deviceFamily(), host.sixteenPinRecord(), host.eighteenPinRecord(),
                                               names->header);
    if (!texts) return;

    const std::pair<QString, const std::string*> outputs[] = {{headerPath, &texts->header},
                                                              {sourcePath, &texts->source}};
    for (const auto& [path, text] : outputs) {
        if (const auto error = hss::files::writeFileReplacing(fsPath(path), *text)) {
            const QString reason = fromStd(*error);
            host.logLine(QStringLiteral("Could not export the configuration to {0}: {1}"), {path, reason});
            DialogSeam::message(parent, QMessageBox::Critical, kSaveErrorCaption,
                                QStringLiteral("The configuration could not be exported to %1: %2.").arg(path, reason));
            return;
        }
    }

    // The generated files include these; without them they do not compile.
    QStringList notCopied;
    for (std::string_view support : hss::files::kSupportHeaders) {
        const QString name = QString::fromLatin1(support.data(), static_cast<qsizetype>(support.size()));
        const QString shipped = resources::findFile(QStringLiteral("headers/") + name);
        const auto error = shipped.isEmpty()
                               ? std::optional<std::string>("not found among the tool's files")
                               : hss::files::copyFileReplacing(fsPath(shipped), fsPath(folder.filePath(name)),
                                                               kMaxSupportHeaderBytes);
        if (error) {
            host.logLine(QStringLiteral("Support header {0} was not copied: {1}"), {name, fromStd(*error)});
            notCopied << name + QStringLiteral(" (") + fromStd(*error) + QStringLiteral(")");
        }
    }

    host.logLine(QStringLiteral("Saved configuration to {0} and {1}"), {headerPath, sourcePath});
    QString text = QStringLiteral("Configuration saved to ") + headerPath + QStringLiteral(" and ") + sourcePath;
    if (!notCopied.isEmpty()) {
        text += QStringLiteral("\n\nThese support headers could not be placed beside it: ") +
                notCopied.join(QStringLiteral(", ")) + QStringLiteral(".");
    }
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Configuration Saved"), text);
}
