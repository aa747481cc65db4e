#pragma once
// "Console": the register console's controls.

#include "ui/widgets/PageFrame.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class ConsolePage : public PageFrame {
public:
    explicit ConsolePage(QWidget* parent = nullptr);

    QLineEdit* commandBox;
    QPushButton* sendCommandButton;
    QComboBox* cmdHistoryBox;
    QPlainTextEdit* commandLogBox;
};
