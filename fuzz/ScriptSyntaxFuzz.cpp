// A script file of arbitrary bytes read as the runner reads it: split into
// lines, each line into words. A word quoted as the runner prints values
// splits back into that one word.

#include "FuzzTarget.h"

#include <QBuffer>
#include <QByteArray>
#include <memory>

#include "ui/automation/ScriptInput.h"
#include "ui/automation/ScriptSyntax.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view bytes = fuzz::text(data, size);
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    automation::ScriptInput input(std::move(buffer), nullptr);
    input.start();
    FUZZ_CHECK(input.ended() && input.openError().isEmpty());

    while (const auto line = input.takeLine()) {
        FUZZ_CHECK(!line->contains(u'\n'));
        const automation::ScriptLine split = automation::splitScriptLine(*line);
        if (!split.error.isEmpty()) FUZZ_CHECK(split.words.isEmpty());

        const QString escaped = automation::escapeValue(*line);
        FUZZ_CHECK(!escaped.contains(u'\n') && !escaped.contains(u'\r'));

        for (const QString& word : split.words) {
            FUZZ_CHECK(!word.isEmpty() || line->contains(u'"'));
            if (word.contains(u'\r')) continue;  // printed escaped, read as written
            const automation::ScriptLine again = automation::splitScriptLine(automation::quoteText(word));
            FUZZ_CHECK(again.error.isEmpty() && again.words == QStringList{word});
        }
    }
    return 0;
}
