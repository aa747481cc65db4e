#include "ui/automation/ScriptSyntax.h"

namespace automation {

ScriptLine splitScriptLine(const QString& line)
{
    ScriptLine result;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = line.at(i);
        if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') {
            ++i;
            continue;
        }
        if (c == u'#')
            break;
        QString word;
        if (c == u'"') {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar q = line.at(i);
                if (q == u'"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (q == u'\\' && i + 1 < n && (line.at(i + 1) == u'"' || line.at(i + 1) == u'\\')) {
                    word += line.at(i + 1);
                    i += 2;
                    continue;
                }
                word += q;
                ++i;
            }
            if (!closed) {
                result.words.clear();
                result.error = QStringLiteral("missing closing quote");
                return result;
            }
            if (i < n && line.at(i) != u' ' && line.at(i) != u'\t' && line.at(i) != u'\r') {
                result.words.clear();
                result.error = QStringLiteral("no blank after closing quote");
                return result;
            }
        } else {
            while (i < n) {
                const QChar q = line.at(i);
                if (q == u' ' || q == u'\t' || q == u'\r' || q == u'\n')
                    break;
                word += q;
                ++i;
            }
        }
        result.words.append(word);
    }
    return result;
}

QString escapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString quoteText(const QString& text)
{
    QString out = escapeValue(text);
    out.replace(u'"', QStringLiteral("\\\""));
    return u'"' + out + u'"';
}

}  // namespace automation
