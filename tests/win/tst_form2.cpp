// Tests of the instructions window through the real widget under the offscreen platform:
// its size and frame, where it opens over its owner, and that one click anywhere ends it.
#include "ui/form2.h"
#include "ui/formslot.h"
#include "ui/imagecell.h"

#include "modalanswerer.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>

class tst_Form2 final : public QObject
{
    Q_OBJECT

private slots:
    void window();
    void opensCentredAndClosesOnOneClick_data();
    void opensCentredAndClosesOnOneClick();
    void pictureFillsTheWindowUnscaled();
};

void tst_Form2::window()
{
    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.show();
    Form2 form(&owner);
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

void tst_Form2::opensCentredAndClosesOnOneClick_data()
{
    QTest::addColumn<QPoint>("ownerAt");
    QTest::addColumn<QPoint>("click");

    QTest::newRow("owner left, click top-left corner") << QPoint(50, 0) << QPoint(0, 0);
    QTest::newRow("owner centred, click bottom-right corner") << QPoint(196, 175) << QPoint(498, 334);
    QTest::newRow("owner bottom-right, click the middle") << QPoint(342, 350) << QPoint(250, 170);
}

void tst_Form2::opensCentredAndClosesOnOneClick()
{
    QFETCH(QPoint, ownerAt);
    QFETCH(QPoint, click);

    QWidget owner;
    owner.setFixedSize(408, 450);
    owner.move(ownerAt);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    bool unloadedByClick = false;
    QPointer<Form2> shown;
    FormSlot<Form2> slot([&] { return new Form2(&owner); });

    QRect geometry;
    bool modal = false;
    ModalAnswerer answerer;
    answerer.expect([&](QWidget *window) {
        shown = qobject_cast<Form2 *>(window);
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
    QCOMPARE(geometry.center(), owner.frameGeometry().center());
    QVERIFY(unloadedByClick);
    QVERIFY(!slot.loaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(shown.isNull());
}

void tst_Form2::pictureFillsTheWindowUnscaled()
{
    const QImage picture = artPixmap(QStringLiteral("instructions"), 1.0).toImage();
    if (picture.isNull())
        QSKIP("the instructions picture is not in the resources");
    QCOMPARE(picture.size(), QSize(499, 335));

    Form2 form(nullptr);
    const QImage drawn = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(drawn, picture.convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(tst_Form2)
#include "tst_form2.moc"
