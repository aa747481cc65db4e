#include "ui/automation/ScriptRunner.h"

#include "ui/automation/ControlActions.h"
#include "ui/automation/ControlLocator.h"
#include "ui/automation/ControlProperties.h"
#include "ui/automation/ScriptInput.h"
#include "ui/automation/ScriptResponder.h"
#include "ui/automation/ScriptSyntax.h"
#include "ui/automation/StrayDialogWatcher.h"
#include "ui/seam/DialogSeam.h"

#include "emulator/BenchCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>
#include <QWidget>


namespace {

constexpr int kDefaultWaitForMs = 5000;
constexpr int kWaitForPollMs = 20;
constexpr const char* kMainWindowName = "AutoConfigurationGui";
constexpr const char* kLogSignal = "logLineAppended(QString)";

std::optional<int> parseInt(const QString& word)
{
    bool ok = false;
    const int v = word.toInt(&ok, 10);
    return ok ? std::optional<int>(v) : std::nullopt;
}

}  // namespace

ScriptRunner::ScriptRunner(QWidget* mainWindow, QTextStream& out, QObject* parent)
    : QObject(parent), window_(mainWindow), out_(out)
{
    responder_ = std::make_unique<automation::ScriptResponder>(
        [this](const QString& line) { print(line); },
        [this](int line, const QString& what) { error(line, what); });
    strayDialogs_ = new automation::StrayDialogWatcher(*responder_, this);
    waitForTimer_ = new QTimer(this);
    waitForTimer_->setInterval(kWaitForPollMs);
    connect(waitForTimer_, &QTimer::timeout, this, &ScriptRunner::pollWaitFor);
}

ScriptRunner::ScriptRunner(QWidget* mainWindow, const QString& scriptPath, QTextStream& out,
                           QObject* parent)
    : ScriptRunner(mainWindow, out, parent)
{
    setInput(new automation::ScriptInput(scriptPath, this));
}

ScriptRunner::ScriptRunner(QWidget* mainWindow, std::unique_ptr<QIODevice> script, QTextStream& out,
                           QObject* parent)
    : ScriptRunner(mainWindow, out, parent)
{
    setInput(new automation::ScriptInput(std::move(script), this));
}

void ScriptRunner::setInput(automation::ScriptInput* input)
{
    input_ = input;
    connect(input_, &automation::ScriptInput::linesAvailable, this, [this] {
        if (waitingForInput_) {
            waitingForInput_ = false;
            scheduleStep(0);
        }
    });
}

ScriptRunner::~ScriptRunner()
{
    if (DialogSeam::responder() == responder_.get())
        DialogSeam::setResponder(nullptr);
    if (window_ != nullptr)
        window_->removeEventFilter(this);
}

void ScriptRunner::start()
{
    if (started_)
        return;
    started_ = true;
    DialogSeam::setResponder(responder_.get());
    strayDialogs_->setActive(true);
    if (window_ != nullptr) {
        const QByteArray signature = QMetaObject::normalizedSignature(kLogSignal);
        if (window_->metaObject()->indexOfSignal(signature.constData()) >= 0)
            connect(window_, SIGNAL(logLineAppended(QString)), this, SLOT(onLogLine(QString)));
    }
    if (!input_->openError().isEmpty())
        error(0, input_->openError());
    input_->start();
    if (window_ != nullptr && !window_->isVisible())
        window_->installEventFilter(this);  // first command once the window is shown
    else
        scheduleStep(0);
}

bool ScriptRunner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::Show) {
        window_->removeEventFilter(this);
        scheduleStep(0);
    }
    return QObject::eventFilter(watched, event);
}

void ScriptRunner::onLogLine(const QString& line)
{
    print(QStringLiteral("LOG ") + automation::escapeValue(line));
}

void ScriptRunner::print(const QString& line)
{
    out_ << line << '\n';
    out_.flush();
}

void ScriptRunner::error(int line, const QString& what)
{
    ++errorCount_;
    print(QStringLiteral("ERROR line %1: %2").arg(line).arg(what));
}

