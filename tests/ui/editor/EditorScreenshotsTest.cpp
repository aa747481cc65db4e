// Pictures of every editor page for both families (written under the build
// folder for people to look at), and a check that each page lays out all
// of its controls inside the window.

#include "FakeEditorHost.h"  // first: the emulator header must precede Qt's keyword macros

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

using editortest::FakeEditorHost;

namespace {

QString screenshotFolder()
{
    const QByteArray bin = qgetenv("KC_BIN_DIR");
    QDir dir(bin.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(bin) + "/..");
    dir.mkpath(QStringLiteral("screenshots/editor-pages"));
    return dir.filePath(QStringLiteral("screenshots/editor-pages"));
}

TEST(EditorScreenshots, EveryPageOfBothFamilies)
{
    for (uint16_t devid : {uint16_t{0xFFF0}, uint16_t{0xFF04}}) {
        FakeEditorHost host(devid);
        host.board->pokeRegister(devid == 0xFFF0 ? 0x0E : 0x0D, 0x0E03);
        host.identify();
        host.window->show();
        const QString family = devid == 0xFFF0 ? QStringLiteral("16pwp") : QStringLiteral("18pwp");
        for (const char* base : {"commandCenterPage", "fuseTunerPage", "devSettingPage", "chanSettingsPage"}) {
            QString name = QString::fromLatin1(base);
            if (name != QLatin1String("commandCenterPage"))
                name += family;
            QWidget* page = host.find<QWidget>(name);
            ASSERT_NE(page, nullptr) << name.toStdString();
            host.tabs->setCurrentWidget(page);
            QCoreApplication::processEvents();
            const QImage image = page->grab().toImage();
            EXPECT_FALSE(image.isNull());
            const QString file = screenshotFolder() + "/" + name + "-" + family + ".png";
            EXPECT_TRUE(image.save(file)) << file.toStdString();

            // Every editor control of the page is visible and inside the page.
            for (QWidget* child : page->findChildren<QWidget*>()) {
                if (child->objectName().isEmpty() || host.editor->control(child->objectName()) != child ||
                    child->isHidden())  // hidden on purpose (the register name while nothing is pointed at)
                    continue;
                EXPECT_TRUE(child->isVisible()) << child->objectName().toStdString();
                const QRect inPage(child->mapTo(page, QPoint(0, 0)), child->size());
                EXPECT_TRUE(page->rect().contains(inPage)) << child->objectName().toStdString();
            }
        }
    }
}

}  // namespace
