// The black-list window through the real widget, the real dialogs and the window slot
// the game uses: its design, what it shows when it becomes active, "&Clear" with its
// question, and "&Oehh" ending the modal display.
#include "ui/blacklistwindow.h"

#include "topten/toptenlist.h"
#include "app/windowslot.h"
#include "ui/qtdialogs.h"
#include "ui/windowlayout.h"

#include "fakes.h"
#include "modalanswerer.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

namespace {

// A dialog the answerer met, as "title / text / buttons".
QString shown(const ModalAnswerer::Seen &seen)
{
    return seen.title + QStringLiteral(" / ") + seen.text + QStringLiteral(" / ") + seen.buttons;
}

// Ten distinct entries in descending order; the best, at index 9, is "Abc" with 57.
void fillTable(TopTenList &hi)
{
    for (int i = 0; i < 10; ++i)
        hi.setEntry(i, TopTenEntry{StoredScore(150 - 10 * i), NickName(QStringLiteral("Name%1").arg(i))});
    hi.setEntry(9, TopTenEntry{StoredScore(57), NickName(QStringLiteral("Abc"))});
}

QStringList rows(const BlackListWindow &form)
{
    QStringList texts;
    for (int i = 0; i <= 9; ++i)
        texts << form.nameLabels[i]->text() + QLatin1Char('/') + form.scoreLabels[i]->text();
    return texts;
}

QStringList expectedRows(const TopTenList &hi)
{
    QStringList texts;
    for (int i = 0; i <= 9; ++i)
        texts << hi.entries()[9 - i].name.text() + QLatin1Char('/') + hi.entries()[9 - i].score.toString();
    return texts;
}

} // namespace

class TestBlackListWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void isABorderlessFixedDialog();
    void controlsStandWhereDesigned_data();
    void controlsStandWhereDesigned();
    void opensModallyShowingTheBestFirst();
    void showsTheTableAgainEachTimeItBecomesActive();
    void clearAsksFirst_data();
    void clearAsksFirst();
    void clearWithNothingStoredReportsAndStaysOpen();
    void aNoteComesAsInformationAndAFailureAsAReport();
    void aWideNameShowsWholeInItsLabel_data();
    void aWideNameShowsWholeInItsLabel();
    void aDamagedEntryShowsNoScore();

private:
    BlackListWindow &openModeless();

    MemoryStore m_store;
    QtDialogs m_dialogs;
    std::unique_ptr<TopTenList> m_hi;
    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<WindowSlotOf<BlackListWindow>> m_slot;
};

void TestBlackListWindow::init()
{
    m_store = MemoryStore();
    m_hi = std::make_unique<TopTenList>(m_store, m_dialogs);
    m_owner = std::make_unique<QWidget>();
    m_owner->setGeometry(40, 60, 640, 480);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    m_slot = std::make_unique<WindowSlotOf<BlackListWindow>>(
        [this] { return new BlackListWindow(*m_hi, m_dialogs, m_owner.get()); });
}

void TestBlackListWindow::cleanup()
{
    m_slot.reset();
    m_owner.reset();
    m_hi.reset();
}

BlackListWindow &TestBlackListWindow::openModeless()
{
    BlackListWindow &form = m_slot->load();
    form.show();
    // The offscreen platform activates a modal window by itself but ignores a request to
    // activate a modeless one; qWaitForWindowActive() counts a window whose owner is
    // active as active, so only isActiveWindow() tells.
    QApplication::setActiveWindow(&form);
    if (!form.isActiveWindow())
        qWarning("the black-list window did not become active");
    return form;
}

void TestBlackListWindow::isABorderlessFixedDialog()
{
    const BlackListWindow &form = m_slot->load();
    QCOMPARE(form.windowType(), Qt::Dialog);
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form.windowTitle(), QStringLiteral("Hi Scores"));
    QCOMPARE(form.size(), QSize(330, 359));
    QCOMPARE(form.minimumSize(), QSize(330, 359));
    QCOMPARE(form.maximumSize(), QSize(330, 359));
    QCOMPARE(form.parentWidget(), m_owner.get());
}

void TestBlackListWindow::controlsStandWhereDesigned_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    using namespace BlackListLayout;
    QTest::newRow("nameLabels(0)") << "nameLabels0" << Name.as<QRect>() << "Zenlor";
    QTest::newRow("nameLabels(9)") << "nameLabels9" << row(Name, 9).as<QRect>() << "Zenlor";
    QTest::newRow("scoreLabels(0)") << "scoreLabels0" << Score.as<QRect>() << "00";
    QTest::newRow("scoreLabels(5)") << "scoreLabels5" << row(Score, 5).as<QRect>() << "00";
    QTest::newRow("clearButton") << "clearButton" << Clear.as<QRect>() << "&Clear";
    QTest::newRow("closeButton") << "closeButton" << Close.as<QRect>() << "&Oehh";
}

