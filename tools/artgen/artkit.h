// The painting kit every picture of the game is made with: a canvas that is drawn in the
// picture's own (1x) pixel units whatever the output resolution, a deterministic noise and
// random source, outlined text, gradients, glows, shines, extruded letters, and the step
// that turns a smooth picture into one with a single transparent colour.
#pragma once

#include <QColor>
#include <QGradient>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace artgen {

// The family names of the faces loaded from media/fonts/.
struct Faces
{
    QString script; // the title lettering
    QString heavy;  // headlines and 3-D letters
    QString sans;   // small print
};

// A colour with channels from 0 to 1, for per-pixel work.
struct Rgbf
{
    double r, g, b;
};
Rgbf lerp(Rgbf a, Rgbf b, double t);
Rgbf rgbf(int r, int g, int b);

// A picture in the making, kept at 16 bits per channel until it is finished. Vector work goes through painter(), which is scaled so that one
// unit is one pixel of the 1x picture; per-pixel work through shade(), which hands the
// function the 1x coordinates of each device pixel's centre. Both resolutions therefore come
// from the same code and line up exactly.
class Canvas final
{
public:
    Canvas(QSize logicalSize, qreal scale, bool transparent = false);

    QImage &image() { return m_image; }
    qreal scale() const { return m_scale; }
    // The finished picture without alpha, rounded to 8 bits in a way that compresses well.
    QImage opaqueImage() const;

    std::unique_ptr<QPainter> painter();
    void shade(const std::function<Rgbf(double x, double y)> &colourAt);

private:
    qreal m_scale;
    QImage m_image;
};

// Deterministic pseudo-random numbers: the same seed gives the same picture on every run.
class Random final
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed ^ 0x9E3779B97F4A7C15ULL) {}
    double next(); // uniform in [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    std::uint64_t m_state;
};

// Smooth value noise in [0, 1] and its fractal sum; the seed picks an independent field.
double valueNoise(double x, double y, std::uint32_t seed);
double fractalNoise(double x, double y, int octaves, std::uint32_t seed);

// A fractal noise field sampled once on a grid of 1x pixels and interpolated in between:
// the same field at every resolution, and cheap enough to run in every build. Meant for
// fields whose finest detail is several pixels wide.
class NoiseField final
{
public:
    NoiseField(QSize logicalSize, double period, int octaves, std::uint32_t seed, QPointF offset = {});
    double at(double x, double y) const;

private:
    int m_width, m_height;
    std::vector<float> m_values;
};

double clamp01(double v);

// Text as an outline in 1x units, baseline at y = 0, starting at x = 0. Outlines are made
// unhinted at a large size and scaled down, so they do not depend on the output resolution.
QPainterPath textPath(const QString &family, qreal pixelSize, const QString &text,
                      int weight = 400, qreal letterSpacing = 0, bool italic = false);
// The same, one outline per character, each where it stands in the line; for lettering that
// colours its letters one by one.
std::vector<QPainterPath> letterPaths(const QString &family, qreal pixelSize, const QString &text,
                                      int weight = 400, qreal letterSpacing = 0);
// The path moved so that its bounding box is placed in box by the alignment.
QPainterPath placed(const QPainterPath &path, const QRectF &box, Qt::Alignment alignment);

// Gradients written in one expression: the geometry, then the stops as {position, colour}.
QLinearGradient linearGradient(QPointF from, QPointF to, std::initializer_list<QGradientStop> stops);
QRadialGradient radialGradient(QPointF centre, qreal radius, std::initializer_list<QGradientStop> stops);

// The shine of polished lettering: the shape's outline in colour, moved by offset (towards
// the shadow side) and clipped to the shape, so a thin light edge shows inside it on the
// side facing the light.
void paintShine(QPainter &p, const QPainterPath &shape, const QColor &colour, qreal width, QPointF offset);
// Lettering set into the ground: a copy in under, moved by offset, then the shape in face,
// both without an outline. A light copy below and to the right reads as pressed in. Leaves
// the pen off and the brush on face.
void paintPressed(QPainter &p, const QPainterPath &shape, const QColor &face, const QColor &under, QPointF offset);
// A line engraved in the ground: a groove in groove and, 1.6 pixels below it, its lit lower
// lip in lip.
void paintEngravedLine(QPainter &p, QPointF from, QPointF to, const QColor &groove, const QColor &lip);

// A soft halo around a shape, built from wide translucent strokes.
void paintGlow(QPainter &p, const QPainterPath &shape, const QColor &colour, qreal radius, int rings = 8);
// Letters with a solid side: the shape is repeated along depth in the side colour, then the
// face is drawn with the given brush and an outline.
void paintExtruded(QPainter &p, const QPainterPath &shape, const QBrush &face, const QColor &side,
                   QPointF depth, const QColor &outline, qreal outlineWidth);
// A soft, darker copy of the shape offset below it.
void paintShadow(QPainter &p, const QPainterPath &shape, QPointF offset, qreal softness, int alpha);

// Turns a picture with smooth alpha into one with a single transparent colour: pixels that
// are mostly covered become opaque, blended over the backdrop colour the picture will
// usually stand on; the rest become fully transparent.
QImage withCrispAlpha(const QImage &smooth, const QColor &backdrop, double threshold = 0.5);
// The same over a backdrop picture of the same size (the window it will be shown on).
QImage withCrispAlpha(const QImage &smooth, const QImage &backdrop, double threshold = 0.5);

} // namespace artgen
