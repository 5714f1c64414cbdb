// Where a borderless window opens over its owner. Qt's own placing of a dialog allows for
// a frame like the owner's; a window without one would land that far up and to the left.
#pragma once

class QWidget;

// Centres window over the whole of owner's window, frame included, and keeps it on
// owner's screen. Does nothing without an owner.
void centreOverOwner(QWidget *window, const QWidget *owner);
