#include "ui/ChartPointLabels.h"
#include "ui/automation/ScriptHarness.h"
#include "ui/charts/ChartPlot.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window with a chart as the tool's pages build them: a value and a
// logarithmic axis, line and filled series, point labels.
class ChartWindow : public QWidget {
public:
    ChartWindow()
    {
        setObjectName(QStringLiteral("chartWindow"));
        auto* layout = new QVBoxLayout(this);

        auto* chart = new ChartPlot(QStringLiteral("senseChart"));
        chart->setTitle(QStringLiteral("Current Sense"));
        ChartSeries* channel1 = chart->addSeries(QStringLiteral("Channel 1"));
        channel1->replace(QList<QPointF>{{1, 2.01}, {2, 0.35}});
        channel2 = chart->addSeries(QStringLiteral("Channel 2"));
        ChartSeries* nominal = chart->addSeries(QStringLiteral("Nominal Current"));
        nominal->replace(QList<QPointF>{{0, 10000}, {4, 10000}});
        nominal->setFill(QColor(0x2C, 0xA0, 0x2C, 0x70));
        chartlabels::setPointLabels(nominal, {{0, QStringLiteral("4A")}, {500, QStringLiteral("26.3 A2s")}});
        chart->xAxis->setRange(1, 100);
        chartplot::makeLogarithmic(chart->yAxis, 8);
        chart->yAxis->setRange(0.0001, 4000);
        channel2->setVisible(false);
        layout->addWidget(chart);

        auto* label = new QLabel(QStringLiteral("Ready"));
        label->setObjectName(QStringLiteral("statusLabel"));
        layout->addWidget(label);
        resize(500, 600);
    }

    ChartSeries* channel2 = nullptr;
};

TEST(ChartReadout, SeriesPointsLabelsAxesAndTitle)
{
    ChartWindow window;
    // A sample arriving while the script waits: one replace() of the whole series.
    QTimer::singleShot(100, &window, [&] {
        window.channel2->replace(QList<QPointF>{{1, 5}, {2, 0.0001}});
        window.channel2->setVisible(true);
    });
    const ScriptRun run = runScript(window, QStringLiteral(
        "get senseChart\n"
        "get senseChart title\n"
        "get senseChart points 0\n"
        "get senseChart points 2\n"
        "get senseChart labels 2\n"
        "get senseChart labels 0\n"
        "get senseChart xrange\n"
        "get senseChart yrange\n"
        "get senseChart points 3\n"
        "get senseChart points x\n"
        "get senseChart points\n"
        "get statusLabel points 0\n"
        "wait-for senseChart \"points 1\" \"1,5;2,0.0001\" 5000\n"
        "get senseChart series\n"));
    ASSERT_TRUE(run.finished);
    const QStringList expected{
        "senseChart series=Channel 1:2:true|Channel 2:0:false|Nominal Current:2:true",
        "senseChart title=Current Sense",
        "senseChart points 0=1,2.01;2,0.35",
        "senseChart points 2=0,10000;4,10000",
        "senseChart labels 2=0:4A|500:26.3 A2s",
        "senseChart labels 0=",
        "senseChart xrange=1,100",
        "senseChart yrange=0.0001,4000",
        "ERROR line 9: series 3 out of range for 'senseChart' (3 series)",
        "ERROR line 10: 'x' is not a series number",
        "ERROR line 11: usage: get senseChart points SERIES",
        "ERROR line 12: 'statusLabel' has no property points 0",
        "senseChart series=Channel 1:2:true|Channel 2:2:true|Nominal Current:2:true",
    };
    EXPECT_EQ(run.lines.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
    EXPECT_EQ(run.exitStatus, 1);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
