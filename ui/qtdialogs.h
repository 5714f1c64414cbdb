// The real dialogs: QMessageBox (without an icon but for a note) and QInputDialog, modal to
// the program.
#pragma once

#include "platform/appname.h"
#include "platform/dialogs.h"


class QtDialogs final : public Dialogs
{
public:
    Answer showMessage(const QString &prompt, DialogButtons buttons, const QString &title = QString()) override;
    void showNote(const QString &prompt) override;
    QString askText(const QString &prompt, const QString &title, const QString &defaultText) override;
    bool quitting() const override;
};
