// The instructions window: the picture, and a click that closes it.
#include "ui/instructionswindow.h"

#include "media/art/picturenames.h"
#include "ui/windowlayout.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

// The rules as the picture paints them, Indonesian first, then English: the upper panel
// shows the moves, the lower one the start and the goal. Keep in step with the picture.
const char *const MovesCaption =
    "Gerakkan bidak seperti pada gambar: geser ke kotak sebelahnya, atau lompati satu bidak ke kotak kosong "
    "di baliknya. Move the pieces as the picture shows: slide one to the next cell, or jump over one piece "
    "into the empty cell beyond.";
const char *const GoalCaption =
    "Ubahlah susunan di gambar kiri menjadi susunan di gambar kanan. Turn the arrangement on the left into "
    "the one on the right.";

// Text that a screen reader finds where the picture paints it: a label with no text of its
// own, so it draws nothing, that lets every click through to the window.
void addReadableText(QWidget *window, const QRect &place, const char *text)
{
    auto *area = new QLabel(window);
    area->setGeometry(place);
    area->setAttribute(Qt::WA_TransparentForMouseEvents);
    area->setAccessibleName(QString::fromUtf8(text));
}

} // namespace

InstructionsWindow::InstructionsWindow(QWidget *owner)
    : PictureDialog(owner, QStringLiteral("Instructions"), WindowSizes::Instructions.window.as<QSize>(), pictures::instructions)
{
    // The two panels, one above the other, a pixel's line between them.
    constexpr int width = WindowSizes::Instructions.window.width;
    constexpr int panel = WindowSizes::Instructions.window.height / 2;
    addReadableText(this, QRect(0, 0, width, panel), MovesCaption);
    addReadableText(this, QRect(0, panel + 1, width, panel), GoalCaption);
    setAccessibleDescription(QString::fromUtf8(MovesCaption) + QLatin1Char(' ') + QString::fromUtf8(GoalCaption));
}

void InstructionsWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        close(); // its window slot unloads it
}
