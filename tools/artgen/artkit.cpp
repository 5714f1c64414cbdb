// The shared painting kit: canvas, noise, text outlines, gradients and the letter effects.
#include "artkit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace artgen {

Canvas::Canvas(QSize logicalSize, qreal scale, bool transparent)
    : m_scale(scale)
    , m_image(QSize(qRound(logicalSize.width() * scale), qRound(logicalSize.height() * scale)),
              QImage::Format_RGBA64_Premultiplied)
{
    m_image.fill(transparent ? Qt::transparent : Qt::black);
}

std::unique_ptr<QPainter> Canvas::painter()
{
    auto p = std::make_unique<QPainter>(&m_image);
    p->setRenderHint(QPainter::Antialiasing);
    p->setRenderHint(QPainter::SmoothPixmapTransform);
    p->scale(m_scale, m_scale);
    return p;
}

void Canvas::shade(const std::function<Rgbf(double, double)> &colourAt)
{
    auto channel = [](double v) { return quint16(std::clamp(std::lround(v * 65535), 0L, 65535L)); };
    for (int j = 0; j < m_image.height(); ++j) {
        auto *line = reinterpret_cast<QRgba64 *>(m_image.scanLine(j));
        const double y = (j + 0.5) / m_scale;
        for (int i = 0; i < m_image.width(); ++i) {
            const Rgbf c = colourAt((i + 0.5) / m_scale, y);
            line[i] = qRgba64(channel(c.r), channel(c.g), channel(c.b), 65535);
        }
    }
}

QImage Canvas::opaqueImage() const
{
    // Each channel is rounded as the grey level, in steps of two, plus its offset from the
    // grey in whole steps. On smooth ground (gradients, glows, textures) the three channels
    // then change together on fewer pixels and the offsets hardly change at all, which PNG
    // stores in about a third fewer bytes than channels that step apart one by one. The cost,
    // at most a step and a half per channel, does not show.
    QImage out(m_image.size(), QImage::Format_RGB32);
    auto level = [](double v) { return std::clamp(int(std::lround(v)), 0, 255); };
    for (int j = 0; j < m_image.height(); ++j) {
        const auto *in = reinterpret_cast<const QRgba64 *>(m_image.constScanLine(j));
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(j));
        for (int i = 0; i < m_image.width(); ++i) {
            const double r = in[i].red() / 257.0, g = in[i].green() / 257.0, b = in[i].blue() / 257.0;
            const double grey = (r + g + b) / 3;
            const auto base = 2 * std::lround(grey / 2);
            line[i] = qRgb(level(double(base + std::lround(r - grey))), level(double(base + std::lround(g - grey))),
                           level(double(base + std::lround(b - grey))));
        }
    }
    return out;
}

