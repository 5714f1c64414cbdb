// The six sound cues, by their resource numbers, and the one entry that plays them.
#pragma once

enum class Cue : short {
    Victory = 1,   // the goal is reached
    About = 2,     // the about window opens
    NewGame = 3,   // a new game begins, and the program is left
    BlackList = 4, // the black list is opened from the menu
    Move = 5,      // a piece moves
    Select = 6,    // the selection changes
};

// What the game's logic calls to play a cue. Every caller respects the Sound setting first. Tests of the
// logic fake this seam (RecordingCuePlayer) to see which cues were asked for; SoundPlayer is
// the real one, and plays to a SoundOutput (audio/soundoutput.h).
class CuePlayer
{
public:
    virtual ~CuePlayer() = default;
    virtual void play(Cue cue) = 0;
};
