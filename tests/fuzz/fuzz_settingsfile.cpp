// libFuzzer target for the whole settings file: the input is written as Tobrinel.conf in
// a private folder, and the game's own path runs over it (the top ten loaded through the
// real store, a win entered and saved). After each run the file is read back as the next
// start would read it, and checked against what the Black List showed: ten rows, each
// stored result shown with the same name and score, each damaged row kept as the text it
// was and never read as a result. A broken property prints what broke and aborts.
#include "topten/toptenlist.h"
#include "topten/qsettingsstore.h"
#include "platform/dialogs.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void check(bool holds, const char *what, const QString &detail = QString())
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s %s\n", what, qPrintable(detail));
    std::abort();
}

// Every report is answered OK, and the nickname asked for is always "Fuzz".
class ScriptedDialogs final : public Dialogs
{
public:
    Answer showMessage(const QString &prompt, DialogButtons buttons, const QString &title) override
    {
        reports << title + QStringLiteral(": ") + prompt;
        return buttons == DialogButtons::YesNo ? Answer::No : Answer::Ok;
    }
    QString askText(const QString &, const QString &, const QString &) override { return QStringLiteral("Fuzz"); }

    QStringList reports;
};

// The folder stands in for the player's configuration folder; temporary files of the
// store go under it too, so each run starts from nothing.
struct Folder
{
    QTemporaryDir root;
    QString config;
    QString conf;
};

Folder *folder = nullptr;

void resetFolder()
{
    QDir(folder->config).removeRecursively();
    QDir().mkpath(folder->config + QStringLiteral("/Tobrinel"));
    QDir tmp(folder->root.filePath(QStringLiteral("tmp")));
    tmp.removeRecursively();
    QDir().mkpath(tmp.path());
}

// The keys of section HiScores in the file, read from a copy so that Qt's cache of the
// file itself cannot answer.
QStringList storedKeys()
{
    const QString copy = folder->root.filePath(QStringLiteral("copy.conf"));
    QFile::remove(copy);
    QFile::copy(folder->conf, copy);
    QSettings settings(copy, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("HiScores"));
    return settings.childKeys();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString describe(const TopTenEntry &entry)
{
    if (entry.damaged)
        return QStringLiteral("damaged ") + (entry.storedText ? *entry.storedText : QStringLiteral("(no text)"));
    return entry.name.text() + QLatin1Char('|') + entry.score.toString();
}

bool sameShown(const TopTenEntry &a, const TopTenEntry &b)
{
    if (a.damaged != b.damaged || !(a.name == b.name))
        return false;
    return a.damaged ? a.storedText == b.storedText : a.score == b.score;
}

// Between two rows of a saved list: the weaker stands first, a damaged row before any result.
bool inOrder(const TopTenEntry &weaker, const TopTenEntry &stronger)
{
    if (weaker.damaged || stronger.damaged)
        return weaker.damaged;
    return !(weaker.score < stronger.score);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    // Qt's warnings about the hostile variants it meets would bury libFuzzer's own output.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    folder = new Folder;
    check(folder->root.isValid(), "no temporary folder");
    folder->config = folder->root.filePath(QStringLiteral("config"));
    folder->conf = folder->config + QStringLiteral("/Tobrinel/Tobrinel.conf");
    qputenv("XDG_CONFIG_HOME", folder->config.toLocal8Bit());
    qputenv("TMPDIR", folder->root.filePath(QStringLiteral("tmp")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->config);
    check(QSettingsStore::fileName(QStringLiteral("Tobrinel")) == folder->conf, "the store looks elsewhere",
          QSettingsStore::fileName(QStringLiteral("Tobrinel")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    resetFolder();
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(folder->conf);
        check(file.open(QIODevice::WriteOnly) && file.write(input) == input.size(), "cannot write the input");
    }

    // As the game runs it: the list loaded at start, a win of 46 to 85 steps (chosen by the
    // input's length so that runs differ), the list saved if it entered.
    ScriptedDialogs dialogs;
    QSettingsStore store;
    TopTenList shown(store, dialogs);
    shown.load();
    shown.setNewResult(StoredScore(46 + std::int64_t(size % 40)));
    shown.considerNewResult();
    bool saveFailed = false;
    if (shown.newResultAdded()) {
        const qsizetype before = dialogs.reports.size();
        shown.save();
        for (qsizetype i = before; i < dialogs.reports.size(); ++i)
            saveFailed = saveFailed || dialogs.reports[i].contains(QStringLiteral("could not be added"));
    }

    if (saveFailed) {
        // A save that failed leaves the old file byte for byte.
        check(readFile(folder->conf) == input, "a failed save changed the file");
        return 0;
    }

    if (shown.newResultAdded()) {
        // Ten rows written, but for a key that could not be read (kept in the old file, set aside).
        const QStringList keys = storedKeys();
        for (std::size_t i = 0; i < shown.entries().size(); ++i) {
            const bool leftOut = shown.entries()[i].damaged && !shown.entries()[i].storedText;
            check(leftOut || keys.contains(QString::number(i)), "a row of the list was not stored",
                  QString::number(i) + QStringLiteral(" of ") + keys.join(QLatin1Char(',')));
        }
        for (std::size_t i = 0; i + 1 < shown.entries().size(); ++i)
            check(inOrder(shown.entries()[i], shown.entries()[i + 1]), "the saved list is out of order",
                  describe(shown.entries()[i]) + QStringLiteral(" before ") + describe(shown.entries()[i + 1]));
    }

    // The next start: what it reads must be what the list showed, row by row.
    ScriptedDialogs nextDialogs;
    QSettingsStore nextStore;
    TopTenList next(nextStore, nextDialogs);
    next.load();
    bool anyDamaged = false;
    for (std::size_t i = 0; i < shown.entries().size(); ++i) {
        const TopTenEntry &was = shown.entries()[i];
        const TopTenEntry &now = next.entries()[i];
        anyDamaged = anyDamaged || was.damaged;
        // A key that could not be read at all is left out of the new file (the old file
        // is kept aside), so the next start reads the default entry there.
        const bool keyLeftOut = shown.newResultAdded() && was.damaged && !was.storedText && !now.damaged;
        check(sameShown(was, now) || keyLeftOut, "the next start reads another row",
              QString::number(i) + QStringLiteral(": shown ") + describe(was) + QStringLiteral(", read ")
                  + describe(now));
    }
    // A list of results only reads back without a report.
    if (!anyDamaged)
        check(nextDialogs.reports.isEmpty(), "a clean list reads back with a report",
              nextDialogs.reports.join(QLatin1Char('\n')));
    return 0;
}
