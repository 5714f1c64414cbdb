// The windows' controls are imitated with plain text and button shapes; only their places
// and sizes matter here.
#include "preview.h"

#include "pictures.h"
#include "pieces.h"
#include "ui/boardlayout.h"

#include <QFont>
#include <QPainter>

#include <cstdio>

namespace artgen {

namespace {

QFont labelFont(const QString &family, qreal pointSize)
{
    QFont f(family);
    f.setPixelSize(qRound(pointSize * 96 / 72));
    f.setWeight(QFont::Bold);
    return f;
}

void drawLabel(QPainter &p, const QRect &r, const QString &text, const QFont &font, QColor colour,
               Qt::Alignment alignment)
{
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, int(alignment), text);
}

void drawButton(QPainter &p, const QRect &r, const QString &text, const QFont &font)
{
    p.setPen(QColor(90, 90, 90));
    p.setBrush(QColor(236, 236, 236));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, text);
}

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    if (image.save(path))
        return true;
    std::fprintf(stderr, "artgen: cannot write the preview %s\n", qPrintable(path));
    return false;
}

QImage boardPreview(const Faces &faces, qreal scale)
{
    QImage image = paintBoard(faces, scale).copy(0, 0, qRound(ClientPixels * scale), qRound(ClientPixels * scale));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QString cells = QStringLiteral("bbtbbbtb.bttbtbtt");
    const int selectedCell = 6;
    for (int c = 1; c <= cellCount; ++c) {
        const QChar kind = cells.at(c - 1);
        if (kind == QLatin1Char('.'))
            continue;
        const QImage piece =
            renderPiece(kind == QLatin1Char('t') ? PieceKind::Tile : PieceKind::Ball, c == selectedCell,
                        qRound(cellSide * scale), true);
        p.drawImage(QRectF(cellTopLeft(c), QSizeF(cellSide, cellSide)), piece);
    }
    drawLabel(p, layout::stepLabel, QStringLiteral("46"), labelFont(faces.heavy, 24), QColor(128, 128, 128),
              Qt::AlignCenter);
    const QFont small = labelFont(faces.sans, 9.75);
    drawLabel(p, layout::timeCaption, QStringLiteral("Time :"), small, Qt::black, Qt::AlignLeft | Qt::AlignTop);
    drawLabel(p, layout::timeLabel, QStringLiteral("00:03:12"), small, Qt::black, Qt::AlignLeft | Qt::AlignTop);
    return image;
}

QImage resultsPreview(const Faces &faces, int rank)
{
    QImage image = paintResults(faces, 1);
    QPainter p(&image);
    p.drawImage(layout::resultsBanner.topLeft(), paintBanner(faces, rank, 1));
    const QFont font = labelFont(faces.sans, 13.5);
    drawLabel(p, layout::resultsTime, QStringLiteral("00:03:12"), font, Qt::black, Qt::AlignLeft | Qt::AlignTop);
    drawLabel(p, layout::resultsSteps, QStringLiteral("46"), font, Qt::black, Qt::AlignLeft | Qt::AlignTop);
    drawButton(p, layout::resultsButton, QStringLiteral("\n\nGreat"), labelFont(faces.sans, 8.25));
    return image;
}

QImage blackListPreview(const Faces &faces)
{
    QImage image = paintBlackList(faces, 1);
    QPainter p(&image);
    const QStringList names{QStringLiteral("Mimi  "), QStringLiteral("Zenlor"), QStringLiteral("WWWWWW")};
    for (int i = 0; i < layout::blackListRows; ++i) {
        drawLabel(p, BlackListLayout::row(BlackListLayout::Name, i).as<QRect>(), names.at(i % names.size()),
                  labelFont(faces.sans, 9.75), Qt::black, Qt::AlignCenter);
        drawLabel(p, BlackListLayout::row(BlackListLayout::Score, i).as<QRect>(), i ? QStringLiteral("3600") : QStringLiteral("57"),
                  labelFont(faces.sans, 8.25), Qt::black, Qt::AlignCenter);
    }
    const QFont button = labelFont(faces.sans, 8.25);
    drawButton(p, layout::blackListClear, QStringLiteral("Clear"), button);
    drawButton(p, layout::blackListClose, QStringLiteral("Oehh"), button);
    return image;
}

QImage aboutPreview(const Faces &faces)
{
    QImage image = paintAbout(faces, 1);
    QPainter p(&image);
    const QFont button = labelFont(faces.sans, 8.25);
    drawButton(p, layout::aboutOk, QStringLiteral("OK"), button);
    drawButton(p, layout::aboutSysInfo, QStringLiteral("System Info..."), button);
    return image;
}

} // namespace

bool writePreviews(const Faces &faces, const QDir &dir)
{
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(dir.path()));
        return false;
    }
    bool ok = save(boardPreview(faces, 1), dir, QStringLiteral("board-preview.png"));
    for (const int ratio : {2, 3})
        ok = save(boardPreview(faces, ratio), dir, QStringLiteral("board-preview@%1x.png").arg(ratio)) && ok;
    for (int rank = 1; rank <= 3; ++rank)
        ok = save(resultsPreview(faces, rank), dir, QStringLiteral("results-preview-%1.png").arg(rank)) && ok;
    ok = save(blackListPreview(faces), dir, QStringLiteral("blacklist-preview.png")) && ok;
    ok = save(aboutPreview(faces), dir, QStringLiteral("about-preview.png")) && ok;
    return ok;
}

} // namespace artgen
