// The small RIFF/WAVE reader the audio worker plays from: it finds the PCM samples of a
// cue's image and says how to play them, or refuses what a sink could not play as it is.
// Qt Core only, so that its edge cases are tested without the audio system.
#pragma once

#include <QByteArray>

#include <optional>

// Where the PCM samples of a WAV image are, and how to play them.
struct WaveImage
{
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0; // 8 (unsigned) or 16 (signed)
    qsizetype dataOffset = 0;
    qsizetype dataLength = 0; // whole frames only, and never past the end of the image
};

// Reads a PCM RIFF/WAVE image; nothing for anything a sink could not play as it is.
std::optional<WaveImage> parseWave(const QByteArray &image);
