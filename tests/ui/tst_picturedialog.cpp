// Where the instructions, about and black-list windows open, under the offscreen
// platform: centred over their owner wherever it stands, and kept on the screen. All
// three take it from the one dialog they are built on (PictureDialog).
#include "ui/blacklistwindow.h"
#include "topten/toptenlist.h"
#include "ui/instructionswindow.h"
#include "ui/aboutwindow.h"
#include "platform/systemregistry.h"

#include "fakes.h"

#include <QScreen>
#include <QTest>

#include <memory>

namespace {

enum class Window { Instructions, About, BlackList };

// The window and what it needs, owned by the owner given.
struct Opened
{
    FakeDialogs dialogs;
    MemoryStore store;
    TopTenList topTen{store, dialogs};
    SystemRegistry registry;
    FakeLauncher launcher;
    std::unique_ptr<QDialog> dialog;

    Opened(Window window, QWidget *owner)
    {
        switch (window) {
        case Window::Instructions:
            dialog = std::make_unique<InstructionsWindow>(owner);
            break;
        case Window::About:
            dialog = std::make_unique<AboutWindow>(dialogs, registry, launcher, owner);
            break;
        case Window::BlackList:
            dialog = std::make_unique<BlackListWindow>(topTen, dialogs, owner);
            break;
        }
        dialog->show();
    }
};

} // namespace

Q_DECLARE_METATYPE(Window)

class TestPictureDialog final : public QObject
{
    Q_OBJECT

private slots:
    void opensCentredOverItsOwner_data();
    void opensCentredOverItsOwner();
    void keptOnScreenBesideAnOwnerAtTheEdge();
};

void TestPictureDialog::opensCentredOverItsOwner_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QPoint>("ownerAt");

    // The screen is 800x800.
    QTest::newRow("instructions, owner left") << Window::Instructions << QPoint(50, 0);
    QTest::newRow("instructions, owner centred") << Window::Instructions << QPoint(196, 175);
    QTest::newRow("instructions, owner bottom-right") << Window::Instructions << QPoint(342, 350);
    QTest::newRow("about, owner top-left") << Window::About << QPoint(0, 0);
    QTest::newRow("about, owner centred") << Window::About << QPoint(196, 175);
    QTest::newRow("about, owner bottom-right") << Window::About << QPoint(392, 350);
    QTest::newRow("black list, owner top-left") << Window::BlackList << QPoint(0, 0);
    QTest::newRow("black list, owner centred") << Window::BlackList << QPoint(196, 175);
}

void TestPictureDialog::opensCentredOverItsOwner()
{
    QFETCH(Window, window);
    QFETCH(QPoint, ownerAt);

    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.move(ownerAt);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    Opened opened(window, &owner);

    QCOMPARE(opened.dialog->frameGeometry().center(), owner.frameGeometry().center());
}

void TestPictureDialog::keptOnScreenBesideAnOwnerAtTheEdge()
{
    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.move(620, 640); // mostly off the 800x800 offscreen screen
    owner.show();
    Opened opened(Window::About, &owner);
    const QDialog &dialog = *opened.dialog;

    const QRect screen = owner.screen()->availableGeometry();
    QVERIFY2(screen.contains(dialog.frameGeometry()),
             qPrintable(QStringLiteral("placed at %1,%2").arg(dialog.x()).arg(dialog.y())));
    QCOMPARE(dialog.frameGeometry().bottomRight(), screen.bottomRight());
}

QTEST_MAIN(TestPictureDialog)
#include "tst_picturedialog.moc"
