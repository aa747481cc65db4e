#pragma once

#include <QString>
#include <QStringList>

// Word splitting of one script line and the escaping of printed values.
namespace automation {

struct ScriptLine {
    QStringList words;  // empty: blank or comment-only line
    QString error;      // not empty: the line could not be split
};

// Words are separated by blanks; `#` outside quotes starts a comment; a word may be
// a double-quoted text in which \" and \\ stand for " and \ (any other backslash
// is kept as it stands, so "C:\dir" and "a\nb" read as written).
ScriptLine splitScriptLine(const QString& line);

// A value as `get` prints it: backslash, line feed and carriage return escaped.
QString escapeValue(const QString& value);

// A text printed between double quotes: escapeValue plus \" for quotes.
QString quoteText(const QString& text);

}  // namespace automation
