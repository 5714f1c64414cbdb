#include "ui/imagestore.h"

#include <QByteArray>
#include <QImage>
#include <QResource>
#include <QtEndian>

#include <mutex>

// The pictures are linked as object files of their own; referring to their init functions
// is what keeps the linker from leaving them out of the program.
static void registerPictures()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Q_INIT_RESOURCE(tobrinel_art_start);
        Q_INIT_RESOURCE(tobrinel_art_1x);
        Q_INIT_RESOURCE(tobrinel_art_2x);
        Q_INIT_RESOURCE(tobrinel_art_3x);
    });
}

namespace {

constexpr qsizetype HeaderBytes = 16;

quint32 headerField(const QByteArray &bytes, int index)
{
    return qFromLittleEndian<quint32>(bytes.constData() + 4 * index);
}

} // namespace

QPixmap storedPicture(const QString &name)
{
    registerPictures();
    const QResource resource(QStringLiteral(":/art/%1.px").arg(name));
    if (!resource.isValid())
        return {};
    // Stored compressed this is the one copy; stored plain it is no copy at all.
    QByteArray bytes = resource.compressionAlgorithm() == QResource::NoCompression
                           ? QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size())
                           : resource.uncompressedData();
    if (bytes.size() < HeaderBytes || !bytes.startsWith("TBPX"))
        return {};
    const quint32 width = headerField(bytes, 1);
    const quint32 height = headerField(bytes, 2);
    const auto format = QImage::Format(headerField(bytes, 3));
    if (width == 0 || height == 0 || width > 16384 || height > 16384
        || (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        || bytes.size() != HeaderBytes + qsizetype(width) * height * 4)
        return {};

    // The image draws straight from the buffer, which lives as long as the image does.
    auto *holder = new QByteArray(std::move(bytes));
    QImage image(reinterpret_cast<const uchar *>(holder->constData() + HeaderBytes), int(width), int(height),
                 qsizetype(width) * 4, format, [](void *buffer) { delete static_cast<QByteArray *>(buffer); }, holder);
    return QPixmap::fromImage(std::move(image));
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
