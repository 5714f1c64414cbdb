// Tests of the about window through the real widget under the offscreen platform: its
// layout, where it opens over its owner, the keys and buttons that end it, and the
// system-information button with the system's own seams (no registry here, so the
// message shows).
#include "ui/formslot.h"
#include "ui/imagecell.h"
#include "ui/frmabout.h"
#include "ui/qtdialogs.h"
#include "ui/sysinfo.h"
#include "ui/windowlayout.h"

#include "fakes.h"
#include "modalanswerer.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// Finds nothing and starts nothing, but remembers being asked.
class NoLauncher final : public Launcher
{
public:
    bool fileExists(const QString &path) override
    {
        asked << path;
        return false;
    }
    bool startDetached(const QString &program) override
    {
        asked << program;
        return false;
    }
    QStringList asked;
};

class NoRegistry final : public Registry
{
public:
    long openKey(std::uint32_t, const QString &, std::uint32_t, Handle *) override { return FileNotFound; }
    long queryValue(Handle, const QString &, std::uint32_t *, unsigned char *, std::uint32_t *) override
    {
        return FileNotFound;
    }
    long closeKey(Handle) override { return Success; }
};

enum class Way { Escape, Enter, ClickOK };

} // namespace

Q_DECLARE_METATYPE(Way)

class tst_frmAbout final : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void opensCentredAndCloses_data();
    void opensCentredAndCloses();
    void keptOnScreenBesideAnOwnerAtTheEdge();
    void systemInfoShowsTheMessageAndStaysOpen();
    void pictureDrawnUnscaled();
};

