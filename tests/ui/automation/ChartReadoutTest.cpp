#include "ui/ChartPointLabels.h"
#include "ui/automation/ScriptHarness.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QSplineSeries>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window with two chart views as the tool's pages build them: one with
// value and logarithmic axes, spline, line and area series and point labels,
// and a bare one without axes.
class ChartWindow : public QWidget {
public:
    ChartWindow()
    {
        setObjectName(QStringLiteral("chartWindow"));
        auto* layout = new QVBoxLayout(this);

        auto* chart = new QChart;
        chart->setTitle(QStringLiteral("Current Sense"));
        auto* channel1 = new QSplineSeries;
        channel1->setName(QStringLiteral("Channel 1"));
        channel1->replace(QList<QPointF>{{1, 2.01}, {2, 0.35}});
        channel2 = new QLineSeries;
        channel2->setName(QStringLiteral("Channel 2"));
        auto* upper = new QLineSeries;
        upper->append(0, 10000);
        upper->append(4, 10000);
        auto* nominal = new QAreaSeries(upper);
        nominal->setName(QStringLiteral("Nominal Current"));
        chartlabels::setPointLabels(nominal, {{0, QStringLiteral("4A")}, {500, QStringLiteral("26.3 A2s")}});
        auto* x = new QValueAxis;
        x->setRange(1, 100);
        auto* y = new QLogValueAxis;
        y->setRange(0.0001, 4000);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        for (QAbstractSeries* s : {static_cast<QAbstractSeries*>(channel1), static_cast<QAbstractSeries*>(channel2),
                                   static_cast<QAbstractSeries*>(nominal)}) {
            chart->addSeries(s);
            s->attachAxis(x);
            s->attachAxis(y);
        }
        channel2->setVisible(false);
        auto* view = new QChartView(chart);
        view->setObjectName(QStringLiteral("senseChart"));
        layout->addWidget(view);

        auto* bare = new QChart;
        bare->addSeries(new QLineSeries);
        auto* bareView = new QChartView(bare);
        bareView->setObjectName(QStringLiteral("bareChart"));
        layout->addWidget(bareView);

        auto* label = new QLabel(QStringLiteral("Ready"));
        label->setObjectName(QStringLiteral("statusLabel"));
        layout->addWidget(label);
        resize(500, 600);
    }

    QLineSeries* channel2 = nullptr;
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
        "get bareChart xrange\n"
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
        "ERROR line 12: 'bareChart' has no horizontal axis",
        "ERROR line 13: 'statusLabel' has no property points 0",
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
