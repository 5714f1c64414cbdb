// The system's own file check and detached process start.
#pragma once

#include "platform/launcher.h"

class SystemLauncher final : public Launcher
{
public:
    bool fileExists(const QString &path) override;
    bool startDetached(const QString &program) override;
};
