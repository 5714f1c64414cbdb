#include "topten/storedvalue.h"

#include "topten/showntext.h"

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
