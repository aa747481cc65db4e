// The window-thread wait: cancelled early, nested, and what gets through
// while it runs. (Its use by the latch reset on the real window is in
// FaultMonitorTest.)

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>

#include <memory>

#include "ui/WindowThreadWait.h"

using namespace std::chrono_literals;

namespace {

// The application ends with the test run, before static destruction.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override { app.reset(); }
    static void ensure()
    {
        static int argc = 1;
        static char name[] = "kc-wait-test";
        static char* argv[] = {name, nullptr};
        if (!app)
            app = std::make_unique<QApplication>(argc, argv);
    }

private:
    static inline std::unique_ptr<QApplication> app;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

void application()
{
    ApplicationEnvironment::ensure();
}

TEST(WindowThreadWait, CancelEndsEveryWaitAndRefusesLaterOnes)
{
    application();
    WindowThreadWait wait;
    bool inner = true;
    QTimer::singleShot(20, [&] {
        inner = wait.wait(10s);  // nested in the outer wait
    });
    QTimer::singleShot(60, [&] { wait.cancel(); });
    EXPECT_FALSE(wait.wait(10s));
    EXPECT_FALSE(inner);
    EXPECT_FALSE(wait.isWaiting());
    EXPECT_FALSE(wait.wait(1ms));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(WindowThreadWait, UserInputAndTheUsersCloseWaitProgramActionsGoOn)
{
    application();
    WindowThreadWait wait;
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Go"), &window);
    window.show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });

    bool nestedElapsed = false;
    bool closedBySpontaneousEvent = true;
    QTimer::singleShot(10, [&] {
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_Space);
        QCloseEvent byUser;  // the window's close button
        QSpontaneKeyEvent::setSpontaneous(&byUser);
        QApplication::sendEvent(&window, &byUser);
        closedBySpontaneousEvent = !window.isVisible();
        button->click();  // the program's own call is no user input
        nestedElapsed = wait.wait(20ms);
    });
    EXPECT_TRUE(wait.wait(100ms));
    EXPECT_TRUE(nestedElapsed);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(closedBySpontaneousEvent);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QTest::mouseClick(button, Qt::LeftButton);  // the wait is over
    EXPECT_EQ(clicks, 2);
}

TEST(WindowThreadWait, InputComesBackWhenTheTimeIsUpEvenUnderABoxOpenedMeanwhile)
{
    application();
    WindowThreadWait wait;
    QWidget box;  // stands in for a message box a reply opened during the wait
    auto* ok = new QPushButton(QStringLiteral("OK"), &box);
    box.show();
    QEventLoop boxLoop;
    int clicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] {
        ++clicks;
        boxLoop.quit();
    });
    QTimer::singleShot(10, [&] {
        QTimer::singleShot(3000, &boxLoop, &QEventLoop::quit);  // rather a failure than a hang
        boxLoop.exec();
    });
    QTimer::singleShot(30, [&] { QTest::mouseClick(ok, Qt::LeftButton); });  // swallowed
    QTimer::singleShot(150, [&] { QTest::mouseClick(ok, Qt::LeftButton); });  // the time is up
    EXPECT_TRUE(wait.wait(50ms));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(wait.isWaiting());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
