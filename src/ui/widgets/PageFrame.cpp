#include "ui/widgets/PageFrame.h"

#include <QChildEvent>
#include <QGridLayout>
#include <QVBoxLayout>

namespace {

struct Place {
    const char* suffix;
    int row;
    int column;
    int columnSpan;
    bool topAligned;
};

constexpr Place kPlaces[] = {
    {"StateBand", 0, 0, 2, true},
    {"Controls", 1, 0, 1, true},
    {"Detail", 1, 1, 1, false},
    {"Help", 2, 0, 2, true},
};

// Shows a slot once something is put into it.
class ShowWhenFilled : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded && static_cast<QChildEvent*>(event)->child()->isWidgetType())
            static_cast<QWidget*>(watched)->show();
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QWidget* PageFrame::slot(const QString& name)
{
    auto* widget = new QWidget;
    widget->setObjectName(name);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    widget->hide();
    widget->installEventFilter(new ShowWhenFilled(widget));
    return widget;
}

void PageFrame::showEvent(QShowEvent* event)
{
    // Lists reloaded while the page was hidden changed their widths without
    // telling the layouts (a hidden widget's geometry change is not passed
    // on); lay the page out afresh.
    for (QLayout* layout : contentWidget->findChildren<QLayout*>())
        layout->invalidate();
    QScrollArea::showEvent(event);
}

PageFrame::PageFrame(const QString& name, QWidget* parent) : QScrollArea(parent), contentWidget(new QWidget)
{
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    contentWidget->setObjectName(name + QStringLiteral("Content"));
    setWidget(contentWidget);
}

QWidget* PageFrame::region(Region which)
{
    const auto index = static_cast<std::size_t>(which);
    if (regions[index] != nullptr)
        return regions[index];

    auto* grid = qobject_cast<QGridLayout*>(contentWidget->layout());
    if (grid == nullptr) {
        grid = new QGridLayout(contentWidget);
        // The middle row and the detail column take what the window has to spare.
        grid->setRowStretch(1, 1);
        grid->setColumnStretch(1, 1);
    }
    const Place& place = kPlaces[index];
    auto* widget = new QWidget;
    widget->setObjectName(objectName() + QString::fromLatin1(place.suffix));
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(widget, place.row, place.column, 1, place.columnSpan,
                    place.topAligned ? Qt::AlignTop : Qt::Alignment());
    regions[index] = widget;
    return widget;
}

QVBoxLayout* PageFrame::regionLayout(Region which)
{
    return static_cast<QVBoxLayout*>(region(which)->layout());
}
