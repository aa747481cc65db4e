#include "EditorRowTable.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

namespace editortest {

namespace {

QString fill(QString format, const QString& a0, const QString& a1 = {})
{
    return format.replace(QStringLiteral("{0}"), a0).replace(QStringLiteral("{1}"), a1);
}

template <typename T>
T* control(QWidget* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

}  // namespace

const char* rowName(const Row& row, bool eighteen) { return eighteen ? row.name18 : row.name16; }

int rowChannel(const Row& row, int selectedChannel)
{
    return row.chan == Chan::One ? 0 : row.chan == Chan::Two ? 1 : selectedChannel;
}

ExpectedEdit changeControl(QWidget* root, const Row& row, bool eighteen, int selectedChannel, uint16_t base,
                           std::span<const double> tripValues)
{
    const QString name = QString::fromLatin1(rowName(row, eighteen));
    const QString suffix = eighteen ? QStringLiteral("18") : QString();
    const int channel = rowChannel(row, selectedChannel);
    const QString channelText = QString::number(channel + 1);
    const bool clears = eighteen ? row.ticked18Clears : row.ticked16Clears;
    uint16_t field = 0;
    ExpectedEdit expected;
    expected.address = addressOf(row.reg, eighteen, channel);

    switch (row.kind) {
    case Kind::Check: {
        auto* box = control<QCheckBox>(root, name);
        if (box == nullptr)
            return expected;
        const bool ticked = !box->isChecked();
        box->setChecked(ticked);
        field = ticked != clears ? 1 : 0;
        expected.line = fill(QString::fromLatin1(ticked ? row.on : row.off), channelText);
        break;
    }
    case Kind::LatchRadio: {
        auto* latch = control<QRadioButton>(root, name);
        auto* retry = control<QRadioButton>(root, "shutdownRetryBox" + suffix);
        if (latch == nullptr || retry == nullptr)
            return expected;
        const bool toLatch = !latch->isChecked();
        (toLatch ? latch : retry)->setChecked(true);
        field = toLatch != clears ? 1 : 0;
        expected.line = fill(QString::fromLatin1(toLatch ? row.on : row.off), channelText);
        break;
    }
    case Kind::List: {
        auto* box = control<QComboBox>(root, name);
        if (box == nullptr)
            return expected;
        EXPECT_GT(box->count(), 1) << name.toStdString();
        const int index = (box->currentIndex() + 1) % box->count();
        const QString text = box->itemText(index);
        box->setCurrentIndex(index);
        field = static_cast<uint16_t>(index);
        switch (row.arg) {
        case Arg::ChannelText: expected.line = fill(QString::fromLatin1(row.on), channelText, text); break;
        case Arg::Text: expected.line = fill(QString::fromLatin1(row.on), text); break;
        case Arg::Index: expected.line = fill(QString::fromLatin1(row.on), QString::number(index)); break;
        }
        break;
    }
    case Kind::Slider: {
        auto* slider = control<QSlider>(root, name);
        if (slider == nullptr)
            return expected;
        const int position = (slider->value() + 1) % 16;
        slider->setValue(position);
        field = static_cast<uint16_t>(position);
        const QString label = control<QLabel>(root, "i2tTripValueLabel" + suffix)->text();
        EXPECT_TRUE(label.endsWith(QStringLiteral(" A2s"))) << label.toStdString();
        if (static_cast<std::size_t>(position) < tripValues.size()) {
            EXPECT_EQ(label.chopped(4).toDouble(), tripValues[static_cast<std::size_t>(position)]);
        }
        expected.line = fill(QString::fromLatin1(row.on), channelText, label);
        break;
    }
    }

    const int bit = (eighteen ? row.bit18 : row.bit16)[channel];
    const auto mask = static_cast<uint16_t>(((1u << row.width) - 1u) << bit);
    expected.word = static_cast<uint16_t>((base & ~mask) | ((field << bit) & mask));
    return expected;
}

}  // namespace editortest
