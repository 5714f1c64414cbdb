// frmAbout, the about window: the credits picture with "OK" and "&System Info...". It shows
// no frame; the system-information lookup behind the second button lives in platform/sysinfo.
#pragma once

#include "ui/picturedialog.h"

#include <cstdint>

class Dialogs;
class Launcher;
class QPushButton;
class Registry;

class frmAbout final : public PictureDialog
{
    Q_OBJECT

public:
    // owner is the main window it opens over.
    frmAbout(Dialogs &dialogs, Registry &registry, Launcher &launcher, QWidget *owner);

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

    void cmdOK_Click();
    void cmdSysInfo_Click();

    void StartSysInfo();
    bool GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

protected:
    // OK is also the cancel button: Escape presses it.
    void keyPressEvent(QKeyEvent *event) override;

private:
    Dialogs &m_dialogs;
    Registry &m_registry;
    Launcher &m_launcher;
};
