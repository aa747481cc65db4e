// Construction, the curve redraw and the sense-resistor tolerance.

#include "ui/tuner/I2TTuner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/I2TCurve.h"
#include "editor/TunerInputs.h"
#include "ui/pages/FamilyPages.h"
#include "ui/tuner/I2TChartView.h"
#include "ui/tuner/TunerHost.h"

namespace {

QString suffixOf(hss_device_family_t family)
{
    return family == HSS_FAMILY_18PWP ? QStringLiteral("18") : QString();
}

std::optional<std::string> selectedText(const QComboBox* box)
{
    if (box == nullptr || box->currentIndex() < 0)
        return std::nullopt;
    return box->currentText().toStdString();
}

}  // namespace

I2TTuner::I2TTuner(TunerHost& tunerHost, const Pages& familyPages, QObject* parent) : QObject(parent), host(tunerHost)
{
    pages[0].family = HSS_FAMILY_16PWP;
    pages[1].family = HSS_FAMILY_18PWP;
    buildPage(pages[0], familyPages.tuner16, familyPages.deviceSettings16);
    buildPage(pages[1], familyPages.tuner18, familyPages.deviceSettings18);
    for (FamilyPage& page : pages)
        connectPage(page);
}

I2TTuner::~I2TTuner() = default;

void I2TTuner::buildPage(FamilyPage& page, TunerPage* tunerPage, QWidget* deviceSettings)
{
    const QString suffix = suffixOf(page.family);
    page.root = tunerPage;
    page.charts = buildTunerCharts(suffix, [this](const QString& line) { host.logEditorLine(line); });
    page.wire = buildWireProperties(suffix);
    page.pulses = buildPulseCheck(suffix);
    page.calculator = buildTripCalculator(suffix);
    tunerPage->regionLayout(PageFrame::Region::Controls)->addWidget(page.calculator.group);
    tunerPage->chartRegion()->layout()->addWidget(page.charts.panel);
    tunerPage->wirePropertiesRegion()->layout()->addWidget(page.wire.group);
    tunerPage->pulseCheckRegion()->layout()->addWidget(page.pulses.group);
    if (deviceSettings != nullptr)
        page.toleranceBox = addToleranceBox(deviceSettings, suffix);

    page.track = tunerPage->findChild<QSlider*>(QStringLiteral("i2tTrack") + suffix);
    page.nominal = tunerPage->findChild<QComboBox*>(QStringLiteral("nomCurrentBox") + suffix);
    page.softwareLimit = tunerPage->findChild<QComboBox*>(QStringLiteral("swLimitBox") + suffix);
    page.hardwareLimit = tunerPage->findChild<QComboBox*>(QStringLiteral("hwLimitBox") + suffix);
    page.softwareDelay = tunerPage->findChild<QComboBox*>(QStringLiteral("swDelayBox") + suffix);
    page.i2tEnable = tunerPage->findChild<QCheckBox*>(QStringLiteral("enableI2TBox") + suffix);
}

void I2TTuner::connectPage(FamilyPage& page)
{
    FamilyPage* p = &page;
    connect(page.wire.gauge, &QComboBox::currentIndexChanged, this,
            [this, p] { gaugeSelectionBox_SelectedIndexChanged(*p); });
    connect(page.wire.browse, &QPushButton::clicked, this, [this, p] { customWireButton_Click(*p); });
    connect(page.wire.path, &QLineEdit::returnPressed, this, [this, p] { loadWireProfile(*p); });
    for (int row = 0; row < 3; ++row) {
        const PulseRow& r = page.pulses.rows[static_cast<std::size_t>(row)];
        connect(r.check, &QCheckBox::toggled, this, [this, p, row] { pulseCheckBox_CheckedChanged(*p, row); });
        for (QLineEdit* box : {r.current, r.duration})
            connect(box, &QLineEdit::editingFinished, this, [this, p, row, box] { pulseBox_Leave(*p, row, box); });
    }
    // The editor writes the enable without a redraw; the verdicts follow it.
    if (page.i2tEnable != nullptr)
        connect(page.i2tEnable, &QCheckBox::toggled, this, [this, p] { updateVerdicts(*p); });
    connect(page.calculator.current, &QLineEdit::editingFinished, this, [this, p] { tripCalcCurrentBox_Leave(*p); });
    if (page.toleranceBox != nullptr) {
        connect(page.toleranceBox, &QLineEdit::returnPressed, this, [this, p] { resToleranceBox_Leave(*p); });
        // Leaving the box applies it too, changed or not.
        page.toleranceBox->installEventFilter(this);
    }
}

I2TTuner::FamilyPage& I2TTuner::pageOf(hss_device_family_t family)
{
    return pages[family == HSS_FAMILY_18PWP ? 1 : 0];
}

const I2TTuner::FamilyPage& I2TTuner::pageOf(hss_device_family_t family) const
{
    return pages[family == HSS_FAMILY_18PWP ? 1 : 0];
}

void I2TTuner::redrawI2TGraph() { redraw(HSS_FAMILY_16PWP); }

void I2TTuner::redrawI2TGraph18PWP() { redraw(HSS_FAMILY_18PWP); }

void I2TTuner::redraw(hss_device_family_t family)
{
    if (family != HSS_FAMILY_16PWP && family != HSS_FAMILY_18PWP)
        return;
    redrawPage(pageOf(family));
}

void I2TTuner::redrawPage(FamilyPage& page)
{
    if (host.eventsSuppressed())
        return;
    hss::i2t::I2TCurveSelection selection;
    const std::span<const double> trips = host.i2tTripValues();
    if (page.track != nullptr && page.track->value() >= 0 && static_cast<std::size_t>(page.track->value()) < trips.size())
        selection.tripEnergy = trips[static_cast<std::size_t>(page.track->value())];
    selection.nominalCurrent = selectedText(page.nominal);
    selection.softwareLimit = selectedText(page.softwareLimit);
    selection.hardwareLimit = selectedText(page.hardwareLimit);
    selection.softwareDelay = selectedText(page.softwareDelay);
    selection.tolerancePercent = tolerance;
    selection.gaugeDisabled = page.wire.gauge->currentIndex() <= 0;
    selection.i2tTimeAxisMinimum = page.charts.i2tTimeAxis->range().lower;
    showI2TCurves(page.charts, hss::i2t::computeI2TCurves(selection));
    page.trip = hss::i2t::readTripSettings(selection);
    updateVerdicts(page);
}

bool I2TTuner::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        for (FamilyPage& page : pages) {
            if (watched == page.toleranceBox)
                resToleranceBox_Leave(page);
        }
    }
    return QObject::eventFilter(watched, event);
}

void I2TTuner::resToleranceBox_Leave(FamilyPage& page)
{
    if (host.eventsSuppressed())
        return;
    const QString text = page.toleranceBox->text();
    const std::optional<float> percent = hss::i2t::parseResistorTolerance(text.toStdString());
    if (!percent) {
        page.toleranceBox->setText(QStringLiteral("0.0"));
        host.logEditorLine(QStringLiteral("Sense resistor tolerance \"%1\" is not a percentage from 0 to %2; "
                                          "tolerance set to 0.")
                               .arg(text)
                               .arg(double(hss::i2t::kMaxResistorTolerancePercent)));
    }
    tolerance = percent.value_or(0.0f);
    // One tolerance: both families' boxes show it.
    for (FamilyPage& other : pages) {
        if (&other != &page && other.toleranceBox != nullptr)
            other.toleranceBox->setText(page.toleranceBox->text());
    }
    redraw(host.deviceFamily());
}
