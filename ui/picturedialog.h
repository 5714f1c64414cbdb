// The modal windows owned by the main window (instructions, about, black list): no frame,
// a fixed size, their picture drawn unscaled from the top-left, centred over the owner.
#pragma once

#include <QDialog>
#include <QImage>

class PictureDialog : public QDialog
{
    Q_OBJECT

public:
    // picture names one of the game's pictures, as for artImage().
    PictureDialog(QWidget *owner, const QString &title, QSize size, const QString &picture);
    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QImage m_picture;
};
