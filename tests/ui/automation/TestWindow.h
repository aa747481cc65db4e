#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>

#include <atomic>
#include <thread>

class QLabel;

// A small window with one control of every kind the runner drives; its handlers
// log what they saw through logLineAppended, as the tool's window does.
class TestWindow : public QMainWindow {
    Q_OBJECT
public:
    TestWindow();
    ~TestWindow() override;

    int textEditedCount = 0;
    int comboActivatedCount = 0;
    int sliderReleasedCount = 0;
    QList<int> consoleKeyReleases;  // every key released in consoleBox

signals:
    void logLineAppended(const QString& lineWithoutTimeStamp);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void log(const QString& line) { emit logLineAppended(line); }
    void buildMenus();
    QWidget* buildFirstPage();
    QWidget* buildSecondPage();
    void joinWorker();

    QLabel* workerLabel_ = nullptr;
    std::thread worker_;
};
