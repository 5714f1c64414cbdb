// tobrinel_soundgen: synthesizes the game's six sound cues as RIFF/WAVE files at build time.
// Each cue has a fixed format and a fixed byte size, so the generator renders exactly that
// many samples, fades the edges so nothing clicks, and writes the file byte by byte.
// Everything is computed, nothing recorded; a fixed-seed generator makes the noise, so
// every build produces the same bytes. Usage: tobrinel_soundgen <output folder>
// (writes 1.wav .. 6.wav).

#include "audio/cueformats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;

// xorshift32: good enough for noise bursts, and the same on every machine.
class Noise
{
public:
    explicit Noise(std::uint32_t seed) : m_state(seed) {}
    double next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t m_state;
};

class Track
{
public:
    Track(int sampleRate, std::size_t frames) : m_rate(sampleRate), m_samples(frames, 0.0) {}

    int rate() const { return m_rate; }
    std::size_t size() const { return m_samples.size(); }
    double seconds() const { return static_cast<double>(m_samples.size()) / m_rate; }
    double &operator[](std::size_t i) { return m_samples[i]; }
    double operator[](std::size_t i) const { return m_samples[i]; }

    // Adds f(t) for t in [0, duration) starting at `start` seconds; clipped to the track.
    void add(double start, double duration, const std::function<double(double)> &f)
    {
        const auto first = static_cast<std::size_t>(std::max(0.0, std::round(start * m_rate)));
        const auto count = static_cast<std::size_t>(duration * m_rate);
        for (std::size_t i = 0; i < count && first + i < m_samples.size(); ++i)
            m_samples[first + i] += f(static_cast<double>(i) / m_rate);
    }

private:
    int m_rate;
    std::vector<double> m_samples;
};

struct Partial
{
    double ratio;    // to the fundamental
    double level;
    double decay;    // time constant in seconds
};

struct Note
{
    double start;
    double frequency;
    double level;
    double attack = 0.004;
    double tremoloDepth = 0.0; // vibraphone-like wobble on long notes
};

// A struck or plucked sound: partials with their own exponential decays. Partials that
// would fold back above half the sample rate are left out instead of turning into
// whistles at the wrong pitch.
void strike(Track &track, const Note &note, const std::vector<Partial> &partials)
{
    const double nyquistGuard = 0.45 * track.rate();
    const double length = track.seconds() - note.start;
    track.add(note.start, length, [&](double t) {
        const double attack = t < note.attack ? std::sin(0.5 * std::numbers::pi * t / note.attack) : 1.0;
        const double tremolo = 1.0 - note.tremoloDepth * 0.5 * (1.0 - std::cos(twoPi * 5.2 * t));
        double sum = 0.0;
        for (const Partial &p : partials) {
            const double f = note.frequency * p.ratio;
            if (f < nyquistGuard)
                sum += p.level * std::exp(-t / p.decay) * std::sin(twoPi * f * t);
        }
        return note.level * attack * tremolo * sum;
    });
}

// A brass-like tone: a harmonic series whose upper harmonics open up during the attack and
// settle back, with a slow vibrato that only starts once the note has sounded a while.
struct Blow
{
    double start;
    double duration;
    double frequency;
    double level;
    double decay = 3.0;      // time constant of the sustain
    double release = 0.06;
    double vibrato = 0.0;    // depth as a fraction of the frequency
};

void blow(Track &track, const Blow &b)
{
    const double nyquistGuard = 0.45 * track.rate();
    const double end = b.duration + b.release;
    const double dt = 1.0 / track.rate();
    // The phase is integrated so that the vibrato never makes the waveform jump.
    track.add(b.start, std::min(end, track.seconds() - b.start), [&, phase = 0.0](double t) mutable {
        const double vibratoOn = std::clamp((t - 0.25) / 0.3, 0.0, 1.0);
        const double f = b.frequency * (1.0 + b.vibrato * vibratoOn * std::sin(twoPi * 5.5 * t));
        phase += twoPi * f * dt;
        const double attack = 1.0 - std::exp(-t / 0.018);
        const double release = t < b.duration ? 1.0 : std::max(0.0, 1.0 - (t - b.duration) / b.release);
        const double brightness = 0.45 + 0.55 * std::exp(-t / 0.08);   // 1 at the onset
        const double tilt = 1.6 - 0.9 * brightness;                    // larger: darker
        double sum = 0.0;
        for (int n = 1; n <= 14; ++n) {
            if (f * n >= nyquistGuard)
                break;
            sum += std::exp(-tilt * (n - 1)) / n * std::sin(n * phase);
        }
        return b.level * attack * release * std::exp(-t / b.decay) * sum;
    });
}

