// The editor part of a family's "I2T Tuner" page: the channel selector in the
// state band, "Tuning Parameters" and "Reset Latch" on the left, "Parameter
// Description" at the bottom. The page keeps its chart regions on the right.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"
#include "ui/widgets/PageFrame.h"

namespace editorpages {
namespace {

// Room for the sixteen slider steps and the three numbers under it.
constexpr int kTripSliderWidth = 190;

QLabel* smallLabel(EditorControls& c, const QString& name)
{
    auto* label = c.make<QLabel>(name);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    label->setFont(font);
    return label;
}

// The trip slider with its end values under its ends and the selected value
// between them.
QWidget* buildTripSlider(hss_device_family_t f, EditorControls& c)
{
    auto* panel = new QWidget;
    panel->setObjectName(twinName("i2tTripPanel", f));
    panel->setMinimumWidth(kTripSliderWidth);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    auto* track = c.make<QSlider>(twinName("i2tTrack", f), Qt::Horizontal);
    track->setRange(0, 15);
    track->setPageStep(4);
    track->setSingleStep(1);
    track->setTickPosition(QSlider::TicksBelow);
    track->setTickInterval(1);
    grid->addWidget(track, 0, 0, 1, 3);
    grid->addWidget(smallLabel(c, twinName("i2tTripMinLabel", f)), 1, 0, Qt::AlignLeft);
    auto* value = c.make<QLabel>(twinName("i2tTripValueLabel", f));
    grid->addWidget(value, 1, 1, Qt::AlignHCenter);
    grid->addWidget(smallLabel(c, twinName("i2tTripMaxLabel", f)), 1, 2, Qt::AlignRight);
    return panel;
}

QGroupBox* buildTuningGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Tuning Parameters"), twinName("tuningParametersGroupBox", f));
    QFormLayout* form = groupForm(group);
    // The slider and the lists beside it share one width.
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    addList(form, c, "nomCurrentBox", f, {}, twinName("nomCurrentLabel", f));
    auto* tripLabel = c.make<QLabel>(twinName("i2tTripLabel", f), labelText("i2tTrack", f));
    QWidget* trip = buildTripSlider(f, c);
    tripLabel->setBuddy(c.find(twinName("i2tTrack", f)));
    c.setCaption(twinName("i2tTrack", f), tripLabel, {});
    form->addRow(tripLabel, trip);
    addList(form, c, "swLimitBox", f, {}, twinName("swCurrentLabel", f));
    addList(form, c, "swDelayBox", f, {}, twinName("swDelayLabel", f));
    addList(form, c, "cooldownDelayBox", f, {}, twinName("cooldownLabel", f));
    addList(form, c, "hwLimitBox", f, {}, twinName("hwLimitLabel", f));
    if (f == HSS_FAMILY_18PWP) {
        addList(form, c, "dcrModeBox18", f);
        addList(form, c, "dcrFactorBox18", f);
    }
    addTick(form, c, "enableI2TBox", f);
    return group;
}

QGroupBox* buildLatchGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Reset Latch"), twinName("resetLatchGroupBox", f));
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(c.make<QPushButton>(twinName("resetLatchButton", f), QStringLiteral("Reset Latch")), 0, Qt::AlignTop);
    auto* note = new QLabel(QStringLiteral("Clears a latched I2T shutdown of the selected channel; "
                                           "enabled while the cooldown time is \"Latch\"."));
    note->setWordWrap(true);
    layout->addWidget(note, 1);
    return group;
}

QGroupBox* buildHelpGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Parameter Description"), twinName("parameterDescriptionGroupBox", f));
    auto* layout = new QGridLayout(group);
    auto* reg = c.make<QLabel>(twinName("registerLabel", f));
    QFont bold = reg->font();
    bold.setBold(true);
    reg->setFont(bold);
    auto* help = c.make<QLabel>(twinName("helpLabel", f));
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setMinimumHeight(2 * help->fontMetrics().lineSpacing());
    // While nothing is pointed at, the placeholder stands where the register goes.
    auto* placeholder = c.make<QLabel>(twinName("helpPlaceholderLabel", f), QStringLiteral(
        "Point at a tuning parameter to see its register field and what it does."));
    QPalette grey = placeholder->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    placeholder->setPalette(grey);
    layout->addWidget(placeholder, 0, 0);
    layout->addWidget(reg, 0, 0);
    layout->addWidget(help, 1, 0);
    reg->hide();
    return group;
}

}  // namespace

void buildTuner(PageFrame* page, hss_device_family_t family, EditorControls& controls)
{
    addChannelSelector(page, controls, twinName("i2tChanNumBox", family));
    QVBoxLayout* left = page->regionLayout(PageFrame::Region::Controls);
    left->addWidget(buildTuningGroup(family, controls));
    left->addWidget(buildLatchGroup(family, controls));
    page->regionLayout(PageFrame::Region::Help)->addWidget(buildHelpGroup(family, controls));
}

}  // namespace editorpages
