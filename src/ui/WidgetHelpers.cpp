#include "ui/WidgetHelpers.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
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

void setAvailable(QAction* item, bool available, const QString& whyNot)
{
    item->setEnabled(available);
    item->setToolTip(available ? QString() : whyNot);
}

void setAvailable(QMenu* menu, bool available, const QString& whyNot)
{
    menu->setEnabled(available);
    setAvailable(menu->menuAction(), available, whyNot);
}

}  // namespace ui
