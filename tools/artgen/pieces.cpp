// Spheres are shaded per sample rather than with gradients so that the pattern follows the
// curve of the ball and the light and shade fall on it as on a real object.
#include "pieces.h"

#include "artkit.h"
#include "ui/boardlayout.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace artgen {

namespace {

struct Vec
{
    double x, y, z;
};

double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec normalised(Vec v)
{
    const double l = std::sqrt(dot(v, v));
    return {v.x / l, v.y / l, v.z / l};
}

// The ball is turned a little towards the viewer's top left, so the pattern shows its
// roundness instead of a flat face.
Vec toPatternFrame(Vec n)
{
    const double pitch = 0.42, yaw = -0.38;
    const double cp = std::cos(pitch), sp = std::sin(pitch), cy = std::cos(yaw), sy = std::sin(yaw);
    const Vec a{n.x, n.y * cp - n.z * sp, n.y * sp + n.z * cp};
    return {a.x * cy + a.z * sy, a.y, -a.x * sy + a.z * cy};
}

// 1 for white, 0 for black.
double checkerboard(Vec q)
{
    constexpr double pi = std::numbers::pi;
    const double lon = std::atan2(q.x, q.z);
    const double lat = std::asin(std::clamp(q.y, -1.0, 1.0));
    const int a = int(std::floor(lon / (pi / 6)));
    const int b = int(std::floor(lat / (pi / 6)));
    return ((a + b) & 1) ? 1.0 : 0.0;
}

// Nested squares on each face of a cube blown up into the sphere; the faces meet on black.
double nestedSquares(Vec q)
{
    const double ax = std::abs(q.x), ay = std::abs(q.y), az = std::abs(q.z);
    double s, t;
    if (az >= ax && az >= ay) {
        s = q.x / az;
        t = q.y / az;
    } else if (ax >= ay) {
        s = q.z / ax;
        t = q.y / ax;
    } else {
        s = q.x / ay;
        t = q.z / ay;
    }
    const double d = std::max(std::abs(s), std::abs(t));
    return (int(std::floor(d * 3.999)) & 1) ? 0.0 : 1.0;
}

struct Rgb
{
    double r, g, b;
};

Rgb sphereSample(PieceKind kind, bool selected, double u, double v)
{
    const Vec n{u, -v, std::sqrt(std::max(0.0, 1 - u * u - v * v))};
    const Vec q = toPatternFrame(n);
    const double white = kind == PieceKind::Ball ? checkerboard(q) : nestedSquares(q);

    // The two kinds differ in lightness as well as in pattern, so that a glance (or a grey
    // screenshot) tells them apart: the ball is light, its dark squares a charcoal grey; the
    // tile is dark, its light squares a dim grey. Selected pieces are tinted cyan and lit up.
    const bool ball = kind == PieceKind::Ball;
    Rgb albedo;
    if (selected)
        albedo = ball ? (white > 0.5 ? Rgb{0.72, 1.0, 1.0} : Rgb{0.10, 0.55, 0.66})
                      : (white > 0.5 ? Rgb{0.20, 0.68, 0.80} : Rgb{0.0, 0.17, 0.25});
    else
        albedo = ball ? (white > 0.5 ? Rgb{0.97, 0.97, 0.98} : Rgb{0.42, 0.42, 0.44})
                      : (white > 0.5 ? Rgb{0.44, 0.44, 0.46} : Rgb{0.05, 0.05, 0.06});

    const Vec light = normalised({-0.5, 0.62, 0.62});
    const Vec half = normalised({light.x, light.y, light.z + 1});
    const double diffuse = std::max(0.0, dot(n, light));
    const double specular = std::pow(std::max(0.0, dot(n, half)), 36) * 0.75;
    const double bounce = 0.10 * std::max(0.0, -n.y) * std::max(0.0, n.z);
    const double lightLevel = 0.30 + 0.70 * diffuse + bounce;
    Rgb c{albedo.r * lightLevel + specular, albedo.g * lightLevel + specular, albedo.b * lightLevel + specular};

    // A thin dark rim keeps the edge crisp against the light board.
    const double r = std::sqrt(u * u + v * v);
    const double rim = std::clamp((r - 0.93) / 0.07, 0.0, 1.0);
    const Rgb edge = selected ? Rgb{0.0, 0.18, 0.24} : Rgb{0.12, 0.12, 0.14};
    return {c.r + (edge.r - c.r) * rim, c.g + (edge.g - c.g) * rim, c.b + (edge.b - c.b) * rim};
}

} // namespace