void ScriptRunner::scheduleStep(int delayMs)
{
    QTimer::singleShot(delayMs, this, &ScriptRunner::step);
}

void ScriptRunner::step()
{
    if (finished_ || running_ || waitFor_)
        return;
    if (window_ == nullptr || !window_->isVisible()) {
        finish();  // the script closed the window itself (e.g. "Exit")
        return;
    }
    const std::optional<QString> line = input_->takeLine();
    if (!line) {
        if (input_->ended())
            endScript();
        else
            waitingForInput_ = true;
        return;
    }
    ++lineNumber_;
    const automation::ScriptLine parsed = automation::splitScriptLine(*line);
    Next next = Next::Now;
    running_ = true;
    if (!parsed.error.isEmpty())
        errorHere(parsed.error);
    else if (!parsed.words.isEmpty())
        next = execute(parsed.words);
    running_ = false;
    if (next == Next::Stop)
        endScript();
    else if (next == Next::Now)
        scheduleStep(0);
}

QObject* ScriptRunner::control(const QString& name)
{
    if (window_ != nullptr && name == QLatin1String(kMainWindowName))
        return window_;
    QObject* c = automation::findControl(window_, name);
    if (c == nullptr)
        errorHere(QStringLiteral("unknown control '%1'").arg(name));
    return c;
}

