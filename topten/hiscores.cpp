// The top-ten procedures: the table's round trip through the settings store, the test
// whether a result qualifies, the nickname entry and the selection sort.
#include "topten/hiscores.h"

#include "topten/settingsstore.h"
#include "ui/dialogs.h"

#include <exception>
#include <stdexcept>
#include <utility>

namespace {

QString appTitle() { return QStringLiteral("Tobrinel"); }
QString section() { return QStringLiteral("HiScores"); }
QString key(int index) { return QString::number(index); }

QString defaultName() { return QStringLiteral("Zenlor"); }
constexpr std::int64_t DefaultScore = 3600;

} // namespace

modHiScores::modHiScores(SettingsStore &store, Dialogs &dialogs)
    : m_store(store)
    , m_dialogs(dialogs)
{
    TopTen.fill(TopTenEntry{Decimal(DefaultScore), NickName(defaultName())});
}

// The one place that catches everything: the procedure's failure is shown to the player
// under the procedure's own name and the program carries on from its caller.
template <class Body>
void modHiScores::reportFailures(const char *procedure, Body &&body)
{
    QString description;
    try {
        std::forward<Body>(body)();
        return;
    } catch (const std::exception &failure) {
        description = QString::fromUtf8(failure.what());
    } catch (...) {
        description = QStringLiteral("An unknown error occurred.");
    }
    m_dialogs.MsgBox(description, MsgButtons::OkOnly, QString::fromLatin1(procedure));
}

void modHiScores::LoadTopTenBoard()
{
    reportFailures("LoadTopTenBoard", [this] {
        // A damaged entry must not cost the good ones after it: it keeps its score (and
        // its name, when there is none to read), the rest are read, and the first failure
        // is reported once for the whole load.
        QString firstFailure;
        int failures = 0;
        const QString defaultValue = defaultName() + Decimal(DefaultScore).toString();
        for (int i = 0; i < int(TopTen.size()); ++i) {
            try {
                const QString value = m_store.get(appTitle(), section(), key(i), defaultValue);
                const qsizetype nameLength = NickName::lengthOfCharacters(value, NickName::Length);
                TopTen[i].Name = NickName(value.left(nameLength));
                TopTen[i].Score = Decimal::parse(value.mid(nameLength));
            } catch (const std::runtime_error &failure) {
                if (failures++ == 0)
                    firstFailure = QString::fromUtf8(failure.what());
            }
        }
        if (failures > 1)
            firstFailure += failures == 2 ? QStringLiteral(" (1 more stored entry could not be read either.)")
                                          : QStringLiteral(" (%1 more stored entries could not be read either.)")
                                                .arg(failures - 1);
        if (failures > 0)
            throw std::runtime_error(firstFailure.toStdString());
    });
}

void modHiScores::SaveTopTen()
{
    reportFailures("SaveTopTen", [this] {
        for (int i = 0; i < int(TopTen.size()); ++i)
            m_store.save(appTitle(), section(), key(i), TopTen[i].Name.text() + TopTen[i].Score.toString());
    });
}

void modHiScores::ClearTopTen()
{
    reportFailures("ClearTopTen", [this] { m_store.deleteSection(appTitle(), section()); });
}

void modHiScores::CheckTopTen()
{
    reportFailures("CheckTopTen", [this] {
        NewEntryAdded = false;
        for (int n = int(TopTen.size()) - 1; n >= 0; --n) {
            if (NewEntry.Score < TopTen[n].Score) {
                AddTopTen();
                return;
            }
        }
    });
}

void modHiScores::AddTopTen()
{
    reportFailures("AddTopTen", [this] {
        TopTen[0].Score = NewEntry.Score;
        QString nick;
        do {
            nick = m_dialogs.InputBox(QStringLiteral("What's your nick name ?? (max 6 character)"),
                                      QStringLiteral("Selamat yaa, kong !!"), QStringLiteral("Pocong"));
        } while (nick.isEmpty() || NickName::characterCount(nick) > NickName::Length);
        TopTen[0].Name = NickName(nick);
        SortTopTen();
        NewEntryAdded = true;
    });
}

void modHiScores::SortTopTen()
{
    reportFailures("SortTopTen", [this] {
        // A plain selection sort with a swap, on purpose: it is not stable, and which of two
        // equal scores is shown first is decided by exactly this (5 A, 5 B, 7 C sorts to
        // 7 C, 5 B, 5 A).
        const int size = int(TopTen.size());
        for (int i = 0; i < size - 1; ++i) {
            int candidate = i;
            Decimal maximum = TopTen[i].Score;
            for (int j = i + 1; j < size; ++j) {
                if (TopTen[j].Score > maximum) {
                    candidate = j;
                    maximum = TopTen[j].Score;
                }
            }
            std::swap(TopTen[i], TopTen[candidate]);
        }
    });
}
