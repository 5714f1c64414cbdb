// Fitting a nickname to six characters without splitting a character.
#include "topten/nickname.h"

#include <QTextBoundaryFinder>

NickName::NickName()
    : m_text(Length, QLatin1Char(' '))
{
}

NickName::NickName(const QString &text)
    : m_text(fitted(text))
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

QString NickName::fitted(const QString &text)
{
    // Six characters at most, and MaxUnits UTF-16 code units with the padding: a letter
    // followed by thousands of combining marks is one character to the eye, but not one to
    // store or to draw. A character that does not fit whole ends the name; only a first
    // one is cut, between code points, so that a name is never empty.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    QString kept;
    qsizetype start = 0;
    for (int k = 0; k < Length; ++k) {
        const qsizetype end = finder.toNextBoundary();
        if (end == -1)
            break;
        const qsizetype room = MaxUnits - kept.size() - (Length - k - 1);
        QStringView character = QStringView(text).mid(start, end - start);
        if (character.size() > room) {
            if (!kept.isEmpty())
                break;
            qsizetype cut = room;
            if (cut > 0 && character[cut - 1].isHighSurrogate())
                --cut;
            kept += character.left(cut);
            break;
        }
        kept += character;
        start = end;
    }
    return kept;
}

bool NickName::fitsWhole(const QString &text)
{
    return fitted(text) == text;
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
    // Invisible format characters go: a right-to-left override would turn the Black List's
    // row around, and what cannot be seen cannot be told apart. A zero-width joiner between
    // two visible characters stays: it makes one emoji of a family or a profession.
    QString visible;
    visible.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t code = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                  ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                  : text.at(i).unicode();
        const qsizetype width = code > 0xFFFF ? 2 : 1;
        const bool joiner = code == 0x200D && !visible.isEmpty() && !visible.back().isSpace() && i + 1 < text.size()
                            && !text.at(i + 1).isSpace();
        // Tag characters spell the region of a subdivision flag inside its emoji.
        const bool tag = code >= 0xE0020 && code <= 0xE007F;
        if (QChar::category(code) != QChar::Other_Format || joiner || tag)
            visible += QStringView(text).mid(i, width);
        i += width - 1;
    }
    text = visible;
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
