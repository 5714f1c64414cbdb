#include "ui/artpictures.h"

#include "media/art/picturenames.h"
#include "ui/imagestore.h"

#include <qapplicationstatic.h>

int artRatio(qreal devicePixelRatio)
{
    // A hair of tolerance: a ratio computed as 2.0000001 is still a 2x screen.
    for (int ratio = 1; ratio < maxArtRatio; ++ratio) {
        if (ratio >= devicePixelRatio - 1e-6)
            return ratio;
    }
    return maxArtRatio;
}

QImage artImage(const QString &name, qreal devicePixelRatio)
{
    for (int ratio = artRatio(devicePixelRatio); ratio > 1; --ratio) {
        QImage sharp = storedImage(QStringLiteral("%1@%2x").arg(name).arg(ratio));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(ratio);
            return sharp;
        }
    }
    return storedImage(name);
}

QPixmap artPixmap(const QString &name, qreal devicePixelRatio)
{
    return QPixmap::fromImage(artImage(name, devicePixelRatio));
}

namespace {

// Made once and shared, so its pictures are decompressed once for every window; it goes
// with the application, before the pictures' resources do.
struct SharedIcon
{
    SharedIcon()
    {
        for (int size : pictures::iconSizes) {
            if (size <= pictures::windowIconMaxSize)
                icon.addPixmap(storedPicture(pictures::icon(size)));
        }
    }
    QIcon icon;
};

Q_APPLICATION_STATIC(SharedIcon, sharedIcon)

} // namespace

QIcon applicationIcon()
{
    return sharedIcon->icon;
}
