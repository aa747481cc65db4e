#include "ui/console/LogView.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "files/FileReplace.h"
#include "ui/WidgetHelpers.h"
#include "ui/seam/DialogSeam.h"

using ui::named;

namespace {

// A saved log is read back whole before it is written into place.
constexpr std::size_t kMaxSavedBytes = std::size_t{1} << 31;

const QString kSinceStart = QStringLiteral("since the tool started");
const QString kSinceClear = QStringLiteral("since the last Clear");

QString keptNote(const QString& since)
{
    return QStringLiteral("Shows the newest %1 lines; Save Log writes every line %2.")
        .arg(QLocale(QLocale::English).toString(LogView::kKeptLines), since);
}

}  // namespace

LogView::LogView(QPlainTextEdit* logBox, std::function<void(const QString&)> log, QWidget* parent)
    : QWidget(parent), box(logBox), logLine(std::move(log)), spool(QDir::tempPath() + QStringLiteral("/keldor-log-XXXXXX.txt"))
{
    setObjectName(QStringLiteral("logView"));
    box->setMaximumBlockCount(kKeptLines);
    filterBox = named<QLineEdit>(QStringLiteral("logFilterBox"));
    filterBox->setPlaceholderText(QStringLiteral("Filter: show only lines containing..."));
    filterBox->setClearButtonEnabled(true);
    filterBox->setToolTip(QStringLiteral("Shows only the lines that contain this text (any case). "
                                         "Saving writes every line, shown or not."));
    saveButton = named<QPushButton>(QStringLiteral("saveLogButton"), QStringLiteral("Save Log..."));
    clearButton = named<QPushButton>(QStringLiteral("clearLogButton"), QStringLiteral("Clear"));
    clearButton->setToolTip(QStringLiteral("Empties the log; a later save starts from here."));
    note = named<QLabel>(QStringLiteral("logKeptLabel"), keptNote(kSinceStart));
    saveButton->setToolTip(note->text());

    auto* bar = new QHBoxLayout;
    bar->addWidget(filterBox, 1);
    bar->addWidget(note);
    bar->addWidget(saveButton);
    bar->addWidget(clearButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(box, 1);

    mergeTimer.setSingleShot(true);
    mergeTimer.setInterval(kMergeMs);
    connect(&mergeTimer, &QTimer::timeout, this, [this] { flushPendingLines(); });

    spool.setAutoRemove(true);
    spoolOpen = spool.open();
    if (!spoolOpen)
        spoolError = spool.errorString();

    connect(filterBox, &QLineEdit::textChanged, this, [this] { logFilterBox_TextChanged(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { saveLogButton_Click(); });
    connect(clearButton, &QPushButton::clicked, this, [this] { clearLogButton_Click(); });
}

bool LogView::matches(const QString& line) const
{
    const QString needle = filterBox->text();
    return needle.isEmpty() || line.contains(needle, Qt::CaseInsensitive);
}

void LogView::showLines(const QString& lines)
{
    // appendPlainText starts a new block, and one per line break in it.
    box->appendPlainText(lines);
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    sinceInsert.start();
}

void LogView::flushPendingLines()
{
    mergeTimer.stop();
    if (pending.isEmpty())
        return;
    // More than the box keeps would be trimmed again at once.
    if (pending.size() > kKeptLines)
        pending.erase(pending.begin(), pending.end() - kKeptLines);
    const QString lines = pending.join(QLatin1Char('\n'));
    pending.clear();
    showLines(lines);
}

void LogView::append(const QString& line)
{
    kept.push_back(line);
    if (kept.size() > static_cast<std::size_t>(kKeptLines))
        kept.pop_front();
    if (spoolOpen && spool.write((line + QStringLiteral("\r\n")).toUtf8()) < 0) {
        spoolOpen = false;
        spoolError = spool.errorString();
    }
    if (!matches(line))
        return;
    if (pending.isEmpty() && (!sinceInsert.isValid() || sinceInsert.elapsed() >= kMergeMs)) {
        showLines(line);
        return;
    }
    pending << line;
    if (!mergeTimer.isActive())
        mergeTimer.start();
}

void LogView::logFilterBox_TextChanged()
{
    mergeTimer.stop();
    pending.clear();
    QStringList shown;
    for (const QString& line : kept)
        if (matches(line))
            shown << line;
    box->setPlainText(shown.join(QLatin1Char('\n')));
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    sinceInsert.start();
}

void LogView::saveLogButton_Click()
{
    const QString path = DialogSeam::savePath(window(), QStringLiteral("Save Log"),
                                              QStringLiteral("text files (*.txt);;log files (*.log)"),
                                              QStringLiteral(".txt"), savedFolder);
    if (path.isEmpty())
        return;
    std::optional<std::string> error;
    if (spoolOpen && !spool.flush()) {
        spoolOpen = false;
        spoolError = spool.errorString();
    }
    if (spoolOpen) {
        error = hss::files::copyFileReplacing(std::filesystem::path(QFile::encodeName(spool.fileName()).toStdString()),
                                              std::filesystem::path(QFile::encodeName(path).toStdString()),
                                              kMaxSavedBytes);
    } else {
        // Without the spool only the kept lines are left to save: say so.
        QByteArray bytes;
        for (const QString& line : kept)
            bytes += (line + QStringLiteral("\r\n")).toUtf8();
        error = hss::files::writeFileReplacing(std::filesystem::path(QFile::encodeName(path).toStdString()),
                                               std::string_view(bytes.constData(), std::size_t(bytes.size())));
        if (!error)
            DialogSeam::message(window(), QMessageBox::Warning, QStringLiteral("Log Saved in Part"),
                                QStringLiteral("The log could not be kept in full (%1); %2 saved the newest %3 "
                                               "lines only.")
                                    .arg(spoolError, path, QString::number(kept.size())));
    }
    if (error) {
        DialogSeam::message(window(), QMessageBox::Critical, QStringLiteral("Log Not Saved"),
                            QStringLiteral("The log could not be saved to %1: %2.\n\nA file already there was left "
                                           "as it was.")
                                .arg(path, QString::fromStdString(*error)));
        return;
    }
    logLine(QStringLiteral("Log saved to ") + path + QLatin1Char('.'));
}

void LogView::clearLogButton_Click()
{
    if (kept.empty())
        return;
    const QMessageBox::StandardButton answer = DialogSeam::message(
        window(), QMessageBox::Question, QStringLiteral("Clear Log"),
        QStringLiteral("Clear the log? Lines not saved are lost; a later save starts from here."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    kept.clear();
    mergeTimer.stop();
    pending.clear();
    box->clear();
    if (spoolOpen && !spool.resize(0)) {
        spoolOpen = false;
        spoolError = spool.errorString();
    }
    spool.seek(0);
    note->setText(keptNote(kSinceClear));
    saveButton->setToolTip(note->text());
}
