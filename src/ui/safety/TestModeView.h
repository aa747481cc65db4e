#pragma once
// The hidden "Test Mode" page: "Enter Test Mode" (the chip's key sequence),
// the analog and digital test selectors (TEST_CTRL, kept in testCtlReg), and
// one hexadecimal box with "Read" and "Write" per test control register
// (0x72-0x74) and trim register (0x42-0x4B). Reads go out with the
// test-mode context, so their replies come back to handleTestModeRead24PWP.
//
// Window thread only, except handleTestModeRead24PWP, which moves itself there.

#include <QObject>

#include <cstdint>
#include <map>

class HSSSingleReadCmd;
class PageFrame;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class SafetyHost;

class TestModeView : public QObject {
public:
    // Fills the page's three sub-tabs (buildTestModePage). host and page must
    // outlive the view.
    TestModeView(SafetyHost& host, PageFrame& page, QObject* parent = nullptr);

    void enterTestModeButton_Click();
    // Consumer of the test-mode register reads (context 10); any thread.
    void handleTestModeRead24PWP(const HSSSingleReadCmd& command);
    void dTestBox_SelectedIndexChanged(int index);
    void aTestBox_SelectedIndexChanged(int index);
    void readRegister(uint8_t address);
    void writeRegister(uint8_t address);

    uint16_t testCtlReg() const { return testCtl; }

    QPushButton* enterTestModeButton = nullptr;
    QComboBox* aTestBox = nullptr;
    QComboBox* dTestBox = nullptr;
    QLabel* testCtlValueLabel = nullptr;
    // The boxes of the test control and trim registers by address.
    std::map<uint8_t, QLineEdit*> registerBoxes;

private:
    void buildInfo(QWidget* infoPage);
    void buildRegisterPage(QWidget* tabPage, const char* title, const char* prefix, const uint8_t* first,
                           std::size_t count, const QString& explanation);
    void showReply(uint8_t address, uint16_t value);
    void showTestControl();
    void writeTestControl();

    SafetyHost& host;
    uint16_t testCtl = 0;  // testCtlReg: the tool's copy of TEST_CTRL
};
