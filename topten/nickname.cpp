// Fitting a nickname to six characters without splitting a character.
#include "topten/nickname.h"

#include <QTextBoundaryFinder>

NickName::NickName()
    : m_text(Length, QLatin1Char(' '))
{
}

NickName::NickName(const QString &text)
    : m_text(text.left(lengthOfCharacters(text, Length)))
{
    // One space at a time: a space can join the character before it (after a prepended
    // mark), so the count, not the length, says when six are there.
    while (characterCount(m_text) < Length)
        m_text += QLatin1Char(' ');
    // A last character that joins whatever follows it (an Arabic number sign, say) would
    // take the score's first digit into the name once stored; a space joined to it instead
    // keeps the two apart and changes nothing a player sees.
    if (characterCount(m_text + QLatin1Char('0')) == Length)
        m_text += QLatin1Char(' ');
}

int NickName::characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

qsizetype NickName::lengthOfCharacters(const QString &text, int count)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype next = finder.toNextBoundary();
        if (next == -1)
            break;
        end = next;
    }
    return end;
}

QString NickName::fromTyped(const QString &typed)
{
    QString text = typed;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar &c : text) {
        switch (c.unicode()) {
        case u'\t': case u'\n': case u'\v': case u'\f': case u'\r':
        case 0x85: case 0x2028: case 0x2029:
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return text;
}