// A short burst of low-passed noise: the "contact" at the start of a struck sound.
void tap(Track &track, double start, double level, double decay, double smoothing, std::uint32_t seed)
{
    Noise noise(seed);
    double low = 0.0;
    track.add(start, 8 * decay, [&](double t) {
        low += smoothing * (noise.next() - low);
        return level * std::exp(-t / decay) * low;
    });
}

// A small Schroeder room: four damped combs into two all-passes. It softens the synthetic
// edges and lets the chimes ring naturally instead of stopping dead.
void addRoom(Track &track, double wet, double reverbTime)
{
    const int rate = track.rate();
    const std::array<double, 4> combMs{29.7, 37.1, 41.1, 43.7};
    const std::array<double, 2> allPassMs{5.0, 1.7};
    std::vector<double> wetSignal(track.size(), 0.0);
    for (double ms : combMs) {
        const auto delay = static_cast<std::size_t>(ms * rate / 1000.0);
        const double gain = std::pow(10.0, -3.0 * (ms / 1000.0) / reverbTime);
        std::vector<double> line(delay, 0.0);
        double damped = 0.0;
        for (std::size_t i = 0, pos = 0; i < track.size(); ++i, pos = (pos + 1) % delay) {
            const double out = line[pos];
            damped += 0.35 * (out - damped);
            line[pos] = track[i] + gain * damped;
            wetSignal[i] += out / combMs.size();
        }
    }
    for (double ms : allPassMs) {
        const auto delay = static_cast<std::size_t>(ms * rate / 1000.0);
        std::vector<double> line(delay, 0.0);
        for (std::size_t i = 0, pos = 0; i < track.size(); ++i, pos = (pos + 1) % delay) {
            const double delayed = line[pos];
            const double in = wetSignal[i];
            line[pos] = in + 0.7 * delayed;
            wetSignal[i] = delayed - 0.7 * in;
        }
    }
    for (std::size_t i = 0; i < track.size(); ++i)
        track[i] += wet * wetSignal[i];
}

// Scales to the wanted peak and rounds off both ends, so the cue starts and ends at
// silence whatever the synthesis left there.
void finish(Track &track, double peak, double fadeIn, double fadeOut)
{
    double highest = 0.0;
    for (std::size_t i = 0; i < track.size(); ++i)
        highest = std::max(highest, std::abs(track[i]));
    const double gain = highest > 0.0 ? peak / highest : 0.0;
    const double total = track.seconds();
    for (std::size_t i = 0; i < track.size(); ++i) {
        const double t = static_cast<double>(i) / track.rate();
        double edge = 1.0;
        if (t < fadeIn)
            edge = 0.5 - 0.5 * std::cos(std::numbers::pi * t / fadeIn);
        else if (total - t < fadeOut)
            edge = 0.5 - 0.5 * std::cos(std::numbers::pi * (total - t) / fadeOut);
        track[i] *= gain * edge;
    }
}

