// Module1: the sound module. PlaySound fetches a cue from the resources into SoundBuffer,
// hands it to the output and runs one event pass; QtEventPass is that pass for real.
#include "media/module1.h"

#include <QCoreApplication>
#include <QFile>

void QtEventPass::run()
{
    QCoreApplication::processEvents();
}

// The cues are linked as an object file of their own; referring to its init function
// (declared at namespace scope) is what keeps the linker from leaving it out.
static void registerSounds()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tobrinel_sounds);
        return true;
    }();
    Q_UNUSED(registered);
}

QString soundResourcePath(Cue cue)
{
    registerSounds();
    return QStringLiteral(":/SOUNDS/%1").arg(static_cast<int>(cue));
}

Module1::Module1(SoundOutput &output, EventPass &eventPass)
    : m_output(output)
    , m_eventPass(eventPass)
{
}

void Module1::PlaySound(Cue cue)
{
    QFile resource(soundResourcePath(cue));
    m_soundBuffer = resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
    // A cue is never worth stopping the game for: whatever the output does, the game goes on.
    try {
        m_output.start(m_soundBuffer);
    } catch (...) {
    }
    m_eventPass.run();
}
