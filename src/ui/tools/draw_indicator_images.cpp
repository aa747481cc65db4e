// Draws the indicator images shipped in images/ (redBut.png, greenBut.png,
// bandgap.png) with the same art the tool falls back on when one is missing.
// Usage: kc-draw-indicator-images <images folder>

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "ui/Resources.h"

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <images folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::pair<const char*, QImage> images[] = {
        {"redBut.png", resources::drawRedButton()},
        {"greenBut.png", resources::drawGreenButton()},
        {"bandgap.png", resources::drawBandgap()},
    };
    for (const auto& [name, image] : images) {
        if (!image.save(folder.filePath(QString::fromLatin1(name)))) {
            std::fprintf(stderr, "cannot write %s\n", name);
            return 1;
        }
    }
    return 0;
}
