#include "topten/storedvalue.h"

#include <stdexcept>

StoredEntry parseStoredValue(const QString &value)
{
    StoredEntry entry;
    const qsizetype nameLength = NickName::lengthOfCharacters(value, NickName::Length);
    entry.name = NickName(value.left(nameLength));
    const QString scoreText = value.mid(nameLength);
    try {
        const StoredScore score = StoredScore::parse(scoreText);
        if (score < StoredScore(FewestStoredSteps) || score > StoredScore(MostStoredSteps)) {
            entry.problem = QStringLiteral("The score %1 is outside %2 to %3, the steps a stored result can have.")
                                .arg(shownText(scoreText))
                                .arg(FewestStoredSteps)
                                .arg(MostStoredSteps);
            return entry;
        }
        entry.score = score;
    } catch (const std::runtime_error &failure) {
        entry.problem = QString::fromUtf8(failure.what());
    }
    return entry;
}

QString shownText(const QString &text, int maxCharacters)
{
    const qsizetype end = NickName::lengthOfCharacters(text, maxCharacters);
    QString shown;
    shown.reserve(end + 2);
    shown += QLatin1Char('"');
    for (qsizetype i = 0; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20)
            shown += QChar(char16_t(0x2400 + c)); // the Control Pictures block: NUL shows as ␀
        else if (c == 0x7f)
            shown += QChar(char16_t(0x2421));
        else
            shown += text[i];
    }
    if (end < text.size())
        shown += QChar(0x2026);
    shown += QLatin1Char('"');
    return shown;
}
