// One pass of the event loop, the seam Module1 runs after starting a cue. Module1's tests
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
