// Every picture the game shows, each painted at any whole scale from the same code, and
// the catalogue that names them as the windows load them.
#pragma once

#include "artkit.h"

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace artgen {

QImage paintBoard(const Faces &faces, qreal scale);
QImage paintPiecePicture(bool tile, bool selected, qreal scale);
QImage paintIcon(int side, qreal scale);
QImage paintTick(int side, qreal scale);
QImage paintResults(const Faces &faces, qreal scale);
QImage paintBanner(const Faces &faces, int rank, qreal scale);
// Glossy bubbles scattered over area, the ground of the black list and the about box.
void paintBubbles(QPainter &p, const QRectF &area, int count, std::uint64_t seed, QColor tint, qreal minR, qreal maxR);

QImage paintBlackList(const Faces &faces, qreal scale);
QImage paintInstructions(const Faces &faces, qreal scale);
QImage paintAbout(const Faces &faces, qreal scale);

// Where the windows put their labels, images and buttons over the pictures, in 1x pixels.
// The pictures leave room for them; the previews draw them to check that.
namespace layout {
inline constexpr QRect stepLabel{16, 136, 76, 45};
inline constexpr QRect timeCaption{296, 128, 44, 16};
inline constexpr QRect timeLabel{344, 128, 57, 16};
inline constexpr QRect resultsTime{224, 88, 92, 18};
inline constexpr QRect resultsSteps{224, 134, 28, 18};
inline constexpr QRect resultsBanner{248, 200, 121, 54};
inline constexpr QRect resultsButton{312, 296, 65, 57};
inline constexpr int blackListRows = 10;
inline constexpr QRect blackListName{48, 120, 73, 17};  // row 0; each row 16 lower
inline constexpr QRect blackListScore{208, 120, 65, 17};
inline constexpr QRect blackListClear{48, 328, 49, 25};
inline constexpr QRect blackListClose{224, 328, 49, 25};
inline constexpr QRect aboutOk{8, 208, 84, 23};
inline constexpr QRect aboutSysInfo{96, 208, 83, 23};
} // namespace layout

struct Picture
{
    QString name;    // resource name without ".png"
    QSize size;      // at 1x
    bool hiDpiTwin;  // also written as name@2x.png and name@3x.png
    std::function<QImage(qreal scale)> paint;
};

std::vector<Picture> catalogue(const Faces &faces);

} // namespace artgen
