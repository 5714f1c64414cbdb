// The modal message box and text box that every question and report of the game goes
// through. The game uses QtDialogs; tests script their own answers.
#pragma once

#include <QString>

enum class DialogButtons { Ok, OkCancel, YesNo };

// What the player answered. Cancel also stands for a box closed without an answer.
enum class Answer { Ok, Cancel, Yes, No };

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Without a title the caption is the application title.
    virtual Answer showMessage(const QString &prompt, DialogButtons buttons, const QString &title = QString()) = 0;

    // Something the player should know that is not a failure (a damaged file kept aside):
    // an OK-only box under the application title, with the information icon where the
    // dialogs have icons.
    virtual void showNote(const QString &prompt) { showMessage(prompt, DialogButtons::Ok); }

    // The edited text on OK, "" on Cancel.
    virtual QString askText(const QString &prompt, const QString &title, const QString &defaultText) = 0;

    // The game is ending (a logout, a closed terminal, Ctrl+C): a box asks nothing any more
    // and returns at once, a text box with the text typed so far. A question that would
    // ask again for a better answer must stop and take what it has.
    virtual bool quitting() const { return false; }
};