Rgbf lerp(Rgbf a, Rgbf b, double t)
{
    t = clamp01(t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgbf rgbf(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

NoiseField::NoiseField(QSize logicalSize, double period, int octaves, std::uint32_t seed, QPointF offset)
    : m_width(logicalSize.width() + 2)
    , m_height(logicalSize.height() + 2)
    , m_values(std::size_t(m_width) * std::size_t(m_height))
{
    for (int j = 0; j < m_height; ++j)
        for (int i = 0; i < m_width; ++i)
            m_values[std::size_t(j) * std::size_t(m_width) + std::size_t(i)] =
                float(fractalNoise(i / period + offset.x(), j / period + offset.y(), octaves, seed));
}

double NoiseField::at(double x, double y) const
{
    x = std::clamp(x, 0.0, m_width - 1.001);
    y = std::clamp(y, 0.0, m_height - 1.001);
    const int i = int(x), j = int(y);
    const double tx = x - i, ty = y - j;
    const float *row = &m_values[std::size_t(j) * std::size_t(m_width) + std::size_t(i)];
    const double top = row[0] + (row[1] - row[0]) * tx;
    const double bottom = row[m_width] + (row[m_width + 1] - row[m_width]) * tx;
    return top + (bottom - top) * ty;
}

double Random::next()
{
    // splitmix64: tiny, fast and the same on every platform.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return double(z >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

double latticeValue(std::int32_t ix, std::int32_t iy, std::uint32_t seed)
{
    std::uint32_t h = std::uint32_t(ix) * 374761393U + std::uint32_t(iy) * 668265263U + seed * 2246822519U;
    h = (h ^ (h >> 13)) * 1274126177U;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

} // namespace

double valueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = std::int32_t(fx), iy = std::int32_t(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = latticeValue(ix, iy, seed), b = latticeValue(ix + 1, iy, seed);
    const double c = latticeValue(ix, iy + 1, seed), d = latticeValue(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fractalNoise(double x, double y, int octaves, std::uint32_t seed)
{
    double sum = 0, amplitude = 0.5, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * valueNoise(x, y, seed + std::uint32_t(o) * 101U);
        total += amplitude;
        x = x * 2.03 + 17.1;
        y = y * 2.03 + 5.3;
        amplitude *= 0.5;
    }
    return sum / total;
}

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

namespace {

constexpr qreal designSize = 200;

QFont designFont(const QString &family, qreal pixelSize, int weight, qreal letterSpacing, bool italic)
{
    QFont font(family);
    font.setPixelSize(int(designSize));
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    if (letterSpacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing * designSize / pixelSize);
    return font;
}

} // namespace

QPainterPath textPath(const QString &family, qreal pixelSize, const QString &text, int weight,
                      qreal letterSpacing, bool italic)
{
    QPainterPath path;
    path.addText(0, 0, designFont(family, pixelSize, weight, letterSpacing, italic), text);
    return QTransform::fromScale(pixelSize / designSize, pixelSize / designSize).map(path);
}

std::vector<QPainterPath> letterPaths(const QString &family, qreal pixelSize, const QString &text, int weight,
                                      qreal letterSpacing)
{
    const QFont font = designFont(family, pixelSize, weight, letterSpacing, false);
    const QFontMetricsF metrics(font);
    const QTransform down = QTransform::fromScale(pixelSize / designSize, pixelSize / designSize);
    std::vector<QPainterPath> letters;
    qreal x = 0;
    for (const QChar c : text) {
        QPainterPath letter;
        letter.addText(x, 0, font, QString(c));
        letters.push_back(down.map(letter));
        x += metrics.horizontalAdvance(c);
    }
    return letters;
}

QPainterPath placed(const QPainterPath &path, const QRectF &box, Qt::Alignment alignment)
{
    const QRectF r = path.boundingRect();
    qreal dx = box.left() - r.left();
    if (alignment & Qt::AlignHCenter)
        dx = box.center().x() - r.center().x();
    else if (alignment & Qt::AlignRight)
        dx = box.right() - r.right();
    qreal dy = box.top() - r.top();
    if (alignment & Qt::AlignVCenter)
        dy = box.center().y() - r.center().y();
    else if (alignment & Qt::AlignBottom)
        dy = box.bottom() - r.bottom();
    return path.translated(dx, dy);
}

namespace {

template <typename Gradient>
Gradient withStops(Gradient gradient, std::initializer_list<QGradientStop> stops)
{
    for (const QGradientStop &stop : stops)
        gradient.setColorAt(stop.first, stop.second);
    return gradient;
}

} // namespace

QLinearGradient linearGradient(QPointF from, QPointF to, std::initializer_list<QGradientStop> stops)
{
    return withStops(QLinearGradient(from, to), stops);
}

QRadialGradient radialGradient(QPointF centre, qreal radius, std::initializer_list<QGradientStop> stops)
{
    return withStops(QRadialGradient(centre, radius), stops);
}

void paintShine(QPainter &p, const QPainterPath &shape, const QColor &colour, qreal width, QPointF offset)
{
    p.save();
    p.setClipPath(shape);
    p.setPen(QPen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape.translated(offset));
    p.restore();
}

void paintPressed(QPainter &p, const QPainterPath &shape, const QColor &face, const QColor &under, QPointF offset)
{
    p.setPen(Qt::NoPen);
    p.setBrush(under);
    p.drawPath(shape.translated(offset));
    p.setBrush(face);
    p.drawPath(shape);
}

void paintEngravedLine(QPainter &p, QPointF from, QPointF to, const QColor &groove, const QColor &lip)
{
    const QPointF below(0, 1.6);
    p.setPen(QPen(groove, 1.2));
    p.drawLine(from, to);
    p.setPen(QPen(lip, 1.0));
    p.drawLine(from + below, to + below);
}

void paintGlow(QPainter &p, const QPainterPath &shape, const QColor &colour, qreal radius, int rings)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = rings; i >= 1; --i) {
        QColor c = colour;
        const double t = double(i) / rings;
        c.setAlphaF(float(colour.alphaF() * (1 - t) * (1 - t) * 0.9 + 0.02));
        p.setPen(QPen(c, 2 * radius * t, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.fillPath(shape, colour);
    p.restore();
}

void paintExtruded(QPainter &p, const QPainterPath &shape, const QBrush &face, const QColor &side,
                   QPointF depth, const QColor &outline, qreal outlineWidth)
{
    p.save();
    const qreal length = std::hypot(depth.x(), depth.y());
    const int steps = std::max(1, int(std::ceil(length * 2)));
    p.setPen(QPen(side.darker(140), outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape.translated(depth));
    p.setPen(Qt::NoPen);
    for (int i = steps; i >= 1; --i) {
        const double t = double(i) / steps;
        p.setBrush(side.darker(100 + int(30 * t)));
        p.drawPath(shape.translated(depth * t));
    }
    p.setBrush(face);
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
    p.restore();
}

void paintShadow(QPainter &p, const QPainterPath &shape, QPointF offset, qreal softness, int alpha)
{
    p.save();
    const int rings = 5;
    const QPainterPath moved = shape.translated(offset);
    const QColor shade(0, 0, 0, alpha / (rings + 1));
    for (int i = rings; i >= 0; --i) {
        const qreal grow = softness * i / rings;
        p.setBrush(shade);
        p.setPen(grow > 0 ? QPen(shade, 2 * grow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
        p.drawPath(moved);
    }
    p.restore();
}

namespace {

QImage crisp(const QImage &smooth, const std::function<QRgb(int, int)> &backdropAt, double threshold)
{
    QImage in = smooth.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(in.size(), QImage::Format_ARGB32);
    out.setDevicePixelRatio(smooth.devicePixelRatio());
    const int cut = int(std::lround(threshold * 255));
    for (int y = 0; y < in.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(in.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < in.width(); ++x) {
            const int a = qAlpha(src[x]);
            if (a < cut || a == 0) {
                dst[x] = 0;
                continue;
            }
            const QRgb back = backdropAt(x, y);
            const int inv = 255 - a;
            dst[x] = qRgba(qRed(src[x]) + (qRed(back) * inv + 127) / 255,
                           qGreen(src[x]) + (qGreen(back) * inv + 127) / 255,
                           qBlue(src[x]) + (qBlue(back) * inv + 127) / 255, 255);
        }
    }
    return out;
}

} // namespace

QImage withCrispAlpha(const QImage &smooth, const QColor &backdrop, double threshold)
{
    const QRgb back = backdrop.rgb();
    return crisp(smooth, [back](int, int) { return back; }, threshold);
}

QImage withCrispAlpha(const QImage &smooth, const QImage &backdrop, double threshold)
{
    const QImage b = backdrop.convertToFormat(QImage::Format_RGB32);
    return crisp(smooth, [&b](int x, int y) { return b.pixel(x, y); }, threshold);
}

} // namespace artgen
