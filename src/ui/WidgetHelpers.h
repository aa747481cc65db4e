#pragma once
// Small helpers for building named controls and colouring texts.

#include <QColor>
#include <QString>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;

namespace ui {

// Text colours of the status texts (the web colours the tool has always used).
inline const QColor kGreen{0x00, 0x80, 0x00};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kOrange{0xFF, 0xA5, 0x00};
inline const QColor kBlack{0x00, 0x00, 0x00};
// A self-test that has been started and not reset.
inline const QColor kDarkOrange{0xFF, 0x8C, 0x00};
// A value that has not been read: grey, so it never passes for a reading.
inline const QColor kUnknownGrey{0x80, 0x80, 0x80};
inline const QString kUnknownText = QStringLiteral("\u2014");

// Creates a widget with its objectName set; every control carries its name.
template <typename Widget, typename... Args>
Widget* named(const QString& name, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

// Sets the text colour of a label or similar through its palette, so the
// colour can be read back (palette().color(QPalette::WindowText)).
void setTextColor(QWidget* widget, const QColor& color);
QColor textColor(const QWidget* widget);

// Shows a value label as not read yet: a grey dash instead of a made-up value.
void showUnknown(QLabel* label);
bool showsUnknown(const QLabel* label);

// Switches a menu item, or a menu with its entry in the parent menu, on or
// off; while off, its tooltip says why (on, the tooltip is its text again).
void setAvailable(QAction* item, bool available, const QString& whyNot);
void setAvailable(QMenu* menu, bool available, const QString& whyNot);

}  // namespace ui