void TestBlackListWindow::controlsStandWhereDesigned()
{
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    // As created, before the window is ever active.
    const BlackListWindow &form = m_slot->load();
    QWidget *widget = nullptr;
    QString text;
    if (control.startsWith(QLatin1String("nameLabels"))) {
        const QLabel *label = form.nameLabels[control.right(1).toInt()];
        widget = const_cast<QLabel *>(label);
        text = label->text();
        QCOMPARE(label->font().pointSizeF(), 9.75);
        QCOMPARE(label->font().weight(), QFont::Bold);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    } else if (control.startsWith(QLatin1String("scoreLabels"))) {
        const QLabel *label = form.scoreLabels[control.right(1).toInt()];
        widget = const_cast<QLabel *>(label);
        text = label->text();
        QCOMPARE(label->font().pointSizeF(), 8.25);
        QCOMPARE(label->font().weight(), QFont::Bold);
        QCOMPARE(label->palette().color(QPalette::WindowText), form.palette().color(QPalette::WindowText));
    } else {
        QPushButton *button = control == QLatin1String("closeButton") ? form.closeButton : form.clearButton;
        widget = button;
        text = button->text();
    }
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(text, caption);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
}

void TestBlackListWindow::opensModallyShowingTheBestFirst()
{
    fillTable(*m_hi);
    ModalAnswerer answerer;
    QStringList shown;
    bool active = false;
    bool modal = false;
    bool oehhFocused = false;
    bool tabReachesClear = false;
    QPointer<BlackListWindow> opened;
    answerer.expect([&](QWidget *widget) {
        auto *form = qobject_cast<BlackListWindow *>(widget);
        if (!form) {
            widget->close();
            return;
        }
        opened = form;
        active = form->isActiveWindow();
        shown = rows(*form);
        modal = form->isModal();
        oehhFocused = QApplication::focusWidget() == form->closeButton;
        QTest::keyClick(form, Qt::Key_Tab);
        tabReachesClear = QApplication::focusWidget() == form->clearButton;
        QTest::keyClick(form, Qt::Key_Tab);
        QTest::keyClick(form, Qt::Key_Tab); // past "&Clear", back to "&Oehh"; the labels take no focus
        tabReachesClear = tabReachesClear && QApplication::focusWidget() == form->clearButton;
        form->closeButton->click();
    });

    m_slot->showModal(); // returns once "&Oehh" has closed it

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(shown, expectedRows(*m_hi));
    QCOMPARE(shown.front(), QStringLiteral("Abc   /57"));
    QVERIFY(active);
    QVERIFY(modal);
    QVERIFY(oehhFocused);
    QVERIFY(tabReachesClear);
    QCOMPARE(m_slot->loaded(), nullptr);
    QTRY_VERIFY(opened.isNull());
}

void TestBlackListWindow::showsTheTableAgainEachTimeItBecomesActive()
{
    BlackListWindow &form = openModeless();
    QCOMPARE(rows(form), expectedRows(*m_hi));
    QCOMPARE(form.scoreLabels[0]->text(), QStringLiteral("3600"));

    // Not redrawn while it stays active...
    fillTable(*m_hi);
    QCOMPARE(form.nameLabels[0]->text(), QStringLiteral("Zenlor"));

    // ...but each time it becomes the active window again.
    QApplication::setActiveWindow(m_owner.get());
    QVERIFY(!form.isActiveWindow());
    QCOMPARE(form.nameLabels[0]->text(), QStringLiteral("Zenlor"));
    QApplication::setActiveWindow(&form);
    QVERIFY(form.isActiveWindow());
    QCOMPARE(rows(form), expectedRows(*m_hi));
}

void TestBlackListWindow::clearAsksFirst_data()
{
    QTest::addColumn<int>("answer"); // QMessageBox::StandardButton; NoButton: closed
    QTest::addColumn<bool>("cleared");

    QTest::newRow("Yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("No") << int(QMessageBox::No) << false;
    QTest::newRow("closed") << int(QMessageBox::NoButton) << false;
}

void TestBlackListWindow::clearAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(bool, cleared);

    fillTable(*m_hi);
    m_hi->save();
    const auto stored = m_store.values;
    BlackListWindow &form = openModeless();
    const QStringList before = rows(form);

    ModalAnswerer answerer;
    answerer.expect(answer == QMessageBox::NoButton ? ModalAnswerer::closeWindow()
                                                    : ModalAnswerer::press(QMessageBox::StandardButton(answer)));
    form.clearButton->click();

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(shown(answerer.seen[0]), QStringLiteral("Oh My God / Are you sure to clear this board ?? / Yes|No"));
    QCOMPARE(m_store.values.isEmpty(), cleared);
    if (!cleared)
        QCOMPARE(m_store.values, stored);
    // A clear shows the list of a fresh store at once; anything else leaves the rows.
    QStringList cleanRows;
    for (int i = 0; i < 10; ++i)
        cleanRows << QStringLiteral("Zenlor/3600");
    QCOMPARE(rows(form), cleared ? cleanRows : before);
    QCOMPARE(rows(form), expectedRows(*m_hi));
    QVERIFY(form.isVisible());
}

