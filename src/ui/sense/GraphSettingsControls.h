#pragma once
// The "Graph Settings" group of the Command Center: what to graph, which
// channels, how many points and samples, and the CSV log switch.

class CommandCenterPage;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

struct GraphSettingsControls {
    QComboBox* senseSourceSelBox = nullptr;  // the four quantities
    QListWidget* senseChannelBox = nullptr;  // "Channel 1", "Channel 2" (the page's)
    QCheckBox* senseChannelAll = nullptr;    // the page's
    QLineEdit* maxSamplesBox = nullptr;      // points kept on the chart
    QLineEdit* averageCountBox = nullptr;    // samples averaged
    QPushButton* enableLogButton = nullptr;  // "On", checkable
    QToolButton* logBrowseButton = nullptr;  // "..."
    QLineEdit* filePathTextBox = nullptr;    // the log's path, read only
    QCheckBox* logTimeStampsBox = nullptr;   // ISO 8601 stamps and a header with units (off)
    // Fault capture (off): N s before and M s after a raised fault to a CSV in a folder.
    QCheckBox* faultCaptureBox = nullptr;
    QLineEdit* faultCaptureBeforeBox = nullptr;  // whole seconds, 1 to 600
    QLineEdit* faultCaptureAfterBox = nullptr;
    QLineEdit* faultCaptureFolderBox = nullptr;
    QToolButton* faultCaptureFolderButton = nullptr;
};

// Fills the page's "Graph Settings" group around its channel list.
GraphSettingsControls buildGraphSettings(CommandCenterPage& page);
