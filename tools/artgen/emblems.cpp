// The small pictures: the application icon, a ball striped in blue, white and grey, and
// the black tick on the results window's button.
#include "pictures.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace artgen {

QImage paintIcon(int side, qreal scale)
{
    const int pixels = int(std::lround(side * scale));
    // Big icons have pixels small enough to need less smoothing.
    const int subsamples = pixels >= 128 ? 2 : 4;
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    const double centre = pixels / 2.0, radius = pixels * 0.46;
    const int stripes = 5;
    for (int j = 0; j < pixels; ++j) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(j));
        for (int i = 0; i < pixels; ++i) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sj = 0; sj < subsamples; ++sj) {
                for (int si = 0; si < subsamples; ++si) {
                    const double u = (i + (si + 0.5) / subsamples - centre) / radius;
                    const double v = (j + (sj + 0.5) / subsamples - centre) / radius;
                    const double d2 = u * u + v * v;
                    if (d2 > 1)
                        continue;
                    const double nz = std::sqrt(1 - d2), nx = u, ny = -v;
                    // Bands of equal width on a ball turned a little and tipped towards the
                    // viewer, so they slant and curve round it.
                    const double turn = 0.35, tip = 0.45;
                    const double ry = ny * std::cos(turn) + nx * std::sin(turn);
                    const double across = ry * std::cos(tip) + nz * std::sin(tip);
                    const int band = std::clamp(int((across + 1) / 2 * stripes), 0, stripes - 1);
                    static const double palette[3][3] = {{0.10, 0.32, 0.88}, {0.97, 0.97, 0.98}, {0.56, 0.58, 0.62}};
                    // blue, white, grey, white, blue... from one side to the other
                    static const int order[4] = {0, 1, 2, 1};
                    const double *albedo = palette[order[band % 4]];
                    const double lx = -0.5, ly = 0.62, lz = 0.6;
                    const double diffuse = std::max(0.0, (nx * lx + ny * ly + nz * lz) / std::sqrt(lx * lx + ly * ly + lz * lz));
                    const double hx = lx, hy = ly, hz = lz + 1.0, hl = std::sqrt(hx * hx + hy * hy + hz * hz);
                    const double specular = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hl), 30) * 0.7;
                    const double level = 0.25 + 0.75 * diffuse;
                    const double rim = std::clamp((std::sqrt(d2) - 0.92) / 0.08, 0.0, 1.0);
                    double cr = albedo[0] * level + specular, cg = albedo[1] * level + specular, cb = albedo[2] * level + specular;
                    cr += (0.05 - cr) * rim;
                    cg += (0.08 - cg) * rim;
                    cb += (0.20 - cb) * rim;
                    r += cr;
                    g += cg;
                    b += cb;
                    ++covered;
                }
            }
            const double n = subsamples * subsamples;
            const int a = int(std::lround(covered / n * 255));
            auto channel = [n, a](double v) { return std::clamp(int(std::lround(v / n * 255)), 0, a); };
            line[i] = qRgba(channel(r), channel(g), channel(b), a);
        }
    }
    return image;
}

QImage paintTick(int side, qreal scale)
{
    Canvas canvas(QSize(side, side), scale, true);
    auto p = canvas.painter();
    p->scale(side / 32.0, side / 32.0);
    QPainterPath tick;
    tick.moveTo(5, 17);
    tick.lineTo(12.5, 25);
    tick.cubicTo(16, 17, 21, 10, 28, 5);
    // A hair of white round the black keeps it readable on a dark button.
    p->setPen(QPen(QColor(255, 255, 255, 160), 7.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->drawPath(tick);
    p->setPen(QPen(Qt::black, 5.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->drawPath(tick);
    p->end();
    return canvas.image().convertToFormat(QImage::Format_ARGB32);
}

} // namespace artgen