ScriptRunner::Next ScriptRunner::execute(const QStringList& w)
{
    using namespace automation;
    const QString& cmd = w.at(0);
    const auto arity = [&](qsizetype min, qsizetype max, const char* usage) {
        if (w.size() >= min && w.size() <= max)
            return true;
        errorHere(QStringLiteral("usage: %1").arg(QString::fromLatin1(usage)));
        return false;
    };
    const auto number = [&](const QString& word) {
        std::optional<int> v = parseInt(word);
        if (!v)
            errorHere(QStringLiteral("'%1' is not a number").arg(word));
        return v;
    };
    const auto tick = [&](const QString& word) -> std::optional<bool> {
        if (word == QLatin1String("0") || word == QLatin1String("1"))
            return word == QLatin1String("1");
        errorHere(QStringLiteral("'%1' is not 0 or 1").arg(word));
        return std::nullopt;
    };
    const auto report = [&](const QString& failure) {
        if (!failure.isEmpty())
            errorHere(failure);
        return Next::Now;
    };

    if (cmd == QLatin1String("wait")) {
        if (!arity(2, 2, "wait MS"))
            return Next::Now;
        const std::optional<int> ms = number(w.at(1));
        if (!ms)
            return Next::Now;
        if (*ms < 0)
            return report(QStringLiteral("wait needs a time of 0 ms or more"));
        scheduleStep(*ms);
        return Next::Later;
    }
    if (cmd == QLatin1String("wait-for"))
        return runWaitFor(w);
    if (cmd == QLatin1String("select")) {
        if (!arity(3, 3, "select NAME INDEX"))
            return Next::Now;
        QObject* c = control(w.at(1));
        const std::optional<int> index = c ? number(w.at(2)) : std::nullopt;
        return index ? report(selectIndex(c, *index)) : Next::Now;
    }
    if (cmd == QLatin1String("select-text")) {
        if (!arity(3, 3, "select-text NAME \"TEXT\""))
            return Next::Now;
        QObject* c = control(w.at(1));
        return c ? report(selectText(c, w.at(2))) : Next::Now;
    }
    if (cmd == QLatin1String("check")) {
        if (!arity(3, 3, "check NAME 0|1"))
            return Next::Now;
        QObject* c = control(w.at(1));
        const std::optional<bool> on = c ? tick(w.at(2)) : std::nullopt;
        return on ? report(setChecked(c, *on)) : Next::Now;
    }
    if (cmd == QLatin1String("check-item")) {
        if (!arity(4, 4, "check-item NAME INDEX 0|1"))
            return Next::Now;
        QObject* c = control(w.at(1));
        const std::optional<int> index = c ? number(w.at(2)) : std::nullopt;
        const std::optional<bool> on = index ? tick(w.at(3)) : std::nullopt;
        return on ? report(setItemChecked(c, *index, *on)) : Next::Now;
    }
    if (cmd == QLatin1String("type")) {
        if (!arity(3, 3, "type NAME \"TEXT\""))
            return Next::Now;
        QObject* c = control(w.at(1));
        return c ? report(typeText(c, w.at(2))) : Next::Now;
    }
    if (cmd == QLatin1String("key")) {
        if (!arity(3, 3, "key NAME KEY"))
            return Next::Now;
        QObject* c = control(w.at(1));
        return c ? report(pressKey(c, w.at(2))) : Next::Now;
    }
    if (cmd == QLatin1String("slide")) {
        if (!arity(3, 3, "slide NAME VALUE"))
            return Next::Now;
        QObject* c = control(w.at(1));
        const std::optional<int> value = c ? number(w.at(2)) : std::nullopt;
        return value ? report(slideTo(c, *value)) : Next::Now;
    }
    if (cmd == QLatin1String("click")) {
        if (!arity(2, 2, "click NAME"))
            return Next::Now;
        QObject* c = control(w.at(1));
        return c ? report(click(c)) : Next::Now;
    }
    if (cmd == QLatin1String("answer")) {
        if (!arity(2, 2, "answer ok|yes|no"))
            return Next::Now;
        const QMessageBox::StandardButton button = buttonFromName(w.at(1));
        if (button == QMessageBox::NoButton)
            return report(QStringLiteral("unknown button '%1'").arg(w.at(1)));
        responder_->queueMessageAnswer(button, lineNumber_);
        return Next::Now;
    }
    if (cmd == QLatin1String("answer-file")) {
        if (!arity(2, 2, "answer-file PATH"))
            return Next::Now;
        if (w.at(1).isEmpty())
            return report(QStringLiteral("answer-file needs a path (answer-cancel cancels)"));
        responder_->queueFileAnswer(w.at(1), lineNumber_);
        return Next::Now;
    }
    if (cmd == QLatin1String("answer-cancel")) {
        if (arity(1, 1, "answer-cancel"))
            responder_->queueFileAnswer(std::nullopt, lineNumber_);
        return Next::Now;
    }
    if (cmd == QLatin1String("get")) {
        if (!arity(2, 4, "get NAME [PROPERTY [SERIES]]"))
            return Next::Now;
        QObject* c = control(w.at(1));
        if (c == nullptr)
            return Next::Now;
        // A chart's "points N" and "labels N" take the series as a further word.
        const QString property = w.mid(2).join(u' ');
        const PropertyValue v = readProperty(c, property);
        if (!v.error.isEmpty())
            return report(v.error);
        print(QStringLiteral("%1 %2=%3").arg(w.at(1), v.property, escapeValue(v.value)));
        return Next::Now;
    }
    if (cmd == QLatin1String("screenshot"))
        return runScreenshot(w);
    if (cmd == QLatin1String("resize")) {
        if (!arity(3, 3, "resize WIDTH HEIGHT"))
            return Next::Now;
        const std::optional<int> width = number(w.at(1));
        const std::optional<int> height = number(w.at(2));
        if (!width || !height)
            return Next::Now;
        if (*width < 1 || *height < 1)
            return report(QStringLiteral("size %1 x %2 is not a window size").arg(*width).arg(*height));
        window_->resize(*width, *height);
        QCoreApplication::processEvents();  // the layouts settle before the next command
        return Next::Now;
    }
    if (cmd == QLatin1String("board"))
        return runBoardCommand(w);
    if (cmd == QLatin1String("quit")) {
        if (!arity(1, 1, "quit"))
            return Next::Now;
        return Next::Stop;
    }
    return report(QStringLiteral("unknown command '%1'").arg(cmd));
}

