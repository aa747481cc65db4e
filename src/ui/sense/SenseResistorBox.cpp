#include "ui/sense/SenseResistorBox.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "measure/SenseResistor.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"
#include "ui/seam/DialogSeam.h"
#include "ui/sense/SenseHost.h"

SenseResistorBox::SenseResistorBox(SenseHost& senseHost, QGroupBox* generalGroup, QWidget* parentForDialogs,
                                   QObject* parent)
    : QObject(parent),
      host(senseHost),
      senseResistorValBox(ui::named<QLineEdit>(QStringLiteral("senseResistorValBox"),
                                               ui::qtext(hss::measure::kDefaultSenseResistorText))),
      dialogParent(parentForDialogs),
      committedOhms(hss::measure::kDefaultSenseResistorOhms)
{
    senseResistorValBox->setMaximumWidth(senseResistorValBox->fontMetrics().horizontalAdvance(QStringLiteral("000000")) +
                                         16);
    senseResistorValBox->setToolTip(
        QStringLiteral("Sense resistor RSNS on the daughter card, 100 to 10000 ohms. It scales the load-current "
                       "readings and the current limits offered."));
    auto* label = new QLabel(QStringLiteral("Sense Resistor RSNS (\u03A9):"));
    label->setBuddy(senseResistorValBox);
    if (auto* form = qobject_cast<QFormLayout*>(generalGroup->layout()))
        form->addRow(label, senseResistorValBox);
    senseResistorValBox->installEventFilter(this);
    connect(senseResistorValBox, &QLineEdit::returnPressed, this, [this] { senseResistorValBox_Leave(); });
}

bool SenseResistorBox::eventFilter(QObject* watched, QEvent* event)
{
    // Pages losing their widgets at shutdown take focus away too.
    if (watched == senseResistorValBox && event->type() == QEvent::FocusOut && !host.shutdownStarted())
        senseResistorValBox_Leave();
    return QObject::eventFilter(watched, event);
}

void SenseResistorBox::senseResistorValBox_Leave()
{
    if (checking)
        return;
    checking = true;
    using hss::measure::SenseResistorVerdict;
    const hss::measure::SenseResistorCheck check =
        hss::measure::checkSenseResistorText(senseResistorValBox->text().toStdString());
    switch (check.verdict) {
    case SenseResistorVerdict::NotANumber:
        senseResistorValBox->setText(ui::qtext(hss::measure::kDefaultSenseResistorText));
        committedOhms = hss::measure::kDefaultSenseResistorOhms;
        break;
    case SenseResistorVerdict::OutOfRange:
        DialogSeam::message(dialogParent, QMessageBox::Critical, ui::qtext(hss::measure::kSenseResistorRangeCaption),
                            ui::qtext(hss::measure::kSenseResistorRangeMessage));
        senseResistorValBox->setText(ui::qtext(hss::measure::kDefaultSenseResistorText));
        committedOhms = hss::measure::kDefaultSenseResistorOhms;
        break;
    case SenseResistorVerdict::Accepted:
        committedOhms = check.ohms;
        host.rescaleCurrentLists(check.ohms);
        break;
    }
    checking = false;
}
