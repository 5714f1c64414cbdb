// A window larger than its picture: the margin must carry on the picture's own edge, so
// no strip of another colour shows along the right or bottom.
#include "media/art/picturenames.h"
#include "ui/artpictures.h"
#include "ui/background.h"

#include <QPaintEvent>
#include <QTest>
#include <QWidget>

namespace {

class Window final : public QWidget
{
public:
    Window(const QImage &picture, QSize size) : m_picture(picture) { setFixedSize(size); }

protected:
    void paintEvent(QPaintEvent *event) override { paintBackground(this, m_picture, event->rect()); }

private:
    QImage m_picture;
};

} // namespace

class TestBackground final : public QObject
{
    Q_OBJECT

private slots:
    void theMarginCarriesOnThePictureEdge_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("window");
        QTest::newRow("black list") << QString(pictures::blackList) << QSize(330, 359);
        QTest::newRow("about") << QString(pictures::about) << QSize(336, 244);
        QTest::newRow("results") << QString(pictures::results) << QSize(387, 364);
    }

    void theMarginCarriesOnThePictureEdge()
    {
        QFETCH(QString, picture);
        QFETCH(QSize, window);
        const QImage stored = artImage(picture, 1);
        QVERIFY(!stored.isNull());
        QVERIFY(stored.width() < window.width() || stored.height() < window.height());
        const QImage art = stored.convertToFormat(QImage::Format_RGB32);
        Window w(stored, window);
        const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), window);

        // Every margin pixel is the colour of the nearest pixel of the picture.
        int wrong = 0;
        for (int y = 0; y < window.height(); ++y) {
            for (int x = 0; x < window.width(); ++x) {
                if (x < art.width() && y < art.height())
                    continue;
                const QRgb edge = art.pixel(std::min(x, art.width() - 1), std::min(y, art.height() - 1));
                if (shot.pixel(x, y) != edge)
                    ++wrong;
            }
        }
        QCOMPARE(wrong, 0);
    }
};

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
