// The real dialogs: QMessageBox (without an icon but for a note) and QInputDialog, modal to
// the program.
#pragma once

#include "platform/dialogs.h"

// The caption of a message box that has no title of its own.
inline constexpr const char *ApplicationTitle = "Tobrinel";

class QtDialogs final : public Dialogs
{
public:
    Answer showMessage(const QString &prompt, DialogButtons buttons, const QString &title = QString()) override;
    void showNote(const QString &prompt) override;
    QString askText(const QString &prompt, const QString &title, const QString &defaultText) override;
};
