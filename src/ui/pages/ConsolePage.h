#pragma once
// "Console": the register console's controls.

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class ConsolePage : public QWidget {
public:
    explicit ConsolePage(QWidget* parent = nullptr);

    QLineEdit* commandBox;
    QPushButton* sendCommandButton;
    QComboBox* cmdHistoryBox;
    QPlainTextEdit* commandLogBox;
};
