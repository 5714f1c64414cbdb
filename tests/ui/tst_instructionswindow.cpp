// Tests of the instructions window through the real widget under the offscreen platform:
// its size and frame, and that one click anywhere ends it (tst_picturedialog: where it opens).
#include "media/art/picturenames.h"
#include "ui/artpictures.h"
#include "ui/instructionswindow.h"
#include "app/windowslot.h"

#include "modalanswerer.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>

class TestInstructionsWindow final : public QObject
{
    Q_OBJECT

private slots:
    void window();
    void closesOnOneClick_data();
    void closesOnOneClick();
    void pictureFillsTheWindowUnscaled();
};

void TestInstructionsWindow::window()
{
    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.show();
    InstructionsWindow form(&owner);
    form.show();

    QCOMPARE(form.size(), QSize(499, 335));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.windowTitle(), QStringLiteral("Instructions"));
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    // An owned dialog has no task-bar entry of its own.
    QCOMPARE(form.windowType(), Qt::Dialog);
    QVERIFY(form.windowHandle());
    QCOMPARE(form.windowHandle()->transientParent(), owner.windowHandle());
}

void TestInstructionsWindow::closesOnOneClick_data()
{
    QTest::addColumn<QPoint>("click");

    QTest::newRow("top-left corner") << QPoint(0, 0);
    QTest::newRow("bottom-right corner") << QPoint(498, 334);
    QTest::newRow("the middle") << QPoint(250, 170);
}

void TestInstructionsWindow::closesOnOneClick()
{
    QFETCH(QPoint, click);

    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    bool unloadedByClick = false;
    QPointer<InstructionsWindow> shown;
    WindowSlotOf<InstructionsWindow> slot([&] { return new InstructionsWindow(&owner); });

    QRect geometry;
    bool modal = false;
    ModalAnswerer answerer;
    answerer.expect([&](QWidget *window) {
        shown = qobject_cast<InstructionsWindow *>(window);
        geometry = window->geometry();
        modal = window->isModal();
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, click);
        unloadedByClick = !slot.loaded(); // the slot reacted to the window closing itself
    });

    slot.showModal();

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(modal);
    QCOMPARE(geometry.size(), QSize(499, 335));
    QVERIFY(unloadedByClick);
    QVERIFY(!slot.loaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(shown.isNull());
}

void TestInstructionsWindow::pictureFillsTheWindowUnscaled()
{
    const QImage picture = artPixmap(pictures::instructions, 1.0).toImage();
    if (picture.isNull())
        QSKIP("the instructions picture is not in the resources");
    QCOMPARE(picture.size(), QSize(499, 335));

    InstructionsWindow form(nullptr);
    const QImage drawn = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(drawn, picture.convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(TestInstructionsWindow)
#include "tst_instructionswindow.moc"
