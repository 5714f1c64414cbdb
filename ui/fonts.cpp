#include "ui/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace {

struct Faces
{
    QString arialBlack = QStringLiteral("Arial Black");
    QString msSansSerif = QStringLiteral("MS Sans Serif");
};

Faces &faces()
{
    static Faces f;
    return f;
}

// The family name of a shipped face, or fallback if it cannot be loaded.
QString registerFace(const QString &resource, const QString &fallback)
{
    const int id = QFontDatabase::addApplicationFont(resource);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? fallback : families.first();
}

} // namespace

void loadTobrinelFonts()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (!QFontDatabase::hasFamily(faces().arialBlack))
        faces().arialBlack = registerFace(QStringLiteral(":/fonts/Lato-Black.ttf"), faces().arialBlack);
    if (!QFontDatabase::hasFamily(faces().msSansSerif)) {
        faces().msSansSerif = registerFace(QStringLiteral(":/fonts/LiberationSans-Bold.ttf"), faces().msSansSerif);
        registerFace(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"), faces().msSansSerif);
    }
}

QFont tobrinelFont(FontFace face, qreal pointSize, bool bold)
{
    loadTobrinelFonts();
    QFont font(face == FontFace::ArialBlack ? faces().arialBlack : faces().msSansSerif);
    font.setPointSizeF(pointSize);
    // Lato's heaviest face stands in for Arial Black, which is heavy whatever the flag.
    font.setWeight(face == FontFace::ArialBlack ? QFont::Black : bold ? QFont::Bold : QFont::Normal);
    return font;
}
