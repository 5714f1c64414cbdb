// InstructionsWindow, the instructions window: one picture, no frame, no controls; a click anywhere
// closes it.
#pragma once

#include "ui/picturedialog.h"

class InstructionsWindow final : public PictureDialog
{
    Q_OBJECT

public:
    // owner is the main window it opens over.
    explicit InstructionsWindow(QWidget *owner);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
