// QtAudioOutput: the worker's thread, made at the first cue and ended when the output goes;
// and the moment to step around the audio library's teardown at exit (audioexit.h).

#include "audio/audiooutput.h"

#include "audio/audioexit.h"
#include "audio/audioworker.h"
#include "audio/moduleloader.h"

#include <QDeadlineTimer>
#include <QMetaObject>
#include <QThread>

#include <utility>

QtAudioOutput::QtAudioOutput(QString moduleFolder)
    : m_moduleFolder(std::move(moduleFolder))
{
}

QtAudioOutput::~QtAudioOutput()
{
    if (!m_thread)
        return;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->close(); }, Qt::QueuedConnection);
    if (m_thread->wait(QDeadlineTimer(shutdownWaitMs))) {
        delete m_thread;
        // Registered now, after the audio library's statics, so it runs before them.
        if (audioLibraryLoaded())
            skipStaticTeardownAtExit();
        return;
    }
    // The worker is stuck inside the audio library (a frozen server). Destroying a running
    // QThread aborts the program, so the thread and its worker are left to the end of the
    // process instead of holding it up, and that end skips the teardown that would abort.
    skipStaticTeardownAtExit();
}

void QtAudioOutput::start(const QByteArray &wav)
{
    if (!m_thread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("tobrinel-audio"));
        m_worker = new AudioWorker(m_moduleFolder);
        m_worker->moveToThread(m_thread);
        QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        m_thread->start();
    }
    m_worker->post(wav);
}