QImage renderPiece(PieceKind kind, bool selected, int side, bool crisp)
{
    constexpr int subsamples = 4;
    const double scale = side / cellSide;
    const double centre = cellSide / 2;
    const double radius = 20.5;
    // The selection ring: bright inside, dark outside so it reads on light and dark ground.
    const double ringInner = 18.8, ringBright = 21.5, ringOuter = 22.4;

    QImage smooth(side, side, QImage::Format_ARGB32_Premultiplied);
    for (int j = 0; j < side; ++j) {
        auto *line = reinterpret_cast<QRgb *>(smooth.scanLine(j));
        for (int i = 0; i < side; ++i) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sj = 0; sj < subsamples; ++sj) {
                for (int si = 0; si < subsamples; ++si) {
                    const double x = (i + (si + 0.5) / subsamples) / scale - centre;
                    const double y = (j + (sj + 0.5) / subsamples) / scale - centre;
                    const double d = std::hypot(x, y);
                    Rgb c;
                    if (selected && d >= ringInner && d <= ringOuter) {
                        const double top = std::clamp(0.5 - y / (2 * ringOuter), 0.0, 1.0);
                        c = d <= ringBright ? Rgb{0.80 + 0.2 * top, 1.0, 1.0} : Rgb{0.0, 0.16, 0.26};
                    } else if (d <= radius) {
                        c = sphereSample(kind, selected, x / radius, y / radius);
                    } else {
                        continue;
                    }
                    r += c.r;
                    g += c.g;
                    b += c.b;
                    ++covered;
                }
            }
            const double n = subsamples * subsamples;
            auto channel = [n](double v) { return std::clamp(int(std::lround(v / n * 255)), 0, 255); };
            const int a = std::clamp(int(std::lround(covered / n * 255)), 0, 255);
            line[i] = qRgba(std::min(channel(r), a), std::min(channel(g), a), std::min(channel(b), a), a);
        }
    }
    return crisp ? withCrispAlpha(smooth, pieceBackdrop) : smooth;
}

const std::array<BoardLine, 12> boardLines{{
    {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 4, 7}, {2, 5, 8}, {3, 6, 9},
    {9, 10, 11}, {12, 13, 14}, {15, 16, 17}, {9, 12, 15}, {10, 13, 16}, {11, 14, 17},
}};

QPointF cellTopLeft(int cell)
{
    const CellPlace &place = CellTwips.at(std::size_t(cell - 1));
    return {qreal(twipsToPixels(place.left)), qreal(twipsToPixels(place.top))};
}

QPointF cellCentre(int cell) { return cellTopLeft(cell) + QPointF(cellSide / 2, cellSide / 2); }

void paintBoardGrid(QPainter &p, const QTransform &placement, qreal tubeWidth, bool rightDiamond)
{
    const qreal unit = std::sqrt(std::abs(placement.determinant()));
    const qreal w = tubeWidth * unit;
    const std::size_t lines = rightDiamond ? boardLines.size() : 6;
    QPainterPath tubes;
    for (std::size_t i = 0; i < lines; ++i) {
        const BoardLine &l = boardLines[i];
        tubes.moveTo(placement.map(cellCentre(l[0])));
        tubes.lineTo(placement.map(cellCentre(l[1])));
        tubes.lineTo(placement.map(cellCentre(l[2])));
    }
    const int firstCell = 1, lastCell = rightDiamond ? cellCount : 9;

    p.save();
    p.setBrush(Qt::NoBrush);
    // Shadow on the marble, down and to the right of the light.
    for (int k = 3; k >= 1; --k) {
        p.setPen(QPen(QColor(40, 30, 60, 34), w + k * 1.6 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tubes.translated(2.2 * unit, 3.0 * unit));
    }
    // Sockets: a shallow round hollow at each cell, so an empty cell reads as a place.
    for (int c = firstCell; c <= lastCell; ++c) {
        const QPointF centre = placement.map(cellCentre(c));
        const qreal r = 17.5 * unit;
        p.setPen(QPen(QColor(240, 238, 246), 1.2 * unit));
        p.setBrush(radialGradient(centre + QPointF(2 * unit, 3 * unit), r * 1.15,
                                  {{0.0, QColor(206, 202, 214)}, {0.75, QColor(176, 170, 188)},
                                   {1.0, QColor(120, 112, 138)}}));
        p.drawEllipse(centre, r, r);
        p.setPen(QPen(QColor(96, 88, 112), 1.0 * unit));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 30 * 16, 200 * 16);
    }
    // The tube: dark body, then lighter and narrower strokes up to a highlight nudged
    // towards the light, which gives it its round, polished look.
    const struct
    {
        QColor colour;
        qreal width;
        QPointF shift;
    } layers[] = {
        {QColor(78, 66, 100), 1.0, {0, 0}},
        {QColor(128, 116, 154), 0.80, {-0.2, -0.3}},
        {QColor(172, 162, 198), 0.60, {-0.45, -0.6}},
        {QColor(212, 204, 232), 0.38, {-0.7, -0.9}},
        {QColor(248, 246, 255), 0.14, {-0.9, -1.2}},
    };
    for (const auto &layer : layers) {
        p.setPen(QPen(layer.colour, w * layer.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tubes.translated(layer.shift * unit * tubeWidth / 9));
    }
    // A polished knob where lines cross, so every cell also shows on the tubes.
    for (int c = firstCell; c <= lastCell; ++c) {
        const QPointF centre = placement.map(cellCentre(c));
        const qreal r = 0.75 * w;
        p.setPen(QPen(QColor(70, 58, 92), 0.6 * unit));
        p.setBrush(radialGradient(centre - QPointF(r * 0.35, r * 0.45), r * 1.2,
                                  {{0.0, QColor(255, 255, 255)}, {0.35, QColor(206, 196, 230)},
                                   {1.0, QColor(92, 80, 118)}}));
        p.drawEllipse(centre, r, r);
    }
    p.restore();
}

void paintPieceAt(QPainter &p, const QTransform &placement, int cell, PieceKind kind, bool selected,
                  qreal deviceScale)
{
    const QRectF target = placement.mapRect(QRectF(cellTopLeft(cell), QSizeF(cellSide, cellSide)));
    const int side = std::max(4, int(std::lround(target.width() * deviceScale)));
    p.drawImage(target, renderPiece(kind, selected, side, false));
}

} // namespace artgen
