// The real dialogs: QMessageBox (without an icon but for a note) and QInputDialog, modal to
// the program.
#pragma once

#include "ui/dialogs.h"

// The caption of a message box that has no title of its own.
inline constexpr const char *ApplicationTitle = "Tobrinel";

class QtDialogs final : public Dialogs
{
public:
    int MsgBox(const QString &prompt, MsgButtons buttons, const QString &title = QString()) override;
    void InfoBox(const QString &prompt) override;
    QString InputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    bool quitting() const override;
};
