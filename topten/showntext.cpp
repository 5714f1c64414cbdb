#include "topten/showntext.h"

#include "topten/nickname.h"

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
