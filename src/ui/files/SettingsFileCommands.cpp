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
const QString kHeaderFilter = QStringLiteral("Header files (*.h)");
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
    QString path = save ? DialogSeam::saveFileName(parent, caption, filter, folder)
                        : DialogSeam::openFileName(parent, caption, filter, folder);
    if (path.isEmpty()) return {};
    // A name typed without an extension gets the filter's, as the dialog would.
    if (save && QFileInfo(path).suffix().isEmpty()) path += suffix;
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
    if (loadFileIntoGUI(path).outcome != LoadOutcome::Loaded) return;

    // In demo mode there is no chip to write and nothing to hold for one.
    if (!host.isDemoMode()) {
        if (host.manualPersistOn()) {
            host.setPersistPending(true);
            host.logLine(QStringLiteral("Loaded {0} file configuration into GUI"), {path});
        } else {
            host.writeConfigToChip();
            host.logLine(QStringLiteral("Loaded {0} file configuration into device"), {path});
        }
    }
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Configuration Loaded"),
                        QStringLiteral("Configuration loaded from ") + path);
}

SettingsFileCommands::LoadResult SettingsFileCommands::loadFileIntoGUI(const QString& path, bool tellUnreadable)
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
        return {LoadOutcome::Unreadable, reason};
    }

    const hss::files::SettingsFileContents contents = hss::files::readSettingsFile(file.bytes);
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
    if (contents.recordLines == 0) return {LoadOutcome::Loaded, {}};  // a file that ends after its header

    // DEVID is the identity of the part in use, not a setting: a file saved
    // from another part must not give the editor that part's option tables.
    ZVRxQxx16PINConfiguration& record = family == HSS_FAMILY_18PWP
                                            ? static_cast<ZVRxQxx16PINConfiguration&>(host.eighteenPinRecord())
                                            : host.sixteenPinRecord();
    const uint16_t devId = record.getDevID();
    const hss::files::SettingsApplied applied =
        hss::files::applySettingsRecords(family, contents.records, host.sixteenPinRecord(), host.eighteenPinRecord());
    record.setDevID(devId);
    if (applied.applied == 0) {
        host.logLine(QStringLiteral("No usable settings in {0}; nothing was changed."), {path});
        DialogSeam::message(parent, QMessageBox::Warning, QStringLiteral("Nothing Loaded"),
                            QStringLiteral("%1 holds no address,value record for a register of the %2. "
                                           "Nothing was changed.")
                                .arg(path, familyText(family)));
        return {LoadOutcome::NothingUsable, {}};
    }
    host.refreshEditorFromRecord(family);
    if (contents.notDecimalLines > 0) {
        host.logLine(QStringLiteral("Skipped {0} of {1} whose address or value is not a decimal number."),
                     {lines(contents.notDecimalLines), path});
    }
    return {LoadOutcome::Loaded, {}};
}

void SettingsFileCommands::cStructToolStripMenuItem_Click()
{
    if (!partOrDemo(QStringLiteral("the configuration can be exported"))) return;
    const QString headerPath = askPath(true, QStringLiteral("Export Configuration Files"), kHeaderFilter,
                                       QStringLiteral(".h"), exportFolder);
    if (headerPath.isEmpty()) return;

    const QFileInfo header(headerPath);
    const QString headerName = header.fileName();
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
                                               headerName.toUtf8().toStdString());
    if (!texts) return;
    const QString sourcePath =
        header.dir().filePath(QString::fromUtf8(hss::files::exportSourceFileName(headerName.toUtf8().toStdString())));

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
                               : hss::files::copyFileReplacing(fsPath(shipped), fsPath(header.dir().filePath(name)),
                                                               kMaxSupportHeaderBytes);
        if (error) {
            host.logLine(QStringLiteral("Support header {0} was not copied: {1}"), {name, fromStd(*error)});
            notCopied << name + QStringLiteral(" (") + fromStd(*error) + QStringLiteral(")");
        }
    }

    host.logLine(QStringLiteral("Saved configuration to {0}"), {headerPath});
    QString text = QStringLiteral("Configuration saved to ") + headerPath;
    if (!notCopied.isEmpty()) {
        text += QStringLiteral("\n\nThese support headers could not be placed beside it: ") +
                notCopied.join(QStringLiteral(", ")) + QStringLiteral(".");
    }
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Configuration Saved"), text);
}