ScriptRunner::Next ScriptRunner::runScreenshot(const QStringList& w)
{
    if (w.size() < 2 || w.size() > 3) {
        errorHere(QStringLiteral("usage: screenshot PATH [NAME]"));
        return Next::Now;
    }
    QWidget* shown = window_;
    if (w.size() == 3) {
        QObject* c = control(w.at(2));
        if (c == nullptr)
            return Next::Now;
        shown = qobject_cast<QWidget*>(c);
        if (shown == nullptr || !shown->isVisible()) {
            errorHere(QStringLiteral("'%1' is not a shown window or control").arg(w.at(2)));
            return Next::Now;
        }
    }
    const QFileInfo target(w.at(1));
    QDir().mkpath(target.absolutePath());
    if (!shown->grab().save(target.absoluteFilePath(), "PNG"))
        errorHere(QStringLiteral("cannot write screenshot '%1'").arg(w.at(1)));
    return Next::Now;
}

ScriptRunner::Next ScriptRunner::runBoardCommand(const QStringList& w)
{
    if (bench_ == nullptr) {
        errorHere(QStringLiteral("board commands need the emulated board (start the tool with --emulate)"));
        return Next::Now;
    }
    std::vector<std::string> words;
    words.reserve(static_cast<std::size_t>(w.size()));
    for (const QString& word : w)
        words.push_back(word.toStdString());
    const auto parsed = parseBenchCommand(words);
    if (const auto* failed = std::get_if<BenchError>(&parsed)) {
        errorHere(QString::fromStdString(failed->message));
        return Next::Now;
    }
    const BenchReply reply = runBenchCommand(*bench_, std::get<BenchCommand>(parsed));
    if (!reply.error.empty())
        errorHere(QString::fromStdString(reply.error));
    else if (!reply.answer.empty())
        print(QString::fromStdString(reply.answer));
    return Next::Now;
}

ScriptRunner::Next ScriptRunner::runWaitFor(const QStringList& w)
{
    if (w.size() < 4 || w.size() > 5) {
        errorHere(QStringLiteral("usage: wait-for NAME PROPERTY VALUE [TIMEOUT_MS]"));
        return Next::Now;
    }
    int timeoutMs = kDefaultWaitForMs;
    if (w.size() == 5) {
        const std::optional<int> t = parseInt(w.at(4));
        if (!t || *t < 0) {
            errorHere(QStringLiteral("'%1' is not a time in ms").arg(w.at(4)));
            return Next::Now;
        }
        timeoutMs = *t;
    }
    waitFor_ = WaitFor{w.at(1), w.at(2), w.at(3), QDeadlineTimer(timeoutMs)};
    pollWaitFor();
    if (!waitFor_)
        return Next::Now;
    waitForTimer_->start();
    return Next::Later;
}

void ScriptRunner::pollWaitFor()
{
    if (!waitFor_)
        return;
    const WaitFor& wf = *waitFor_;
    bool done = true;
    if (window_ == nullptr || !window_->isVisible()) {
        // Nothing left to wait on; step() ends the run.
    } else if (QObject* c = control(wf.name)) {
        const automation::PropertyValue v = automation::readProperty(c, wf.property);
        if (!v.error.isEmpty())
            errorHere(v.error);
        else if (automation::escapeValue(v.value) == wf.value)
            ;  // reached
        else if (wf.deadline.hasExpired())
            print(QStringLiteral("TIMEOUT %1 %2").arg(wf.name, wf.property));
        else
            done = false;
    }
    if (!done)
        return;
    const bool wasWaiting = waitForTimer_->isActive();
    waitForTimer_->stop();
    waitFor_.reset();
    if (wasWaiting)
        scheduleStep(0);
}

void ScriptRunner::endScript()
{
    if (closing_)
        return;
    closing_ = true;
    if (window_ != nullptr && window_->isVisible()) {
        window_->close();
        if (window_ != nullptr && window_->isVisible()) {
            // The close path refused; end the event loop so the process does not hang.
            error(lineNumber_, QStringLiteral("the window did not close"));
            QCoreApplication::exit(exitStatus());
        }
    }
    finish();
}

void ScriptRunner::finish()
{
    if (finished_)
        return;
    finished_ = true;
    waitForTimer_->stop();
    waitFor_.reset();
    strayDialogs_->setActive(false);
    emit finished(exitStatus());
}
