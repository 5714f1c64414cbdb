// libFuzzer target for what the top ten reads from a settings file a player or a crash may
// have changed: a stored value taken apart into nickname and score, the text shown for it
// in a report, and a nickname as typed. The bytes are tried both as UTF-8 and as raw
// UTF-16, so lone surrogates and every control character come in too. Each property that
// the game relies on is checked; a broken one aborts.
#include "topten/nickname.h"
#include "topten/showntext.h"
#include "topten/storedvalue.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

void tryValue(const QString &value)
{
    const StoredEntry entry = parseStoredValue(value);
    check(NickName::characterCount(entry.name.text()) == NickName::Length);
    check(entry.score.has_value() == entry.problem.isEmpty());
    if (entry.score) {
        // What is read is written back in a form that reads as the same entry.
        const QString stored = entry.name.text() + entry.score->toString();
        const StoredEntry again = parseStoredValue(stored);
        check(again.score && *again.score == *entry.score);
        check(again.name == entry.name);
    } else {
        // A report never carries a NUL or another control character that would cut it.
        for (const QChar c : entry.problem)
            check(c.unicode() >= 0x20 && c.unicode() != 0x7f);
    }

    const QString shown = shownText(value);
    check(shown.startsWith(QLatin1Char('"')) && shown.endsWith(QLatin1Char('"')));
    for (const QChar c : shown)
        check(c.unicode() >= 0x20 && c.unicode() != 0x7f);

    const QString typed = NickName::fromTyped(value);
    for (const QChar c : typed)
        check(c != QLatin1Char('\n') && c != QLatin1Char('\r') && c != QLatin1Char('\t'));
    // A name the question takes is stored whole, and it is never longer than six characters.
    if (!typed.isEmpty() && NickName::fitsWhole(typed)) {
        check(NickName::characterCount(typed) <= NickName::Length);
        check(NickName(typed).text().startsWith(typed));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tryValue(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    tryValue(QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2)));
    return 0;
}
