#include "ui/fonts.h"

#include "platform/resourcebundle.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QResource>
#include <QString>
#include <QStringList>

// The faces are resource bundles of their own. The regular face is registered only when it
// is wanted, so that nothing at start reads it.
TOBRINEL_RESOURCE_BUNDLE(fonts);
TOBRINEL_RESOURCE_BUNDLE(fonts_regular);

namespace {

constinit ResourceBundle fontResources(tobrinel_bundle_fonts);
constinit ResourceBundle regularFontResource(tobrinel_bundle_fonts_regular);

struct Faces
{
    QString arialBlack = QStringLiteral("Arial Black");
    QString msSansSerif = QStringLiteral("MS Sans Serif");
    bool regularWanted = false; // the stand-in for MS Sans Serif needs its regular face too
};

Faces &faces()
{
    static Faces f;
    return f;
}

// The family name of a shipped face, or fallback if it cannot be loaded. The face is read
// where it lies in the program: no copy of it is made.
QString registerFace(const QString &resourcePath, const QString &fallback)
{
    const QResource resource(resourcePath);
    if (!resource.isValid())
        return fallback;
    const QByteArray data = resourceBytes(resource);
    const int id = QFontDatabase::addApplicationFontFromData(data);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? fallback : families.first();
}

// Most labels are bold; the regular face is registered when a label first asks for it.
void loadRegularFace()
{
    static bool loaded = false;
    if (loaded || !faces().regularWanted)
        return;
    loaded = true;
    regularFontResource.registerOnce();
    registerFace(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"), faces().msSansSerif);
}

// Registers the shipped faces the machine lacks, once.
void loadTobrinelFonts()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    fontResources.registerOnce();
    if (!QFontDatabase::hasFamily(faces().arialBlack))
        faces().arialBlack = registerFace(QStringLiteral(":/fonts/Lato-Black.ttf"), faces().arialBlack);
    if (!QFontDatabase::hasFamily(faces().msSansSerif)) {
        faces().msSansSerif = registerFace(QStringLiteral(":/fonts/LiberationSans-Bold.ttf"), faces().msSansSerif);
        faces().regularWanted = true;
    }
}

} // namespace

QFont tobrinelFont(FontFace face, qreal pointSize, bool bold)
{
    loadTobrinelFonts();
    if (face == FontFace::MsSansSerif && !bold)
        loadRegularFace();
    QFont font(face == FontFace::ArialBlack ? faces().arialBlack : faces().msSansSerif);
    font.setPointSizeF(pointSize);
    // Lato's heaviest face stands in for Arial Black, which is heavy whatever the flag.
    font.setWeight(face == FontFace::ArialBlack ? QFont::Black : bold ? QFont::Bold : QFont::Normal);
    return font;
}