double noteFrequency(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// Cue 1, the win: a brass fanfare, a rising call and a held major chord.
void victory(Track &track)
{
    const double g4 = noteFrequency(67), c5 = noteFrequency(72), e5 = noteFrequency(76);
    const double g5 = noteFrequency(79), c4 = noteFrequency(60), e4 = noteFrequency(64);
    // Call: G4 C5 E5, G5, E5, then G5 held over the chord.
    blow(track, {0.00, 0.09, g4, 0.8, 3.0, 0.03});
    blow(track, {0.12, 0.09, c5, 0.8, 3.0, 0.03});
    blow(track, {0.24, 0.09, e5, 0.8, 3.0, 0.03});
    blow(track, {0.36, 0.30, g5, 0.9, 3.0, 0.05});
    blow(track, {0.70, 0.12, e5, 0.8, 3.0, 0.04});
    blow(track, {0.86, 2.2, g5, 1.0, 2.2, 0.2, 0.006});
    // The chord under the held note: C4 E4 G4 C5 and a low C, softer than the call.
    for (double f : {c4, e4, g4, c5})
        blow(track, {0.86, 2.2, f, 0.42, 2.0, 0.2, 0.004});
    blow(track, {0.86, 2.2, c4 / 2.0, 0.35, 2.0, 0.2});
    addRoom(track, 0.22, 1.2);
    finish(track, 0.72, 0.004, 0.05);
}

// Cue 2, the about window: a short vibraphone tune over a soft bass, ending on a long
// tonic chord with a slow tremolo.
void about(Track &track)
{
    const std::vector<Partial> vibe{{1.0, 1.0, 0.9}, {4.0, 0.18, 0.10}, {10.0, 0.05, 0.025}};
    const std::vector<Partial> bass{{1.0, 1.0, 0.7}, {2.0, 0.3, 0.25}, {3.0, 0.08, 0.12}};
    const double eighth = 0.3;
    // (eighth index, midi note) for the tune: C, F, G, then C held.
    const std::array<std::pair<int, int>, 12> tune{{
        {0, 76}, {1, 79}, {2, 84}, {3, 79},
        {4, 77}, {5, 81}, {6, 84}, {7, 81},
        {8, 79}, {9, 83}, {10, 86}, {11, 83},
    }};
    for (const auto &[step, midi] : tune)
        strike(track, {step * eighth, noteFrequency(midi), step % 2 == 0 ? 0.55 : 0.45}, vibe);
    const std::array<std::pair<int, int>, 4> bassLine{{{0, 48}, {4, 41}, {8, 43}, {12, 48}}};
    for (const auto &[step, midi] : bassLine)
        strike(track, {step * eighth, noteFrequency(midi), 0.5, 0.01}, bass);
    const std::vector<Partial> longVibe{{1.0, 1.0, 1.6}, {4.0, 0.15, 0.12}, {10.0, 0.04, 0.03}};
    for (int midi : {72, 76, 79, 84})
        strike(track, {12 * eighth, noteFrequency(midi), midi == 84 ? 0.5 : 0.32, 0.004, 0.35}, longVibe);
    addRoom(track, 0.25, 1.4);
    finish(track, 0.62, 0.004, 0.05);
}

// Cue 3, a new game and leaving: four glockenspiel notes rising through a major chord.
void chime(Track &track)
{
    const std::vector<Partial> bar{{1.0, 1.0, 1.0}, {2.756, 0.25, 0.3}, {5.404, 0.08, 0.08}};
    const std::array<int, 4> notes{72, 76, 79, 84};
    for (std::size_t i = 0; i < notes.size(); ++i)
        strike(track, {0.11 * static_cast<double>(i), noteFrequency(notes[i]), i == 3 ? 0.9 : 0.7}, bar);
    addRoom(track, 0.25, 1.3);
    finish(track, 0.6, 0.003, 0.04);
}

// Cue 4, the Black List: a dark two-hit sting, a short pick-up and a minor chord that
// dies away.
void sting(Track &track)
{
    const std::array<int, 4> chord{50, 57, 62, 65}; // D3 A3 D4 F4
    for (int midi : chord)
        blow(track, {0.0, 0.07, noteFrequency(midi - 2), 0.45, 0.6, 0.04});
    for (int midi : chord) {
        const double f = noteFrequency(midi);
        // Two slightly detuned voices make the chord sound like a section, not a buzzer.
        blow(track, {0.16, 0.95, f * 1.003, 0.45, 0.7, 0.1});
        blow(track, {0.16, 0.95, f / 1.003, 0.45, 0.7, 0.1});
    }
    blow(track, {0.16, 0.95, noteFrequency(38), 0.5, 0.7, 0.1});
    tap(track, 0.16, 0.25, 0.02, 0.2, 0x4b1d);
    addRoom(track, 0.2, 1.0);
    finish(track, 0.7, 0.003, 0.03);
}

// Cue 5, a move: a soft wooden knock with a low body, like a piece set on a board.
void move(Track &track)
{
    const std::vector<Partial> wood{{1.0, 1.0, 0.16}, {3.93, 0.22, 0.03}, {9.2, 0.05, 0.008}};
    strike(track, {0.0, noteFrequency(55), 0.8, 0.003}, wood);
    track.add(0.0, track.seconds(), [](double t) {
        // The thud: a low sine whose pitch falls from 120 Hz to 70 Hz as it settles.
        const double phase = twoPi * (70.0 * t + 50.0 * 0.03 * (1.0 - std::exp(-t / 0.03)));
        const double attack = 1.0 - std::exp(-t / 0.002);
        return 0.6 * attack * std::exp(-t / 0.09) * std::sin(phase);
    });
    tap(track, 0.0, 0.3, 0.004, 0.25, 0x5eed);
    finish(track, 0.55, 0.002, 0.02);
}

// Cue 6, a selection: a short, soft tick with a little ring.
void select(Track &track)
{
    const std::vector<Partial> tick{{1.0, 1.0, 0.04}, {2.4, 0.3, 0.008}};
    strike(track, {0.0, noteFrequency(81), 1.0, 0.002}, tick);
    tap(track, 0.0, 0.15, 0.002, 0.5, 0x7a11);
    finish(track, 0.42, 0.002, 0.012);
}

void put16(std::vector<unsigned char> &out, std::uint32_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xff));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
}

