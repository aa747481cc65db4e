#include "ui/WidgetHelpers.h"

#include <QLabel>
#include <QPalette>

namespace ui {

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QColor textColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

void showUnknown(QLabel* label)
{
    label->setText(kUnknownText);
    setTextColor(label, kUnknownGrey);
}

bool showsUnknown(const QLabel* label)
{
    return label->text() == kUnknownText;
}

}  // namespace ui
