// The audio module is looked for only in places found from the program's own, and loaded
// by a short-lived thread at a lower priority than the rest of the program.

#include "audio/moduleloader.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

#include <atomic>
#include <thread>

#if defined(Q_OS_LINUX)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// The audio module's factory, from the folder the owner named (tests, which run from
// folders of their own, name the build tree), from beside the program (as built), or from
// the library folder of the tree it is installed in. Only places found from the program's
// own: a folder compiled in could be made by anyone where it does not exist. It is never
// unloaded: the audio library's threads outlive any one cue.
AudioBackendFactory findBackendFactory(const QString &moduleFolder)
{
    const QString home = QCoreApplication::applicationDirPath();
    QStringList places{home, home + QStringLiteral("/../lib/tobrinel")};
    if (!moduleFolder.isEmpty())
        places.prepend(moduleFolder);
    for (const QString &place : places) {
        QLibrary module(place + QStringLiteral("/tobrinel_audio"));
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (const auto factory = reinterpret_cast<AudioBackendFactory>(module.resolve(AudioBackendEntry)))
            return factory;
    }
    return nullptr;
}

// Set once the audio module is in the process; it stays for the rest of the run.
std::atomic<bool> libraryLoaded{false};

} // namespace

// Loading the audio library is some milliseconds of work that no one waits for. A thread of
// its own does it at a lower priority (nice 10), so that it yields a core to the window
// thread and the X server while they answer a click, and is still never starved. The worker,
// and the sound server's threads that its sink makes later, keep the normal priority.
std::unique_ptr<AudioBackend> loadAudioBackend(const QString &moduleFolder)
{
    AudioBackendFactory factory = nullptr;
    std::thread loader([&factory, &moduleFolder] {
#if defined(Q_OS_LINUX)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#endif
        factory = findBackendFactory(moduleFolder);
    });
    loader.join();
    std::unique_ptr<AudioBackend> backend(factory ? factory() : nullptr);
    libraryLoaded = backend != nullptr;
    return backend;
}

bool audioLibraryLoaded()
{
    return libraryLoaded;
}
