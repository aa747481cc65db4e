#include "ui/Resources.h"

#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <filesystem>

#include "files/CExportFiles.h"

namespace resources {

QStringList searchFolders()
{
    std::optional<std::filesystem::path> programFolder;
    // Resolved through symbolic links, so a link to the program in another
    // bin/ still finds the prefix the program is installed in.
    if (QCoreApplication::instance())
        programFolder = std::filesystem::path(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    QStringList folders;
    const auto working = std::filesystem::path(QFile::encodeName(QDir::currentPath()).toStdString());
    for (const std::filesystem::path& folder : hss::files::shippedFileFolders(working, programFolder))
        folders << QDir::cleanPath(QFile::decodeName(folder.string().c_str()));
    return folders;
}

QString findFileIn(const QStringList& folders, const QString& relativePath)
{
    // Each folder may lack the file; look through all of them.
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(relativePath);
        if (QFileInfo(path).isFile()) return QDir::cleanPath(path);
    }
    return {};
}

QString findFile(const QString& relativePath)
{
    return findFileIn(searchFolders(), relativePath);
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/keldor-configurator-%1.png").arg(size), QSize(size, size));
    return icon;
}

namespace {

QImage drawLamp(int size, const QColor& light, const QColor& dark)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF rim(1.0, 1.0, size - 2.0, size - 2.0);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
    painter.setBrush(QColor(0xD0, 0xD0, 0xD0));
    painter.drawEllipse(rim);
    const QRectF lamp = rim.adjusted(size * 0.12, size * 0.12, -size * 0.12, -size * 0.12);
    QRadialGradient gradient(lamp.center() - QPointF(lamp.width() * 0.18, lamp.height() * 0.18), lamp.width() * 0.7);
    gradient.setColorAt(0.0, light.lighter(160));
    gradient.setColorAt(0.45, light);
    gradient.setColorAt(1.0, dark);
    painter.setPen(QPen(dark.darker(130), 1.0));
    painter.setBrush(gradient);
    painter.drawEllipse(lamp);
    return image;
}

}  // namespace

QImage drawRedButton(int size)
{
    return drawLamp(size, QColor(0xE8, 0x20, 0x20), QColor(0x80, 0x00, 0x00));
}

QImage drawGreenButton(int size)
{
    return drawLamp(size, QColor(0x30, 0xC0, 0x30), QColor(0x00, 0x60, 0x00));
}

QImage drawBandgap(int width, int height)
{
    // Energy-band sketch: conduction band above, valence band below, the gap
    // between them marked with an arrow and "Eg".
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal margin = width * 0.08;
    const qreal bandHeight = height * 0.22;
    const QRectF conduction(margin, height * 0.08, width - 2 * margin, bandHeight);
    const QRectF valence(margin, height * 0.92 - bandHeight, width - 2 * margin, bandHeight);
    painter.setPen(QPen(QColor(0x20, 0x40, 0x80), 1.5));
    painter.setBrush(QColor(0x90, 0xB8, 0xE8));
    painter.drawRect(conduction);
    painter.setBrush(QColor(0x30, 0x60, 0xB0));
    painter.drawRect(valence);

    const qreal x = width * 0.30;
    const qreal top = conduction.bottom() + 2;
    const qreal bottom = valence.top() - 2;
    painter.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2.0));
    painter.drawLine(QPointF(x, top + 6), QPointF(x, bottom - 6));
    QPainterPath heads;
    heads.moveTo(x, top);
    heads.lineTo(x - 4, top + 7);
    heads.lineTo(x + 4, top + 7);
    heads.closeSubpath();
    heads.moveTo(x, bottom);
    heads.lineTo(x - 4, bottom - 7);
    heads.lineTo(x + 4, bottom - 7);
    heads.closeSubpath();
    painter.setBrush(QColor(0xC0, 0x20, 0x20));
    painter.drawPath(heads);

    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(height * 0.2));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(QRectF(x + 8, top, width - x - margin - 8, bottom - top), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Eg"));
    return image;
}

}  // namespace resources
