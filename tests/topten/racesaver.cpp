// One copy of the game's top ten for the race test: loads the table as the game does at
// start, says "ready", waits for "go" on its input, then saves a win under the given name.
// Every box it would show is printed; the exit code is 0 only when there was none.
//   racesaver <settings folder> <name> <steps>
#include "topten/toptenlist.h"
#include "topten/qsettingsstore.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QSettings>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

class ScriptedDialogs final : public Dialogs
{
public:
    explicit ScriptedDialogs(QString name)
        : m_name(std::move(name))
    {
    }
    Answer showMessage(const QString &prompt, DialogButtons, const QString &title) override
    {
        ++reports;
        std::printf("REPORT %s: %s\n", qPrintable(title), qPrintable(prompt));
        std::fflush(stdout);
        return Answer::Ok;
    }
    QString askText(const QString &, const QString &, const QString &) override { return m_name; }

    int reports = 0;

private:
    QString m_name;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[1]));
#ifdef Q_OS_WIN
    // The store's file there.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[1]));
#endif
    QSettingsStore store;
    ScriptedDialogs dialogs(QString::fromLocal8Bit(argv[2]));
    TopTenList hi(store, dialogs);
    hi.load();

    std::printf("ready\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);

    hi.setNewResult(StoredScore(std::stoll(argv[3])));
    hi.considerNewResult();
    if (!hi.newResultAdded())
        return 3;
    hi.save();
    return dialogs.reports == 0 ? 0 : 1;
}
