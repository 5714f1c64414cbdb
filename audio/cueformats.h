// The six cues' formats and byte sizes: what the synthesizer must write and what the
// program's resources then hold. The sizes are part of the resource contract: a change
// here is a change of the cues. No Qt here.
#pragma once

#include <array>
#include <cstdint>

struct CueFormat
{
    int id;                    // the resource number, as in Cue
    int sampleRate;
    int bitsPerSample;         // mono, 8-bit unsigned or 16-bit signed
    std::uint32_t dataBytes;   // the data chunk, without its pad byte
    std::uint32_t fileBytes;   // the whole RIFF/WAVE file
};

inline constexpr std::array<CueFormat, 6> CueFormats{{
    {1, 22050, 8, 62320, 62364},
    {2, 22050, 8, 123539, 123584},
    {3, 11025, 8, 29824, 29868},
    {4, 11025, 8, 13568, 13612},
    {5, 22050, 16, 21148, 21192},
    {6, 11025, 8, 1128, 1172},
}};

// The format of cue id, 1..6.
constexpr const CueFormat &cueFormat(int id)
{
    return CueFormats[static_cast<std::size_t>(id - 1)];
}
