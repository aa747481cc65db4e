#include "ui/pages/SafetyPage.h"

#include <QLabel>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QVBoxLayout>

#include "ui/WidgetHelpers.h"

using ui::named;

SafetyTabBar::SafetyTabBar(QWidget* parent) : QTabBar(parent) {}

void SafetyTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        const QString text = option.text;
        option.text.clear();  // the shape from the style, the text drawn here
        painter.drawControl(QStyle::CE_TabBarTab, option);

        const QRect header = tabRect(i);
        const QFontMetrics metrics(font());
        const int x = header.left() + 3;
        const int y = header.top() + static_cast<int>((header.height() - metrics.height()) * 0.5);
        painter.setPen(headerColor ? headerColor(i) : ui::kBlack);
        painter.drawText(QRect(x, y, header.width() - 3, metrics.height()), Qt::AlignLeft | Qt::AlignTop, text);
    }
}

SafetyTabWidget::SafetyTabWidget(QWidget* parent) : QTabWidget(parent), bar(new SafetyTabBar(this))
{
    setTabBar(bar);
}

SafetyPage::SafetyPage(QWidget* parent) : PageFrame(QStringLiteral("safetyTab16pwp"), parent)
{
    safetyTabControl = named<SafetyTabWidget>(QStringLiteral("safetyTabControl"));

    struct SubTab {
        const char* title;
        const char* page;
    };
    static constexpr SubTab kSubTabs[] = {
        {"Bandgap", "bandgapSafetyPage"},
        {"ADC", "adcSafetyPage"},
        {"FET Short (CH1)", "ch1SafetyShortPage"},
        {"FET Short (CH2)", "ch2SafetyShortPage"},
        {"Current Sense", "currentSafetyPage"},
        {"OTP CRC", "otpSafetyPage"},
    };
    for (std::size_t i = 0; i < std::size(kSubTabs); ++i) {
        subTabPages[i] = named<QWidget>(QString::fromLatin1(kSubTabs[i].page));
        new QVBoxLayout(subTabPages[i]);
        safetyTabControl->addTab(subTabPages[i], QString::fromLatin1(kSubTabs[i].title));
    }
    safetyTabControl->safetyTabBar()->headerColor = [this](int index) { return safetyTabHeaderColor(index); };

    auto* layout = new QVBoxLayout(content());
    layout->addWidget(safetyTabControl);
}

QColor SafetyPage::safetyTabHeaderColor(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= resultLabels.size()) return ui::kBlack;
    const QLabel* label = resultLabels[static_cast<std::size_t>(index)];
    return label != nullptr && ui::textColor(label) == ui::kRed ? ui::kRed : ui::kGreen;
}

PageFrame* buildTestModePage()
{
    auto* page = new PageFrame(QStringLiteral("testModeTab"));
    auto* tabs = named<QTabWidget>(QStringLiteral("testModeTabControl"));
    tabs->addTab(named<QWidget>(QStringLiteral("testModeInfoPage")), QStringLiteral("Info"));
    tabs->addTab(named<QWidget>(QStringLiteral("testModeControlPage")), QStringLiteral("Control Registers"));
    tabs->addTab(named<QWidget>(QStringLiteral("testModeTrimPage")), QStringLiteral("Trim Registers"));
    auto* layout = new QVBoxLayout(page->content());
    layout->addWidget(tabs);
    return page;
}
