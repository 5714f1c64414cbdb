// AboutWindow, the about window: the credits picture with "OK" and "&System Info...". It shows
// no frame; the system-information lookup behind the second button lives in platform/sysinfo.
#pragma once

#include "ui/picturedialog.h"

class Dialogs;
class Launcher;
class QPushButton;
class Registry;

class AboutWindow final : public PictureDialog
{
    Q_OBJECT

public:
    // owner is the main window it opens over.
    AboutWindow(Dialogs &dialogs, Registry &registry, Launcher &launcher, QWidget *owner);

    QPushButton *okButton = nullptr;
    QPushButton *sysInfoButton = nullptr;

    void sysInfoClicked();

protected:
    // OK is also the cancel button: Escape presses it.
    void keyPressEvent(QKeyEvent *event) override;

private:
    Dialogs &m_dialogs;
    Registry &m_registry;
    Launcher &m_launcher;
};