void put32(std::vector<unsigned char> &out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putTag(std::vector<unsigned char> &out, const char (&tag)[5])
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(tag[i]));
}

std::vector<unsigned char> waveFile(const CueFormat &format, const Track &track)
{
    const std::uint32_t blockAlign = format.bitsPerSample / 8;
    const bool pad = format.dataBytes % 2 != 0; // RIFF chunks start on even offsets
    const std::uint32_t fileBytes = 44 + format.dataBytes + (pad ? 1 : 0);

    std::vector<unsigned char> out;
    out.reserve(fileBytes);
    putTag(out, "RIFF");
    put32(out, fileBytes - 8);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, static_cast<std::uint32_t>(format.sampleRate));
    put32(out, static_cast<std::uint32_t>(format.sampleRate) * blockAlign);
    put16(out, blockAlign);
    put16(out, static_cast<std::uint32_t>(format.bitsPerSample));
    putTag(out, "data");
    put32(out, format.dataBytes);
    for (std::size_t i = 0; i < track.size(); ++i) {
        const double s = std::clamp(track[i], -1.0, 1.0);
        if (format.bitsPerSample == 8) {
            // Unsigned 8-bit: 128 is silence.
            out.push_back(static_cast<unsigned char>(std::clamp(128 + static_cast<int>(std::lround(s * 127.0)), 0, 255)));
        } else {
            const auto v = static_cast<std::int16_t>(std::lround(s * 32767.0));
            put16(out, static_cast<std::uint16_t>(v));
        }
    }
    if (pad)
        out.push_back(0);
    return out;
}

bool writeCue(const std::string &folder, const CueFormat &format)
{
    const std::size_t frames = format.dataBytes / (format.bitsPerSample / 8);
    Track track(format.sampleRate, frames);
    switch (format.id) {
    case 1: victory(track); break;
    case 2: about(track); break;
    case 3: chime(track); break;
    case 4: sting(track); break;
    case 5: move(track); break;
    case 6: select(track); break;
    default: return false;
    }
    const std::vector<unsigned char> bytes = waveFile(format, track);
    if (bytes.size() != format.fileBytes) {
        std::fprintf(stderr, "soundgen: cue %d came out %zu bytes, not %u\n", format.id, bytes.size(),
                     format.fileBytes);
        return false;
    }
    const std::string path = folder + "/" + std::to_string(format.id) + ".wav";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    for (const CueFormat &format : CueFormats)
        if (!writeCue(argv[1], format))
            return 1;
    return 0;
}
