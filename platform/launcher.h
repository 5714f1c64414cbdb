// How the about window starts another program. SystemLauncher is the real one; tests fake
// it so that nothing is ever started.
#pragma once

#include <QString>

// Finding a file and starting a program without waiting for it.
class Launcher
{
public:
    virtual ~Launcher() = default;
    virtual bool fileExists(const QString &path) = 0;
    virtual bool startDetached(const QString &program) = 0;
};
