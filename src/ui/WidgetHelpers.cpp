#include "ui/WidgetHelpers.h"

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

}  // namespace ui
