// artgen: paints every picture of the game and writes it as PNG into a folder, at 1x and,
// for scaled screens, as "@2x" and "@3x" twins. It runs during the build; the pictures then go into the executable as
// resources. Each written file is read back and its size checked, so a wrong picture stops
// the build instead of reaching a window.
#include "pictures.h"
#include "preview.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>

#include <cstdio>

namespace {

QString loadFace(const QString &path)
{
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "artgen: cannot load the font %s\n", qPrintable(path));
        return {};
    }
    return families.first();
}

// Writes one picture and checks what landed on disk.
bool write(const QImage &image, const QString &path, QSize expected)
{
    // The strongest compression: every byte lands in the executable.
    if (!image.save(path, "PNG", 0)) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    QImageReader reader(path);
    const QSize actual = reader.size();
    if (actual != expected || reader.read().isNull()) {
        std::fprintf(stderr, "artgen: %s is %dx%d, expected %dx%d\n", qPrintable(path), actual.width(),
                     actual.height(), expected.width(), expected.height());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Paints the pictures of the game."));
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Folder for the pictures."),
                                       QStringLiteral("dir"));
    const QCommandLineOption scriptOption(QStringLiteral("script-font"), QStringLiteral("Title lettering face."),
                                          QStringLiteral("file"));
    const QCommandLineOption heavyOption(QStringLiteral("heavy-font"), QStringLiteral("Headline face."),
                                         QStringLiteral("file"));
    const QCommandLineOption sansOption(QStringLiteral("sans-font"), QStringLiteral("Small print face."),
                                        QStringLiteral("file"));
    const QCommandLineOption previewOption(
        QStringLiteral("preview"), QStringLiteral("Also write previews of the windows with their controls."),
        QStringLiteral("dir"));
    const QCommandLineOption timingOption(QStringLiteral("timing"),
                                          QStringLiteral("Print how long each picture took (it runs in every build)."));
    parser.addOptions({outOption, scriptOption, heavyOption, sansOption, previewOption, timingOption});
    parser.process(app);

    for (const auto &required : {outOption, scriptOption, heavyOption, sansOption}) {
        if (!parser.isSet(required)) {
            std::fprintf(stderr, "artgen: --%s is required\n", qPrintable(required.names().first()));
            return 2;
        }
    }
    const artgen::Faces faces{loadFace(parser.value(scriptOption)), loadFace(parser.value(heavyOption)),
                              loadFace(parser.value(sansOption))};
    if (faces.script.isEmpty() || faces.heavy.isEmpty() || faces.sans.isEmpty())
        return 1;

    const QDir out(parser.value(outOption));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    bool ok = true;
    const bool timed = parser.isSet(timingOption);
    for (const artgen::Picture &picture : artgen::catalogue(faces)) {
        QElapsedTimer clock;
        clock.start();
        ok = write(picture.paint(1), out.filePath(picture.name + QStringLiteral(".png")), picture.size) && ok;
        if (picture.hiDpiTwin) {
            for (const int ratio : {2, 3})
                ok = write(picture.paint(ratio), out.filePath(picture.name + QStringLiteral("@%1x.png").arg(ratio)),
                           picture.size * ratio)
                     && ok;
        }
        if (timed)
            std::printf("%-16s %5lld ms\n", qPrintable(picture.name), clock.elapsed());
    }
    if (ok && parser.isSet(previewOption))
        ok = artgen::writePreviews(faces, QDir(parser.value(previewOption)));
    return ok ? 0 : 1;
}
