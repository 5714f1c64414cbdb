// The modal message box and input box that every question and report of the game goes
// through. The game uses QtDialogs; tests script their own answers.
#pragma once

#include <QString>

enum class MsgButtons { OkOnly = 0, OkCancel = 1, YesNo = 4 };

// The answers callers test. Any other value (Cancel, No, the box closed) is a refusal.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Without a title the caption is the application title.
    virtual int MsgBox(const QString &prompt, MsgButtons buttons, const QString &title = QString()) = 0;

    // Something the player should know that is not a failure (a damaged file kept aside):
    // an OK-only box under the application title, with the information icon where the
    // dialogs have icons.
    virtual void InfoBox(const QString &prompt) { MsgBox(prompt, MsgButtons::OkOnly); }

    // The edited text on OK, "" on Cancel.
    virtual QString InputBox(const QString &prompt, const QString &title, const QString &defaultText) = 0;

    // The game is ending (a logout, a closed terminal, Ctrl+C): a box asks nothing any more
    // and returns at once, an input box with the text typed so far. A question that would
    // ask again for a better answer must stop and take what it has.
    virtual bool quitting() const { return false; }
};
