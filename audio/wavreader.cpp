// parseWave(): walks the chunks of a RIFF/WAVE image by what is really there, since a
// cue's header is not trusted further than the bytes behind it.

#include "audio/wavreader.h"

#include <QtEndian>

#include <algorithm>

std::optional<WaveImage> parseWave(const QByteArray &image)
{
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return std::nullopt;

    // The RIFF length is not trusted: the chunks are walked up to the real end of the image.
    std::optional<WaveImage> wave;
    qsizetype at = 12;
    while (at + 8 <= image.size()) {
        const QByteArray id = image.mid(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(image.constData() + at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > image.size())
                return std::nullopt;
            const quint32 formatTag = qFromLittleEndian<quint16>(image.constData() + body);
            const int channels = qFromLittleEndian<quint16>(image.constData() + body + 2);
            const quint32 sampleRate = qFromLittleEndian<quint32>(image.constData() + body + 4);
            const int bits = qFromLittleEndian<quint16>(image.constData() + body + 14);
            if (formatTag != 1 || channels < 1 || channels > 8 || sampleRate < 1000 || sampleRate > 384000
                || (bits != 8 && bits != 16))
                return std::nullopt;
            wave = WaveImage{static_cast<int>(sampleRate), channels, bits, 0, 0};
        } else if (id == "data") {
            if (!wave)
                return std::nullopt;
            const qsizetype frameBytes = qsizetype(wave->channels) * (wave->bitsPerSample / 8);
            const qsizetype available = std::min(size, image.size() - body);
            // A sink handed a part of a frame can hang; the odd byte is simply not played.
            wave->dataOffset = body;
            wave->dataLength = available - available % frameBytes;
            if (wave->dataLength <= 0)
                return std::nullopt;
            return wave;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}
