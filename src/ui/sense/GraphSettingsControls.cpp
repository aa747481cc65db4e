#include "ui/sense/GraphSettingsControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "measure/FaultCapture.h"
#include "measure/SenseSources.h"
#include "ui/WidgetHelpers.h"
#include "ui/pages/CommandCenterPage.h"

using ui::named;

namespace {

QLineEdit* numberBox(const QString& name, const QString& text)
{
    auto* box = named<QLineEdit>(name, text);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    return box;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

GraphSettingsControls buildGraphSettings(CommandCenterPage& page)
{
    GraphSettingsControls c;
    c.senseChannelBox = page.senseChannelBox;
    c.senseChannelAll = page.senseChannelAll;

    c.senseSourceSelBox = named<QComboBox>(QStringLiteral("senseSourceSelBox"));
    for (const hss::measure::SenseQuantity& quantity : hss::measure::senseQuantities)
        c.senseSourceSelBox->addItem(QString::fromUtf8(quantity.itemText.data(), qsizetype(quantity.itemText.size())));
    c.senseSourceSelBox->setCurrentIndex(0);

    c.maxSamplesBox = numberBox(QStringLiteral("maxSamplesBox"), QStringLiteral("100"));
    c.maxSamplesBox->setToolTip(QStringLiteral("Points kept on the chart (10 to 10000)"));
    c.averageCountBox = numberBox(QStringLiteral("averageCountBox"), QStringLiteral("5"));
    c.averageCountBox->setToolTip(QStringLiteral("Samples averaged for each point and value (1 to the points kept)"));

    c.enableLogButton = named<QPushButton>(QStringLiteral("enableLogButton"), QStringLiteral("On"));
    c.enableLogButton->setCheckable(true);
    c.enableLogButton->setToolTip(QStringLiteral("Write every sample to a CSV file"));
    c.logBrowseButton = named<QToolButton>(QStringLiteral("logBrowseButton"));
    c.logBrowseButton->setText(QStringLiteral("..."));
    c.logBrowseButton->setToolTip(QStringLiteral("Choose the CSV file"));
    c.logBrowseButton->setEnabled(false);
    c.filePathTextBox = named<QLineEdit>(QStringLiteral("filePathTextBox"));
    c.filePathTextBox->setReadOnly(true);
    c.filePathTextBox->setEnabled(false);
    c.filePathTextBox->setPlaceholderText(QStringLiteral("No log file"));
    c.logTimeStampsBox = named<QCheckBox>(QStringLiteral("logTimeStampsBox"), QStringLiteral("ISO time stamps"));
    c.logTimeStampsBox->setToolTip(QStringLiteral(
        "For the next log file: date and time to the millisecond (ISO 8601) and a header with the quantity and "
        "units; a channel that is off is left empty. Off: the classic layout."));

    c.faultCaptureBox = named<QCheckBox>(QStringLiteral("faultCaptureBox"), QStringLiteral("Fault capture"));
    c.faultCaptureBox->setToolTip(
        QStringLiteral("When a fault is raised while sensing, write the samples around it to a CSV file"));
    const QString range = QStringLiteral(" (%1 to %2)").arg(int(hss::measure::kMinCaptureSeconds))
                              .arg(int(hss::measure::kMaxCaptureSeconds));
    c.faultCaptureBeforeBox = numberBox(QStringLiteral("faultCaptureBeforeBox"), QStringLiteral("10"));
    c.faultCaptureBeforeBox->setToolTip(QStringLiteral("Seconds of samples before the fault") + range);
    c.faultCaptureAfterBox = numberBox(QStringLiteral("faultCaptureAfterBox"), QStringLiteral("5"));
    c.faultCaptureAfterBox->setToolTip(QStringLiteral("Seconds of samples after the fault") + range);
    c.faultCaptureFolderBox = named<QLineEdit>(QStringLiteral("faultCaptureFolderBox"));
    c.faultCaptureFolderBox->setPlaceholderText(QStringLiteral("Capture folder"));
    c.faultCaptureFolderBox->setToolTip(QStringLiteral("Where capture files go"));
    c.faultCaptureFolderButton = named<QToolButton>(QStringLiteral("faultCaptureFolderButton"));
    c.faultCaptureFolderButton->setText(QStringLiteral("..."));
    c.faultCaptureFolderButton->setToolTip(QStringLiteral("Choose the capture folder"));

    auto* layout = qobject_cast<QVBoxLayout*>(page.graphSettingsGroupBox->layout());
    auto* source = new QFormLayout;
    source->setContentsMargins(0, 0, 0, 0);
    source->addRow(buddyLabel(QStringLiteral("Source:"), c.senseSourceSelBox), c.senseSourceSelBox);
    layout->insertLayout(0, source);
    layout->insertWidget(1, buddyLabel(QStringLiteral("Channels:"), c.senseChannelBox));

    auto* form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(buddyLabel(QStringLiteral("Points kept:"), c.maxSamplesBox), c.maxSamplesBox);
    form->addRow(buddyLabel(QStringLiteral("Average count:"), c.averageCountBox), c.averageCountBox);
    auto* logRow = new QHBoxLayout;
    logRow->addWidget(c.enableLogButton);
    logRow->addWidget(c.logBrowseButton);
    logRow->addStretch(1);
    form->addRow(buddyLabel(QStringLiteral("CSV log:"), c.enableLogButton), logRow);
    layout->addLayout(form);
    layout->addWidget(c.filePathTextBox);
    layout->addWidget(c.logTimeStampsBox);

    layout->addWidget(c.faultCaptureBox);
    auto* span = new QHBoxLayout;
    span->addWidget(c.faultCaptureBeforeBox);
    span->addWidget(buddyLabel(QStringLiteral("s before,"), c.faultCaptureBeforeBox));
    span->addWidget(c.faultCaptureAfterBox);
    span->addWidget(buddyLabel(QStringLiteral("s after"), c.faultCaptureAfterBox));
    span->addStretch(1);
    layout->addLayout(span);
    auto* folder = new QHBoxLayout;
    folder->addWidget(c.faultCaptureFolderBox, 1);
    folder->addWidget(c.faultCaptureFolderButton);
    layout->addLayout(folder);

    c.senseChannelBox->setEnabled(true);
    c.senseChannelAll->setEnabled(true);
    return c;
}
