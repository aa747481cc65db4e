#include "ui/widgets/FaultIndicator.h"

#include <QPainter>

namespace {

constexpr int kLampSize = 20;

}  // namespace

FaultIndicator::FaultIndicator(const QString& name, QWidget* parent) : QAbstractButton(parent)
{
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kLampSize, kLampSize);
    setToolTip(QStringLiteral("Not read yet"));
}

void FaultIndicator::setImages(const QPixmap& faultedImage, const QPixmap& clearImage)
{
    redImage = faultedImage;
    greenImage = clearImage;
    update();
}

void FaultIndicator::setFaulted(bool on)
{
    if (known && faulted == on)
        return;
    known = true;
    faulted = on;
    setToolTip(on ? QStringLiteral("Faulted") : QStringLiteral("No fault"));
    update();
    emit stateChanged();
}

void FaultIndicator::setUnknown()
{
    if (!known)
        return;
    known = false;
    faulted = false;
    setToolTip(QStringLiteral("Not read yet"));
    update();
    emit stateChanged();
}

QSize FaultIndicator::sizeHint() const
{
    return {kLampSize, kLampSize};
}

void FaultIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF lamp = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    if (known) {
        const QPixmap& image = faulted ? redImage : greenImage;
        if (!image.isNull()) {
            painter.drawPixmap(rect(), image);
            return;
        }
        painter.setPen(QPen(faulted ? QColor(0x80, 0x00, 0x00) : QColor(0x00, 0x60, 0x00), 1.5));
        painter.setBrush(faulted ? QColor(0xE8, 0x20, 0x20) : QColor(0x30, 0xC0, 0x30));
    } else {
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.5));
        painter.setBrush(QColor(0xD0, 0xD0, 0xD0));
    }
    painter.drawEllipse(lamp);
}
