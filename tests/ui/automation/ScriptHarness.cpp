#include "ui/automation/ScriptHarness.h"

#include "ui/automation/ScriptRunner.h"

#include <QBuffer>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <memory>

ScriptRun runScript(QWidget& window, const QString& script)
{
    QString printed;
    QTextStream out(&printed);
    auto device = std::make_unique<QBuffer>();
    device->setData(script.toUtf8());
    ScriptRun run;
    {
        ScriptRunner runner(&window, std::move(device), out);
        QEventLoop loop;
        QObject::connect(&runner, &ScriptRunner::finished, &loop, [&](int status) {
            run.exitStatus = status;
            run.finished = true;
            loop.quit();
        });
        // Only a guard against a hung run; a healthy run ends long before.
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        runner.start();
        window.show();
        if (!run.finished)
            loop.exec();
    }
    out.flush();
    run.lines = printed.split(u'\n', Qt::SkipEmptyParts);
    return run;
}