void tst_frmAbout::layout()
{
    QWidget owner;
    owner.show();
    FakeDialogs dialogs;
    NoRegistry registry;
    NoLauncher launcher;
    frmAbout about(dialogs, registry, launcher, &owner);
    about.show();

    QCOMPARE(about.size(), QSize(336, 244));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(about.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(about.windowType(), Qt::Dialog);
    QCOMPARE(about.windowHandle()->transientParent(), owner.windowHandle());

    // "About " and the title in its own mix of cases.
    const QString caption = about.windowTitle();
    QVERIFY(caption.startsWith(QStringLiteral("About ")));
    QCOMPARE(caption.mid(6).toLower(), QStringLiteral("tobrinel - karvolen 2003"));
    QVERIFY(caption.mid(6) != QStringLiteral("Tobrinel - Karvolen 2003"));

    QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
    QCOMPARE(about.cmdOK->geometry(), AboutLayout::Ok.as<QRect>());
    QVERIFY(about.cmdOK->isDefault());
    QVERIFY(!about.cmdOK->toolTip().isEmpty());
    QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    QCOMPARE(about.cmdSysInfo->geometry(), AboutLayout::SysInfo.as<QRect>());
    QCOMPARE(about.cmdOK->nextInFocusChain(), about.cmdSysInfo);
}

void tst_frmAbout::opensCentredAndCloses_data()
{
    QTest::addColumn<QPoint>("ownerAt");
    QTest::addColumn<Way>("way");

    QTest::newRow("owner top-left, Escape") << QPoint(0, 0) << Way::Escape;
    QTest::newRow("owner centred, Enter") << QPoint(196, 175) << Way::Enter;
    QTest::newRow("owner bottom-right, click OK") << QPoint(392, 350) << Way::ClickOK;
    QTest::newRow("owner bottom-right, Escape") << QPoint(392, 350) << Way::Escape;
}

void tst_frmAbout::opensCentredAndCloses()
{
    QFETCH(QPoint, ownerAt);
    QFETCH(Way, way);

    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.move(ownerAt);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    FakeDialogs dialogs;
    NoRegistry registry;
    NoLauncher launcher;
    bool unloadedByKey = false;
    QPointer<frmAbout> shown;
    FormSlot<frmAbout> slot([&] { return new frmAbout(dialogs, registry, launcher, &owner); });

    QRect geometry;
    QWidget *focus = nullptr;
    ModalAnswerer answerer;
    answerer.expect([&](QWidget *window) {
        auto *about = qobject_cast<frmAbout *>(window);
        shown = about;
        geometry = window->geometry();
        focus = window->focusWidget();
        if (!about)
            return;
        switch (way) {
        case Way::Escape:
            QTest::keyClick(focus ? focus : window, Qt::Key_Escape);
            break;
        case Way::Enter:
            QTest::keyClick(focus ? focus : window, Qt::Key_Return);
            break;
        case Way::ClickOK:
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
            break;
        }
        unloadedByKey = !slot.loaded(); // the slot reacted to the window closing itself
    });

    slot.showModal();

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(shown);
    QCOMPARE(focus, shown->cmdOK); // first in the tab order
    QCOMPARE(geometry.size(), QSize(336, 244));
    QCOMPARE(geometry.center(), owner.frameGeometry().center());
    QVERIFY(unloadedByKey);
    QVERIFY(!slot.loaded());
    QVERIFY(dialogs.calls.empty());
}

void tst_frmAbout::keptOnScreenBesideAnOwnerAtTheEdge()
{
    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.move(620, 640); // mostly off the 800x800 offscreen screen
    owner.show();
    FakeDialogs dialogs;
    NoRegistry registry;
    NoLauncher launcher;
    frmAbout about(dialogs, registry, launcher, &owner);
    about.show();

    const QRect screen = owner.screen()->availableGeometry();
    QVERIFY2(screen.contains(about.frameGeometry()),
             qPrintable(QStringLiteral("placed at %1,%2").arg(about.x()).arg(about.y())));
    QCOMPARE(about.frameGeometry().bottomRight(), screen.bottomRight());
}

void tst_frmAbout::systemInfoShowsTheMessageAndStaysOpen()
{
    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QtDialogs dialogs;
    SystemRegistry registry; // has no keys outside Windows
    NoLauncher launcher;
    FormSlot<frmAbout> slot([&] {
        return new frmAbout(dialogs, registry, launcher, &owner);
    });

    QPointer<frmAbout> about;
    bool aboutOpenDuringMessage = false;
    QWidget *focusAfterTab = nullptr;
    ModalAnswerer answerer;
    answerer.expect([&](QWidget *window) {
        about = qobject_cast<frmAbout *>(window);
        if (!about)
            return;
        // Tab to System Info and press it with the space bar, from the event loop, so that
        // the message box it opens can be answered in turn.
        QTest::keyClick(about->focusWidget(), Qt::Key_Tab);
        focusAfterTab = about->focusWidget();
        QTimer::singleShot(0, about, [&] { QTest::keyClick(about->focusWidget(), Qt::Key_Space); });
    });
    answerer.expect([&](QWidget *box) {
        aboutOpenDuringMessage = about && about->isVisible();
        ModalAnswerer::press(QMessageBox::Ok)(box);
        // The about window stays open after the message; close it with OK.
        QTimer::singleShot(0, about, [&] { about->cmdOK->click(); });
    });

    slot.showModal();

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(about);
    QCOMPARE(focusAfterTab, about->cmdSysInfo);
    QVERIFY(aboutOpenDuringMessage);
    QVERIFY(launcher.asked.isEmpty());
    QCOMPARE(answerer.seen.size(), 2);
    const ModalAnswerer::Seen &message = answerer.seen.at(1);
    QCOMPARE(message.text, QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(message.title, QString::fromLatin1(ApplicationTitle));
    QCOMPARE(message.buttons, QStringLiteral("OK"));
    QVERIFY(!slot.loaded());
}

void tst_frmAbout::pictureDrawnUnscaled()
{
    const QImage picture = artPixmap(QStringLiteral("about"), 1.0).toImage();
    if (picture.isNull())
        QSKIP("the about picture is not in the resources");
    QCOMPARE(picture.size(), QSize(335, 243));

    FakeDialogs dialogs;
    NoRegistry registry;
    NoLauncher launcher;
    frmAbout about(dialogs, registry, launcher, nullptr);
    about.cmdOK->hide();
    about.cmdSysInfo->hide();
    const QImage drawn = about.grab(QRect(QPoint(0, 0), picture.size())).toImage();
    QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmabout.moc"
