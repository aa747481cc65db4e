#pragma once

#include <QString>

class QObject;

// A user's actions on one control, through the same signals a person would fire.
// Each returns an empty string on success, else what went wrong (wrong kind of
// control, control not operable, argument out of range).
namespace automation {

QString selectIndex(QObject* control, int index);
QString selectText(QObject* control, const QString& text);
QString setChecked(QObject* control, bool checked);
QString setItemChecked(QObject* control, int index, bool checked);
QString typeText(QObject* control, const QString& text);
QString pressKey(QObject* control, const QString& keyName);
QString slideTo(QObject* control, int value);
QString click(QObject* control);

}  // namespace automation
