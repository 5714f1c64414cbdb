// Form4, the results window of a won game: the time, the steps and the rank banner over
// the painted captions, and "&Great" to close it. Modeless, without an owner, borderless.
#pragma once

#include "ui/controlarray.h"
#include "ui/imagecell.h"

#include <QLabel>
#include <QToolButton>
#include <QWidget>

#include <functional>

class Form4 final : public QWidget
{
    Q_OBJECT

public:
    // unload: destroys this window (the window slot's unload).
    explicit Form4(std::function<void()> unload);

    // Fills the window for a win: the banner of rank 1..3, the time and the steps.
    void showResult(int rank, const QString &time, const QString &steps);

    QLabel *waktulbl = nullptr;    // waktu = time
    QLabel *langkahlbl = nullptr;  // langkah = step
    ImageCell *Image1 = nullptr;   // the rank banner
    ControlArray<QPixmap, 1, 3> pic; // GENIUS, SMART, STUPID
    QToolButton *Command1 = nullptr; // "&Great"

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override; // Return presses "&Great", as Space does

private:
    void Command1_Click();

    QPixmap m_background;
    std::function<void()> m_unload;
};
