#include "ui/editor/EditorControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

QCheckBox* EditorControls::check(const QString& name) const { return get<QCheckBox>(name); }
QComboBox* EditorControls::combo(const QString& name) const { return get<QComboBox>(name); }
QRadioButton* EditorControls::radio(const QString& name) const { return get<QRadioButton>(name); }
QSlider* EditorControls::slider(const QString& name) const { return get<QSlider>(name); }
QLabel* EditorControls::label(const QString& name) const { return get<QLabel>(name); }
QPushButton* EditorControls::button(const QString& name) const { return get<QPushButton>(name); }
QListWidget* EditorControls::list(const QString& name) const { return get<QListWidget>(name); }

QString twinName(const char* base, hss_device_family_t family)
{
    QString name = QString::fromLatin1(base);
    if (family == HSS_FAMILY_18PWP)
        name += QStringLiteral("18");
    return name;
}
