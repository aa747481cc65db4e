#include "ui/pages/ConsolePage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/WidgetHelpers.h"

using ui::named;

ConsolePage::ConsolePage(QWidget* parent) : PageFrame(QStringLiteral("consolePage"), parent)
{

    commandBox = named<QLineEdit>(QStringLiteral("commandBox"));
    sendCommandButton = named<QPushButton>(QStringLiteral("sendCommandButton"), QStringLiteral("Send"));
    cmdHistoryBox = named<QComboBox>(QStringLiteral("cmdHistoryBox"));
    cmdHistoryBox->setEditable(true);
    cmdHistoryBox->setInsertPolicy(QComboBox::NoInsert);
    commandLogBox = named<QPlainTextEdit>(QStringLiteral("commandLogBox"));
    commandLogBox->setReadOnly(true);
    commandLogBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    commandLogBox->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));

    auto* help = new QVBoxLayout;
    help->addWidget(new QLabel(QStringLiteral("Commands:")));
    help->addWidget(new QLabel(QStringLiteral("1) WRITE <REG_NUM_HEX> <VALUE HEX>")));
    help->addWidget(new QLabel(QStringLiteral("2) READ <REG_NUM_HEX>")));

    auto* entry = new QGridLayout;
    entry->addWidget(new QLabel(QStringLiteral("Command:")), 0, 0);
    entry->addWidget(commandBox, 0, 1);
    entry->addWidget(sendCommandButton, 0, 2);
    entry->addWidget(new QLabel(QStringLiteral("History:")), 1, 0);
    entry->addWidget(cmdHistoryBox, 1, 1, 1, 2);

    auto* layout = new QVBoxLayout(content());
    layout->addLayout(help);
    layout->addLayout(entry);
    layout->addWidget(commandLogBox, 1);
}
