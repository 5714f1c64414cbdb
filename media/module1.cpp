#include "media/module1.h"

#include <QCoreApplication>
#include <QFile>

void QtEventPass::run()
{
    QCoreApplication::processEvents();
}

QString soundResourcePath(Cue cue)
{
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
    m_output.start(m_soundBuffer);
    m_eventPass.run();
}
