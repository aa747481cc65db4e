#pragma once
// The editor's controls by name. Every control is created through make(),
// which sets its objectName and registers it, so handlers and the refresh
// reach a control by the name the binding table gives.

#include <QHash>
#include <QString>
#include <QWidget>

#include <optional>

#include "device/HSSDeviceFamily.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;

class EditorControls {
public:
    template <typename Widget, typename... Args>
    Widget* make(const QString& name, Args&&... args)
    {
        auto* widget = new Widget(std::forward<Args>(args)...);
        widget->setObjectName(name);
        byName.insert(name, widget);
        return widget;
    }

    // The scope's existing control of that name (built by the window) if
    // there is one, else a new one as make() builds it.
    template <typename Widget, typename... Args>
    Widget* adoptOrMake(QWidget* scope, const QString& name, Args&&... args)
    {
        if (auto* existing = scope->findChild<Widget*>(name)) {
            byName.insert(name, existing);
            return existing;
        }
        return make<Widget>(name, std::forward<Args>(args)...);
    }

    QWidget* find(const QString& name) const { return byName.value(name, nullptr); }
    template <typename Widget>
    Widget* get(const QString& name) const
    {
        return qobject_cast<Widget*>(find(name));
    }

    QCheckBox* check(const QString& name) const;
    QComboBox* combo(const QString& name) const;
    QRadioButton* radio(const QString& name) const;
    QSlider* slider(const QString& name) const;
    QLabel* label(const QString& name) const;
    QPushButton* button(const QString& name) const;
    QListWidget* list(const QString& name) const;

    QList<QString> names() const { return byName.keys(); }

    // Where a control shows its caption: its label (nullptr for a tick box,
    // which shows it as its text) and the channel tag it carries.
    struct Caption {
        QLabel* label = nullptr;
        QString channelTag;
    };
    void setCaption(const QString& name, QLabel* label, const QString& channelTag)
    {
        captions.insert(name, Caption{label, channelTag});
    }
    std::optional<Caption> caption(const QString& name) const
    {
        const auto found = captions.constFind(name);
        return found == captions.constEnd() ? std::nullopt : std::optional<Caption>(*found);
    }

private:
    QHash<QString, QWidget*> byName;
    QHash<QString, Caption> captions;
};

// The name of a control on the pages of a family: the 18-pin twin carries
// the suffix 18.
QString twinName(const char* base, hss_device_family_t family);
