#include "fakes.h"

Answer FakeDialogs::showMessage(const QString &prompt, DialogButtons buttons, const QString &title)
{
    calls.push_back({QStringLiteral("showMessage"), prompt, title, static_cast<int>(buttons), QString()});
    if (onMessage)
        onMessage();
    if (answers.empty()) {
        ++unexpected;
        return buttons == DialogButtons::Ok ? Answer::Ok : Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeDialogs::showNote(const QString &prompt)
{
    calls.push_back({QStringLiteral("showNote"), prompt, QString(), -1, QString()});
}

QString FakeDialogs::askText(const QString &prompt, const QString &title, const QString &defaultText)
{
    calls.push_back({QStringLiteral("askText"), prompt, title, -1, defaultText});
    if (inputAnswers.empty()) {
        ++unexpected;
        return QString();
    }
    QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

QStringList FakeDialogs::reportTitles() const
{
    QStringList titles;
    for (const Call &call : calls)
        if (call.kind == QLatin1String("showMessage") && call.buttons == static_cast<int>(DialogButtons::Ok))
            titles << call.title;
    return titles;
}

QStringList FakeDialogs::notes() const
{
    QStringList shown;
    for (const Call &call : calls)
        if (call.kind == QLatin1String("showNote"))
            shown << call.prompt;
    return shown;
}

QString MemoryStore::path(const QString &app, const QString &section, const QString &key)
{
    return app + QLatin1Char('/') + section + QLatin1Char('/') + key;
}

QString storedKey(int index)
{
    return MemoryStore::path(QStringLiteral("Tobrinel"), QStringLiteral("HiScores"), QString::number(index));
}

int RecordingPlatform::hardLink(const QString &existing, const QString &newName)
{
    calls << QStringLiteral("hardLink ") + newName;
    return hardLinkError != 0 ? hardLinkError : systemPlatform().hardLink(existing, newName);
}

int RecordingPlatform::renameOver(const QString &from, const QString &to)
{
    calls << QStringLiteral("renameOver ") + to;
    return systemPlatform().renameOver(from, to);
}

int RecordingPlatform::syncFolder(const QString &folder)
{
    if (beforeSync)
        beforeSync();
    calls << QStringLiteral("syncFolder ") + folder;
    return systemPlatform().syncFolder(folder);
}

QString RecordingPlatform::errorText(int error)
{
    return systemPlatform().errorText(error);
}

bool FakeLauncher::fileExists(const QString &path)
{
    asked << path;
    return files.contains(path);
}

bool FakeLauncher::startDetached(const QString &program)
{
    started << program;
    return files.contains(program);
}

std::vector<StoredValue> MemoryStore::readSection(const QString &app, const QString &section,
                                                  const QStringList &keys, const QString &defaultText)
{
    if (failGets)
        throw StoreError("The settings store cannot be read.");
    std::vector<StoredValue> read;
    for (const QString &key : keys)
        read.push_back(StoredValue{values.value(path(app, section, key), defaultText), QString()});
    return read;
}

QString MemoryStore::updateSection(const QString &app, const QString &section, const QStringList &keys,
                                   const QString &defaultText, const SectionChange &change)
{
    if (busy)
        throw StoreBusy("Another copy of the game holds the store.");
    const std::vector<std::optional<QString>> texts = change(readSection(app, section, keys, defaultText));
    for (qsizetype i = 0; i < keys.size() && i < qsizetype(texts.size()); ++i) {
        if (!texts[i])
            continue;
        if (!failOnSaveKey.isNull() && keys[i] == failOnSaveKey)
            throw StoreError("The settings store cannot be written.");
        values.insert(path(app, section, keys[i]), *texts[i]);
    }
    return note;
}

void MemoryStore::keepWaiting(const QString &, const QStringList &texts)
{
    kept << texts;
}

QStringList MemoryStore::takeWaiting(const QString &)
{
    taken << kept;
    kept.clear();
    return taken;
}

void MemoryStore::releaseWaiting(const QString &)
{
    taken.clear();
}

QString MemoryStore::clearSection(const QString &app, const QString &section)
{
    const QString prefix = app + QLatin1Char('/') + section + QLatin1Char('/');
    bool found = false;
    for (auto it = values.begin(); it != values.end();) {
        if (it.key().startsWith(prefix)) {
            it = values.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    if (!found)
        throw StoreError("The section does not exist.");
    return note;
}

QString MemoryStore::location(const QString &app)
{
    return QStringLiteral("the settings of %1").arg(app);
}

void RecordingCuePlayer::play(Cue cue)
{
    cues.push_back(cue);
    if (onPlay)
        onPlay(cue);
}


void RecordingView::showResults(int rank, const QString &time, const QString &steps)
{
    results.push_back({rank, time, steps});
    events << QStringLiteral("results %1 %2 %3").arg(rank).arg(time, steps);
}

void RecordingView::load(WindowId form)
{
    events << QStringLiteral("load ") + formName(form);
}

void RecordingView::showModal(WindowId form)
{
    events << QStringLiteral("modal ") + formName(form);
    if (onModal)
        onModal(form);
}

void RecordingView::unload(WindowId form)
{
    events << QStringLiteral("unload ") + formName(form);
}

void RecordingView::showInFront(WindowId form)
{
    events << QStringLiteral("front ") + formName(form);
}

QString RecordingView::cellsText() const
{
    QString text;
    for (int k = FirstCell; k <= LastCell; ++k) {
        if (k == SharedCell)
            text += QLatin1Char(' ');
        const Shown shown = cells[k];
        const char piece = shown.piece == Piece::Ball ? 'b' : shown.piece == Piece::Tile ? 't' : '.';
        text += shown.selected ? QChar::fromLatin1(piece).toUpper() : QChar::fromLatin1(piece);
        if (k == 9)
            text += QLatin1Char(' ');
    }
    return text;
}

QString cueName(Cue cue)
{
    switch (cue) {
    case Cue::Victory: return QStringLiteral("Victory");
    case Cue::About: return QStringLiteral("About");
    case Cue::NewGame: return QStringLiteral("NewGame");
    case Cue::BlackList: return QStringLiteral("BlackList");
    case Cue::Move: return QStringLiteral("Move");
    case Cue::Select: return QStringLiteral("Select");
    }
    return QString::number(static_cast<int>(cue));
}

QString formName(WindowId form)
{
    switch (form) {
    case WindowId::Main: return QStringLiteral("MainWindow");
    case WindowId::Instructions: return QStringLiteral("InstructionsWindow");
    case WindowId::BlackList: return QStringLiteral("BlackListWindow");
    case WindowId::Results: return QStringLiteral("ResultsWindow");
    case WindowId::About: return QStringLiteral("AboutWindow");
    case WindowId::YourGames: return QStringLiteral("YourGamesWindow");
    }
    return QString();
}
