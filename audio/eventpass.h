// One pass of the event loop, the seam SoundPlayer runs after starting a cue. SoundPlayer's tests
// fake it to see when it runs; QtEventPass runs Qt's.
#pragma once

class EventPass
{
public:
    virtual ~EventPass() = default;
    virtual void run() = 0;
};

class QtEventPass final : public EventPass
{
public:
    void run() override;
};
