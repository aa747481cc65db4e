// Where the tool finds its shipped files, and the icon it carries.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <vector>

#include "ui/Resources.h"

TEST(Resources, FirstFolderHoldingTheFileWins)
{
    // Working directory, program folder, installed data folder.
    QTemporaryDir working, program, prefix;
    const QStringList folders{working.path(), program.path(), prefix.path()};
    struct Case {
        const char* file;
        std::vector<int> holders;  // folders that hold the file
        int found;                 // index of the folder it is found in, -1 none
    };
    const Case cases[] = {
        {"images/redBut.png", {0, 1, 2}, 0},
        // images/ exists in the working directory without this file.
        {"images/greenBut.png", {1, 2}, 1},
        {"images/bandgap.png", {2}, 2},
        {"headers/zvr2mxx.h", {0, 2}, 0},
        {"demo/demoModeValues16.txt", {}, -1},
    };
    for (const Case& c : cases) {
        for (int holder : c.holders) {
            const QString path = QDir(folders[holder]).filePath(QString::fromLatin1(c.file));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    // A folder where the file should be is not the file.
    ASSERT_TRUE(QDir(working.path()).mkpath(QStringLiteral("docs/about.html")));
    QFile about(QDir(program.path()).filePath(QStringLiteral("docs/about.html")));
    ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("docs")) && about.open(QIODevice::WriteOnly));

    for (const Case& c : cases) {
        const QString expected =
            c.found < 0 ? QString() : QDir::cleanPath(QDir(folders[c.found]).filePath(QString::fromLatin1(c.file)));
        EXPECT_EQ(resources::findFileIn(folders, QString::fromLatin1(c.file)), expected) << c.file;
    }
    EXPECT_EQ(resources::findFileIn(folders, QStringLiteral("docs/about.html")), QDir::cleanPath(about.fileName()));
}

TEST(Resources, ProgramCarriesItsIconAtEverySize)
{
    int argc = 1;
    char name[] = "ui_resources_test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const QIcon icon = resources::appIcon();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        const QImage image = icon.pixmap(size, size).toImage();
        // The tile's rounded corner is clear, its middle is not.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
    }
}
