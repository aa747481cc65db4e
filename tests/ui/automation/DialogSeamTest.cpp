#include "ui/seam/DialogSeam.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <thread>

namespace {

using SB = QMessageBox::StandardButton;

struct DefaultCase {
    QMessageBox::StandardButtons buttons;
    SB def;
    SB expected;
};

class DefaultButton : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultButton, IsWhatEnterWouldPress)
{
    const DefaultCase& c = GetParam();
    EXPECT_EQ(DialogSeam::defaultButtonOf(c.buttons, c.def), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, DefaultButton,
    ::testing::Values(DefaultCase{QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::Ok},
                      DefaultCase{QMessageBox::NoButton, QMessageBox::NoButton, QMessageBox::Ok},
                      DefaultCase{QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::No},
                      DefaultCase{QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton, QMessageBox::Yes},
                      DefaultCase{QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton, QMessageBox::Ok},
                      DefaultCase{QMessageBox::Yes | QMessageBox::No, QMessageBox::Cancel, QMessageBox::Yes},
                      DefaultCase{QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton, QMessageBox::No}));

struct Recorder : DialogSeam::Responder {
    QStringList calls;
    SB onMessage(QMessageBox::Icon, const QString& caption, const QString& text,
                 QMessageBox::StandardButtons, SB def) override
    {
        calls << QStringLiteral("message %1 %2").arg(caption, text);
        return def;
    }
    QString onFileDialog(bool save, const QString& caption, const QString& filter) override
    {
        calls << QStringLiteral("%1 %2 %3").arg(save ? "save" : "open", caption, filter);
        return QStringLiteral("/x");
    }
};

TEST(DialogSeam, AnInstalledResponderAnswersEveryDialog)
{
    Recorder recorder;
    DialogSeam::setResponder(&recorder);
    EXPECT_EQ(DialogSeam::responder(), &recorder);
    EXPECT_EQ(DialogSeam::message(nullptr, QMessageBox::Warning, QStringLiteral("C"), QStringLiteral("T"),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
              QMessageBox::No);
    EXPECT_EQ(DialogSeam::openFileName(nullptr, QStringLiteral("Load"), QStringLiteral("*.txt")),
              QStringLiteral("/x"));
    EXPECT_EQ(DialogSeam::saveFileName(nullptr, QStringLiteral("Save"), QStringLiteral("*.c")),
              QStringLiteral("/x"));
    DialogSeam::setResponder(nullptr);
    EXPECT_EQ(recorder.calls, (QStringList{QStringLiteral("message C T"), QStringLiteral("open Load *.txt"),
                                          QStringLiteral("save Save *.c")}));
}

TEST(DialogSeam, OffTheWindowThreadNothingIsShown)
{
    DialogSeam::setResponder(nullptr);
    SB answer = QMessageBox::NoButton;
    QString path = QStringLiteral("unset");
    std::thread worker([&] {
        answer = DialogSeam::message(nullptr, QMessageBox::Critical, QStringLiteral("C"), QStringLiteral("T"),
                                     QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
        path = DialogSeam::openFileName(nullptr, QStringLiteral("Load"), QStringLiteral("*.txt"));
    });
    worker.join();
    EXPECT_EQ(answer, QMessageBox::Cancel);
    EXPECT_TRUE(path.isEmpty());
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
