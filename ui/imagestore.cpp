#include "ui/imagestore.h"

#include "platform/resourcebundle.h"

#include <QByteArray>
#include <QImage>
#include <QResource>
#include <QtEndian>

// Each group of pictures is a resource bundle of its own, registered when a picture of it is
// first asked for: a 1x screen never reads the scaled groups at all.
TOBRINEL_RESOURCE_BUNDLE(art_start);
TOBRINEL_RESOURCE_BUNDLE(art_1x);
TOBRINEL_RESOURCE_BUNDLE(art_2x);
TOBRINEL_RESOURCE_BUNDLE(art_3x);

namespace {

// The main window's pictures at 1x; then the others, by ratio (1x, 2x, 3x).
constinit ResourceBundle startPictures(tobrinel_bundle_art_start);
constinit ResourceBundle picturesAt[] = {ResourceBundle(tobrinel_bundle_art_1x), ResourceBundle(tobrinel_bundle_art_2x),
                                         ResourceBundle(tobrinel_bundle_art_3x)};

} // namespace

// The resource path of the stored picture <name>, its group registered first if need be.
static QString picturePath(const QString &name)
{
    startPictures.registerOnce();
    const QString path = QStringLiteral(":/art/%1.px").arg(name);
    if (!QResource(path).isValid())
        picturesAt[name.endsWith(QLatin1String("@3x")) ? 2 : name.endsWith(QLatin1String("@2x")) ? 1 : 0].registerOnce();
    return path;
}

namespace {

constexpr qsizetype HeaderBytes = 16;

quint32 headerField(const QByteArray &bytes, int index)
{
    return qFromLittleEndian<quint32>(bytes.constData() + 4 * index);
}

} // namespace

QImage storedImage(const QString &name)
{
    const QResource resource(picturePath(name));
    if (!resource.isValid())
        return {};
    // Stored compressed this is the one copy; stored plain it is no copy at all.
    QByteArray bytes = resourceBytes(resource);
    if (bytes.size() < HeaderBytes || !bytes.startsWith("TBPX"))
        return {};
    const quint32 width = headerField(bytes, 1);
    const quint32 height = headerField(bytes, 2);
    const auto format = QImage::Format(headerField(bytes, 3));
    const int pixelBytes = format == QImage::Format_RGB888 ? 3 : 4;
    const qsizetype rowBytes = (qsizetype(width) * pixelBytes + 3) / 4 * 4;
    if (width == 0 || height == 0 || width > 16384 || height > 16384
        || (format != QImage::Format_RGB888 && format != QImage::Format_ARGB32_Premultiplied)
        || bytes.size() != HeaderBytes + rowBytes * height)
        return {};

    // The image draws straight from the buffer, which lives as long as the image does.
    auto *holder = new QByteArray(std::move(bytes));
    return QImage(reinterpret_cast<const uchar *>(holder->constData() + HeaderBytes), int(width), int(height),
                  rowBytes, format, [](void *buffer) { delete static_cast<QByteArray *>(buffer); }, holder);
}

QPixmap storedPicture(const QString &name)
{
    return QPixmap::fromImage(storedImage(name));
}

QIcon storedIcon(const QStringList &names)
{
    QIcon icon;
    for (const QString &name : names) {
        icon.addPixmap(storedPicture(name));
        for (int ratio = 2; ratio <= 3; ++ratio) {
            QPixmap sharp = storedPicture(QStringLiteral("%1@%2x").arg(name).arg(ratio));
            if (!sharp.isNull()) {
                sharp.setDevicePixelRatio(ratio);
                icon.addPixmap(sharp);
            }
        }
    }
    return icon;
}
