#pragma once

#include <QString>

class QAbstractItemView;
class QObject;

// What `get` and `wait-for` read from a control, as plain text (not yet escaped).
namespace automation {

struct PropertyValue {
    QString property;  // the property read (the principal one when none was asked)
    QString value;     // booleans as true/false, lists joined by |
    QString error;     // not empty: the control has no such property
};

// Name of the control's principal state: text, index, checked, value or enabled.
QString principalProperty(const QObject* control);

// The column whose items a view shows (a list view's model column, else 0).
int viewColumn(const QAbstractItemView* view);

// property empty: the principal state.
PropertyValue readProperty(QObject* control, const QString& property);

}  // namespace automation
