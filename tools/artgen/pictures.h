// Every picture the game shows, each painted at any whole scale from the same code, and
// the catalogue that names them as the windows load them.
#pragma once

#include "artkit.h"
#include "ui/windowlayout.h"

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
// The pictures leave room for them; the previews draw them to check that. The places come
// from ui/windowlayout.h, which the windows read too.
namespace layout {
inline constexpr QRect stepLabel = MainLayout::Steps.as<QRect>();
inline constexpr QRect timeCaption = MainLayout::TimeCaption.as<QRect>();
inline constexpr QRect timeLabel = MainLayout::Time.as<QRect>();
inline constexpr QRect resultsTime = ResultsLayout::Time.as<QRect>();
inline constexpr QRect resultsSteps = ResultsLayout::Steps.as<QRect>();
inline constexpr QRect resultsBanner = ResultsLayout::Banner.as<QRect>();
inline constexpr QRect resultsButton = ResultsLayout::Button.as<QRect>();
inline constexpr int blackListRows = BlackListLayout::Rows;
inline constexpr QRect blackListName = BlackListLayout::Name.as<QRect>();  // row 0
inline constexpr QRect blackListScore = BlackListLayout::Score.as<QRect>();
inline constexpr QRect blackListClear = BlackListLayout::Clear.as<QRect>();
inline constexpr QRect blackListClose = BlackListLayout::Close.as<QRect>();
inline constexpr QRect aboutOk = AboutLayout::Ok.as<QRect>();
inline constexpr QRect aboutSysInfo = AboutLayout::SysInfo.as<QRect>();
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
