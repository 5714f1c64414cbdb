// The results window of a won game: the time, the steps and the rank banner over
// the painted captions, and "&Great" to close it. Modeless, without an owner, borderless.
#pragma once

#include "ui/numberedarray.h"

#include <QLabel>
#include <QToolButton>
#include <QWidget>

class ResultsWindow final : public QWidget
{
    Q_OBJECT

public:
    ResultsWindow();

    // Fills the window for a win: the banner of rank 1..3, the time and the steps.
    void showResult(int rank, const QString &time, const QString &steps);

    QLabel *timeLabel = nullptr;
    QLabel *stepsLabel = nullptr;
    QLabel *rankBanner = nullptr;
    NumberedArray<QPixmap, 1, 3> rankPictures; // GENIUS, SMART, STUPID
    QToolButton *greatButton = nullptr;        // "&Great"

signals:
    // Closed by "&Great" or the window manager; its window slot unloads it.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override; // Return presses "&Great", as Space does

private:
    QImage m_background;
};
