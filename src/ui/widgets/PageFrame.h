#pragma once
// A tab page: its content sits in a scroll area, so a small screen scrolls
// the page instead of clipping it. Pages with settings place their parts in
// named regions rather than in the next free column:
//
//   +-------------------------------------------+
//   | state band: what the chip reports          |
//   +--------------+----------------------------+
//   | controls     | detail: charts (stretch)    |
//   +--------------+----------------------------+
//   | help                                       |
//   +-------------------------------------------+
//
// A region is made when first asked for; its objectName is the page's name
// followed by "StateBand", "Controls", "Detail" or "Help". Each region holds
// a vertical box layout; the state band, controls and help keep their
// contents at the top, the detail region hands its height to its children.

#include <QScrollArea>

class QVBoxLayout;

class PageFrame : public QScrollArea {
    Q_OBJECT

public:
    enum class Region { StateBand, Controls, Detail, Help };

    explicit PageFrame(const QString& name, QWidget* parent = nullptr);

    // The scrolled widget. Pages without regions give it their own layout.
    QWidget* content() const { return contentWidget; }

    QWidget* region(Region which);
    QVBoxLayout* regionLayout(Region which);

    // A place inside a region for a later view: hidden, and so taking neither
    // room nor spacing, until a widget is put into it.
    static QWidget* slot(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* contentWidget;
    QWidget* regions[4] = {};
};
