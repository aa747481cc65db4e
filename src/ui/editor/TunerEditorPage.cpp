// The editor part of a family's "I2T Tuner" page. The curves and wire
// models go into the chart area this builder leaves free.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"

namespace editorpages {
namespace {

QString n(const char* base, hss_device_family_t family) { return twinName(base, family); }

QLabel* namedLabel(EditorControls& c, const QString& name, const QString& text)
{
    return c.make<QLabel>(name, text);
}

QGroupBox* buildTuningGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Tuning Parameters"));
    auto* form = new QFormLayout(group);

    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(c.make<QComboBox>(n("i2tChanNumBox", f)));
    selectorRow->addStretch(1);
    form->addRow(QStringLiteral("Channel:"), selectorRow);

    form->addRow(namedLabel(c, n("nomCurrentLabel", f), QStringLiteral("Nominal Current (A):")),
                 c.make<QComboBox>(n("nomCurrentBox", f)));

    auto* tripRow = new QHBoxLayout;
    auto* track = c.make<QSlider>(n("i2tTrack", f), Qt::Horizontal);
    track->setRange(0, 15);
    track->setPageStep(4);
    track->setSingleStep(1);
    track->setTickPosition(QSlider::TicksBelow);
    track->setTickInterval(1);
    tripRow->addWidget(track, 1);
    auto* value = namedLabel(c, n("i2tTripValueLabel", f), QString());
    value->setMinimumWidth(90);
    tripRow->addWidget(value);
    form->addRow(namedLabel(c, n("i2tTripLabel", f), QStringLiteral("I2T Trip Value:")), tripRow);

    form->addRow(namedLabel(c, n("swCurrentLabel", f), QStringLiteral("SW Current Limit (A):")),
                 c.make<QComboBox>(n("swLimitBox", f)));
    form->addRow(namedLabel(c, n("swDelayLabel", f), QStringLiteral("SW Limit Delay (ms):")),
                 c.make<QComboBox>(n("swDelayBox", f)));
    form->addRow(namedLabel(c, n("cooldownLabel", f), QStringLiteral("Cooldown Time (s):")),
                 c.make<QComboBox>(n("cooldownDelayBox", f)));
    form->addRow(namedLabel(c, n("hwLimitLabel", f), QStringLiteral("HW Current Limit (A):")),
                 c.make<QComboBox>(n("hwLimitBox", f)));
    if (f == HSS_FAMILY_18PWP) {
        form->addRow(QStringLiteral("Decrementer:"), c.make<QComboBox>(QStringLiteral("dcrModeBox18")));
        form->addRow(QStringLiteral("Decrement Factor:"), c.make<QComboBox>(QStringLiteral("dcrFactorBox18")));
    }
    form->addRow(c.make<QCheckBox>(n("enableI2TBox", f), QStringLiteral("I2T Enable")));
    return group;
}

QGroupBox* buildLatchGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Reset Latch"));
    auto* layout = new QVBoxLayout(group);
    auto* note = new QLabel(QStringLiteral("Clears a latched I2T shutdown of the selected channel "
                                           "(cooldown timer \"Latch\")."));
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addWidget(c.make<QPushButton>(n("resetLatchButton", f), QStringLiteral("Reset Latch")));
    return group;
}

QGroupBox* buildHelpGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Parameter Description"));
    auto* layout = new QVBoxLayout(group);
    auto* reg = namedLabel(c, n("registerLabel", f), QString());
    QFont bold = reg->font();
    bold.setBold(true);
    reg->setFont(bold);
    auto* help = namedLabel(c, n("helpLabel", f), QString());
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setMinimumHeight(60);
    layout->addWidget(reg);
    layout->addWidget(help, 1);
    return group;
}

}  // namespace

QWidget* buildTuner(QWidget* page, hss_device_family_t family, EditorControls& controls)
{
    auto* holder = new QWidget;
    holder->setObjectName(twinName("fuseTunerEditor", family));
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);

    auto* column = new QWidget;
    column->setMinimumWidth(400);
    column->setMaximumWidth(460);
    auto* left = new QVBoxLayout(column);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(buildTuningGroup(family, controls));
    left->addWidget(buildLatchGroup(family, controls));
    left->addWidget(buildHelpGroup(family, controls));
    left->addStretch(1);
    row->addWidget(column);

    auto* chartArea = new QWidget;
    chartArea->setObjectName(twinName("i2tChartArea", family));
    chartArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    new QVBoxLayout(chartArea);
    row->addWidget(chartArea, 1);

    placeContent(page, holder, 1);
    return chartArea;
}

}  // namespace editorpages
