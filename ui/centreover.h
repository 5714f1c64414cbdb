// Where a window opens over its owner. Qt's own placing of a dialog works from the owner's
// native position, which a borderless window shown a moment ago may not have yet, and
// allows for a frame like the owner's where a borderless window has none.
#pragma once

class QWidget;

// Centres window, frame included, over the whole of owner's window and keeps it on
// owner's screen. Does nothing without an owner.
void centreOverOwner(QWidget *window, const QWidget *owner);