void TestBlackListWindow::clearWithNothingStoredReportsAndStaysOpen()
{
    BlackListWindow &form = openModeless();
    ModalAnswerer answerer;
    answerer.expect(ModalAnswerer::press(QMessageBox::Yes));
    answerer.expect(ModalAnswerer::press(QMessageBox::Ok));

    form.clearButton->click();

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.seen.size(), 2);
    QCOMPARE(shown(answerer.seen[1]), QStringLiteral("ClearTopTen / The section does not exist. / OK"));
    QVERIFY(form.isVisible());
    QVERIFY(!m_store.values.contains(storedKey(0)));
}

void TestBlackListWindow::aNoteComesAsInformationAndAFailureAsAReport()
{
    m_store.values.insert(storedKey(0), QStringLiteral("Abc   57"));
    m_store.note = QStringLiteral("The file as it was is kept as x.damaged.");
    BlackListWindow &form = openModeless();
    ModalAnswerer answerer;
    answerer.expect(ModalAnswerer::press(QMessageBox::Yes));
    answerer.expect(ModalAnswerer::press(QMessageBox::Ok)); // the note
    answerer.expect(ModalAnswerer::press(QMessageBox::Yes));
    answerer.expect(ModalAnswerer::press(QMessageBox::Ok)); // nothing left to clear

    form.clearButton->click();
    form.clearButton->click();

    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.seen.size(), 4);
    QCOMPARE(shown(answerer.seen[1]), QStringLiteral("Tobrinel / The file as it was is kept as x.damaged. / OK"));
    QVERIFY(answerer.seen[1].hasIcon);
    QCOMPARE(shown(answerer.seen[3]), QStringLiteral("ClearTopTen / The section does not exist. / OK"));
    QVERIFY(!answerer.seen[3].hasIcon);
}

void TestBlackListWindow::aWideNameShowsWholeInItsLabel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("designSize"); // fits without making the font smaller

    QTest::newRow("Zenlor") << "Zenlor" << true;
    QTest::newRow("short name") << "Abc" << true;
    QTest::newRow("widest letters") << "WWWWWW" << false;
    QTest::newRow("capital M") << "MMMMMM" << true;
    QTest::newRow("at signs") << "@@@@@@" << false;
    QTest::newRow("fullwidth letters") << QString::fromUtf8("\uFF37\uFF37\uFF37\uFF37\uFF37\uFF37") << false;
    QTest::newRow("CJK") << QString::fromUtf8("\u6F22\u5B57\u6F22\u5B57\u6F22\u5B57") << false;
    QTest::newRow("flags") << QString::fromUtf8("\U0001F1E9\U0001F1EA").repeated(6) << false;
    QTest::newRow("an old name with a line break") << "Ab\nCd" << true;
}

// The label keeps its designed place and size; the text is fitted to it instead.
void TestBlackListWindow::aWideNameShowsWholeInItsLabel()
{
    QFETCH(QString, name);
    QFETCH(bool, designSize);

    TopTenEntry best = m_hi->entries()[9];
    best.name = NickName(name);
    m_hi->setEntry(9, best);
    BlackListWindow &form = openModeless();
    const QLabel *label = form.nameLabels[0];

    QCOMPARE(label->geometry(), BlackListLayout::Name.as<QRect>());
    QVERIFY(!label->text().contains(QLatin1Char('\n')));
    const QFontMetrics metrics(label->font());
    QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
             qPrintable(QStringLiteral("%1 px at %2 pt").arg(metrics.horizontalAdvance(label->text())).arg(label->font().pointSizeF())));
    QVERIFY(metrics.boundingRect(label->text()).width() <= label->contentsRect().width());
    QCOMPARE(label->font().pointSizeF() == form.nameLabels[1]->font().pointSizeF(), designSize);
    // Every other row keeps the designed font.
    QCOMPARE(form.nameLabels[1]->font().pointSizeF(), 9.75);
}

void TestBlackListWindow::aDamagedEntryShowsNoScore()
{
    TopTenEntry damaged = m_hi->entries()[9];
    damaged.damaged = true;
    damaged.name = NickName(QStringLiteral("Fay"));
    m_hi->setEntry(9, damaged);
    const BlackListWindow &form = openModeless();
    QCOMPARE(form.nameLabels[0]->text(), QStringLiteral("Fay   "));
    QCOMPARE(form.scoreLabels[0]->text(), QStringLiteral("?"));
}

QTEST_MAIN(TestBlackListWindow)
#include "tst_blacklistwindow.moc"
