// artpack: turns the painted PNGs into the form the game stores its pictures in, pixels
// ready to draw behind a 16-byte header ("TBPX", width, height, QImage format;
// little-endian), each row padded to a multiple of 4 bytes. A picture with a translucent
// pixel is stored as a pixmap holds it (premultiplied 32-bit ARGB); an opaque one as 24-bit
// RGB, a quarter smaller in memory, which the painter reads as it draws, exactly. The
// resource compiler compresses them; the game then only decompresses, with no decoding on
// the way to the screen.
// Usage: artpack <output folder> <png>...   writes <output folder>/<name>.px for each.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

// Premultiplied alpha only when some pixel is not opaque, otherwise 24-bit RGB.
QImage asStored(const QImage &decoded)
{
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    bool translucent = false;
    if (decoded.hasAlphaChannel()) {
        for (int y = 0; y < argb.height() && !translucent; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                if (qAlpha(line[x]) != 255) {
                    translucent = true;
                    break;
                }
            }
        }
    }
    return decoded.convertToFormat(translucent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB888);
}

void putLe(QByteArray &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: artpack <output folder> <png>...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const QImage decoded(path);
        if (decoded.isNull()) {
            std::fprintf(stderr, "artpack: cannot read %s\n", argv[i]);
            return 1;
        }
        const QImage pixels = asStored(decoded);
        QByteArray bytes("TBPX");
        putLe(bytes, quint32(pixels.width()));
        putLe(bytes, quint32(pixels.height()));
        putLe(bytes, quint32(pixels.format()));
        const qsizetype rowBytes = qsizetype(pixels.width()) * (pixels.depth() / 8);
        const QByteArray padding((4 - rowBytes % 4) % 4, '\0');
        for (int y = 0; y < pixels.height(); ++y) {
            bytes.append(reinterpret_cast<const char *>(pixels.constScanLine(y)), rowBytes);
            bytes.append(padding);
        }

        QFile file(out.filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".px")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "artpack: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
