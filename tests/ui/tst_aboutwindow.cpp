// Tests of the about window through the real widget under the offscreen platform: its
// layout, the keys and buttons that end it (tst_picturedialog: where it opens), and the
// system-information button with the system's own seams (no registry here, so the
// message shows).
#include "media/art/picturenames.h"
#include "ui/artpictures.h"
#include "app/windowslot.h"
#include "ui/aboutwindow.h"
#include "ui/qtdialogs.h"
#include "platform/sysinfo.h"
#include "ui/windowlayout.h"

#include "fakes.h"
#include "modalanswerer.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

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

class TestAboutWindow final : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void opensAndCloses_data();
    void opensAndCloses();
    void systemInfoShowsTheMessageAndStaysOpen();
    void pictureDrawnUnscaled();
};

void TestAboutWindow::layout()
{
    QWidget owner;
    owner.show();
    FakeDialogs dialogs;
    NoRegistry registry;
    FakeLauncher launcher;
    AboutWindow about(dialogs, registry, launcher, &owner);
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

    QCOMPARE(about.okButton->text(), QStringLiteral("OK"));
    QCOMPARE(about.okButton->geometry(), AboutLayout::Ok.as<QRect>());
    QVERIFY(about.okButton->isDefault());
    QVERIFY(!about.okButton->toolTip().isEmpty());
    QCOMPARE(about.sysInfoButton->text(), QStringLiteral("&System Info..."));
    QCOMPARE(about.sysInfoButton->geometry(), AboutLayout::SysInfo.as<QRect>());
    QCOMPARE(about.okButton->nextInFocusChain(), about.sysInfoButton);
}

void TestAboutWindow::opensAndCloses_data()
{
    QTest::addColumn<Way>("way");

    QTest::newRow("Escape") << Way::Escape;
    QTest::newRow("Enter") << Way::Enter;
    QTest::newRow("click OK") << Way::ClickOK;
}

void TestAboutWindow::opensAndCloses()
{
    QFETCH(Way, way);

    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    FakeDialogs dialogs;
    NoRegistry registry;
    FakeLauncher launcher;
    bool unloadedByKey = false;
    QPointer<AboutWindow> shown;
    WindowSlotOf<AboutWindow> slot([&] { return new AboutWindow(dialogs, registry, launcher, &owner); });

    QRect geometry;
    QWidget *focus = nullptr;
    ModalAnswerer answerer;
    answerer.expect([&](QWidget *window) {
        auto *about = qobject_cast<AboutWindow *>(window);
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
            QTest::mouseClick(about->okButton, Qt::LeftButton);
            break;
        }
        unloadedByKey = !slot.loaded(); // the slot reacted to the window closing itself
    });

    slot.showModal();

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(shown);
    QCOMPARE(focus, shown->okButton); // first in the tab order
    QCOMPARE(geometry.size(), QSize(336, 244));
    QVERIFY(unloadedByKey);
    QVERIFY(!slot.loaded());
    QVERIFY(dialogs.calls.empty());
}

void TestAboutWindow::systemInfoShowsTheMessageAndStaysOpen()
{
    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QtDialogs dialogs;
    SystemRegistry registry; // has no keys outside Windows
    FakeLauncher launcher;
    WindowSlotOf<AboutWindow> slot([&] {
        return new AboutWindow(dialogs, registry, launcher, &owner);
    });

    QPointer<AboutWindow> about;
    bool aboutOpenDuringMessage = false;
    QWidget *focusAfterTab = nullptr;
    ModalAnswerer answerer;
    answerer.expect([&](QWidget *window) {
        about = qobject_cast<AboutWindow *>(window);
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
        QTimer::singleShot(0, about, [&] { about->okButton->click(); });
    });

    slot.showModal();

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(about);
    QCOMPARE(focusAfterTab, about->sysInfoButton);
    QVERIFY(aboutOpenDuringMessage);
    QVERIFY(launcher.asked.isEmpty());
    QVERIFY(launcher.started.isEmpty());
    QCOMPARE(answerer.seen.size(), 2);
    const ModalAnswerer::Seen &message = answerer.seen.at(1);
    QCOMPARE(message.text, QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(message.title, QString::fromLatin1(AppName));
    QCOMPARE(message.buttons, QStringLiteral("OK"));
    QVERIFY(!slot.loaded());
}

void TestAboutWindow::pictureDrawnUnscaled()
{
    const QImage picture = artPixmap(pictures::about, 1.0).toImage();
    if (picture.isNull())
        QSKIP("the about picture is not in the resources");
    QCOMPARE(picture.size(), QSize(335, 243));

    FakeDialogs dialogs;
    NoRegistry registry;
    FakeLauncher launcher;
    AboutWindow about(dialogs, registry, launcher, nullptr);
    about.okButton->hide();
    about.sysInfoButton->hide();
    const QImage drawn = about.grab(QRect(QPoint(0, 0), picture.size())).toImage();
    QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
