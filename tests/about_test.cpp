// Tests of the About window offscreen: its controls, the addresses it asks the desktop to open,
// the help page lookup, and the link pointer read from the cursor file.

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

#include "about/aboutinfo.h"
#include "about/form2.h"
#include "about/linkcursor.h"
#include "tests/support/files.h"
#include "tests/support/modalguard.h"

using namespace Qt::Literals::StringLiterals;

using vardo::testing::writeFileBytes;

namespace {

// A Windows cursor file with one 32 x 32 picture (32-bit colour and its AND mask): a black square
// in the top-left quarter, the rest transparent.
QByteArray makeCursorFile(int hotX, int hotY) {
    constexpr int kSide = 32;
    QByteArray image;
    const auto put16 = [](QByteArray& out, int v) {
        const quint16 le = qToLittleEndian<quint16>(quint16(v));
        out.append(reinterpret_cast<const char*>(&le), 2);
    };
    const auto put32 = [](QByteArray& out, int v) {
        const quint32 le = qToLittleEndian<quint32>(quint32(v));
        out.append(reinterpret_cast<const char*>(&le), 4);
    };
    put32(image, 40);         // BITMAPINFOHEADER size
    put32(image, kSide);      // width
    put32(image, kSide * 2);  // height: colour picture and mask
    put16(image, 1);          // planes
    put16(image, 32);         // bits per pixel
    for (int i = 0; i < 6; ++i) put32(image, 0);
    for (int y = kSide - 1; y >= 0; --y)  // rows bottom-up, BGRA
        for (int x = 0; x < kSide; ++x) put32(image, (x < 16 && y < 16) ? int(0xFF000000) : 0);
    for (int y = kSide - 1; y >= 0; --y) put32(image, y < 16 ? int(0xFFFF0000) : -1);

    QByteArray file;
    put16(file, 0);  // reserved
    put16(file, 2);  // cursor
    put16(file, 1);  // one picture
    file.append(char(kSide)).append(char(kSide)).append(char(0)).append(char(0));
    put16(file, hotX);
    put16(file, hotY);
    put32(file, int(image.size()));
    put32(file, 6 + 16);
    return file + image;
}

// An About window whose URLs and messages are recorded.
struct Window {
    vardo::testing::ModalGuard modalGuard;
    QList<QUrl> urls;
    QStringList messages;
    bool openerSucceeds = true;
    std::unique_ptr<Form2> form = std::make_unique<Form2>();

    Window() {
        form->setUrlOpener([this](const QUrl& url) {
            urls << url;
            return openerSucceeds;
        });
        form->setMessageSink([this](const QString& text) { messages << text; });
    }
    template <class T = QWidget>
    T* get(const QString& name) const {
        return form->findChild<T*>(name);
    }
    void click(const QString& name, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(get(name), button);
    }
};

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT

    QString startDir_;
    std::unique_ptr<QTemporaryDir> workDir_;

  private Q_SLOTS:
    void initTestCase() { startDir_ = QDir::currentPath(); }

    // Each test runs in an empty working directory of its own.
    void init() {
        workDir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(workDir_->isValid());
        QVERIFY(QDir::setCurrent(workDir_->path()));
    }
    void cleanup() {
        QDir::setCurrent(startDir_);
        workDir_.reset();
        vardo::testing::ModalGuard::verifyNoneOpen();
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("place");  // logical pixels: twips / 15
        QTest::addColumn<QString>("text");
        QTest::newRow("Frame1") << u"Frame1"_s << u"QGroupBox"_s << u"Form2"_s
                                << QRect(16, 8, 281, 129) << QString();
        QTest::newRow("Picture1") << u"Picture1"_s << u"QLabel"_s << u"Frame1"_s
                                  << QRect(8, 16, 41, 41) << QString();
        QTest::newRow("Label1") << u"Label1"_s << u"QLabel"_s << u"Frame1"_s
                                << QRect(72, 16, 193, 33) << vardo::about::authorLine();
        QTest::newRow("Line1") << u"Line1"_s << u"QWidget"_s << u"Frame1"_s << QRect(8, 64, 265, 1)
                               << QString();
        QTest::newRow("Label2") << u"Label2"_s << u"QLabel"_s << u"Frame1"_s
                                << QRect(72, 72, 137, 17) << vardo::about::webAddressText();
        QTest::newRow("Label4") << u"Label4"_s << u"QLabel"_s << u"Frame1"_s << QRect(8, 88, 57, 25)
                                << vardo::about::authorFirstName();
        QTest::newRow("Line2") << u"Line2"_s << u"QWidget"_s << u"Frame1"_s << QRect(56, 96, 161, 1)
                               << QString();
        QTest::newRow("Label3") << u"Label3"_s << u"QLabel"_s << u"Frame1"_s
                                << QRect(104, 104, 73, 17) << vardo::about::emailAddress();
        QTest::newRow("Command1") << u"Command1"_s << u"QPushButton"_s << u"Form2"_s
                                  << QRect(24, 144, 81, 33) << u"OK"_s;
        QTest::newRow("Command2") << u"Command2"_s << u"QPushButton"_s << u"Form2"_s
                                  << QRect(208, 144, 89, 33) << u"Помощь"_s;
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, parent);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        Form2 form;
        QWidget* w = form.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
        QCOMPARE(w->parentWidget()->objectName(), parent);
        if (name == u"Label2"_s || name == u"Label3"_s) {
            // The addresses keep their place and grow to the right when the font needs it.
            QCOMPARE(w->pos(), place.topLeft());
            QCOMPARE(w->height(), place.height());
            QVERIFY(w->width() >= place.width());
            QVERIFY(w->fontMetrics().horizontalAdvance(text) <= w->width());
            QVERIFY(w->geometry().right() < w->parentWidget()->width());
        } else {
            QCOMPARE(w->geometry(), place);
        }
        if (auto* label = qobject_cast<QLabel*>(w)) QCOMPARE(label->text(), text);
        if (auto* button = qobject_cast<QPushButton*>(w)) QCOMPARE(button->text(), text);
    }

    void window() {
        Form2 form;
        QCOMPARE(form.windowTitle(), u" Vardo v1.0"_s);
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form.size(), QSize(312, 195));
        QCOMPARE(form.palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(form.findChild<QWidget*>(u"Line1"_s)->palette().color(QPalette::Window),
                 QColor(0xC0, 0xC0, 0xC0));
        const QRect screen = form.screen()->availableGeometry();
        QVERIFY(qAbs(form.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form.geometry().center().y() - screen.center().y()) <= 1);
        QCOMPARE(form.findChild<QLabel*>(u"Label1"_s)->font().bold(), true);
        QCOMPARE(form.findChild<QLabel*>(u"Label1"_s)->font().italic(), true);
        QCOMPARE(form.findChild<QLabel*>(u"Label1"_s)->font().pointSizeF(), 9.75);
        QCOMPARE(form.findChild<QLabel*>(u"Label3"_s)->font().italic(), true);
        QCOMPARE(form.findChild<QPushButton*>(u"Command2"_s)->font().bold(), true);
    }

    void icon() {
        Form2 form;
        const QPixmap icon = form.findChild<QLabel*>(u"Picture1"_s)->pixmap();
        QCOMPARE(icon.size(), QSize(32, 32));
        // Transparent corners, a drawing inside.
        const QImage image = icon.toImage();
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(image.colorCount() <= 16);
        QVERIFY(image.convertToFormat(QImage::Format_ARGB32).pixel(16, 5) != image.pixel(0, 0));
    }

    // Expected: the window opens with the focus on "OK"; "OK" closes it.
    void okCloses() {
        Window w;
        w.form->show();
        QApplication::setActiveWindow(w.form.get());
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        QCOMPARE(QApplication::focusWidget(), w.get(u"Command1"_s));
        w.click(u"Command1"_s);
        QVERIFY(!w.form->isVisible());
        QVERIFY(w.urls.isEmpty());
    }

    // Action: a click on the e-mail label. Expected: a new message to exactly the shown address,
    // with the subject field present and empty.
    void mailLink() {
        Window w;
        w.click(u"Label3"_s);
        QCOMPARE(w.urls.size(), 1);
        const QString shown = w.get<QLabel>(u"Label3"_s)->text();
        QCOMPARE(w.urls[0].toString(), u"mailto:"_s + shown + u"?Subject="_s);
        QCOMPARE(w.urls[0].scheme(), u"mailto"_s);
        QCOMPARE(w.urls[0].path(), shown);
        QCOMPARE(w.urls[0].query(), u"Subject="_s);
        QVERIFY(w.messages.isEmpty());
    }

    // Action: a click on the web address. Expected: the page's own address constant.
    void webLink() {
        Window w;
        w.click(u"Label2"_s);
        QCOMPARE(w.urls, QList<QUrl>{QUrl(vardo::about::webPageUrl())});
        QVERIFY(w.urls[0].isValid());
        QVERIFY(w.urls[0].host().endsWith(u".example"_s));
        QVERIFY(w.urls[0].toString() != w.get<QLabel>(u"Label2"_s)->text());
    }

    // Expected: only a left click is a click; other labels open nothing.
    void otherClicksOpenNothing() {
        Window w;
        w.click(u"Label3"_s, Qt::RightButton);
        w.click(u"Label1"_s);
        w.click(u"Label4"_s);
        QVERIFY(w.urls.isEmpty());
    }

    // State: help.html in the working directory. Action: "Помощь". Expected: that file opened.
    void helpOpened() {
        QVERIFY(writeFileBytes(u"help.html"_s, "<html></html>"));
        Window w;
        w.click(u"Command2"_s);
        QCOMPARE(w.urls, QList<QUrl>{QUrl::fromLocalFile(workDir_->filePath(u"help.html"_s))});
        QVERIFY(w.messages.isEmpty());
    }

    // State: no help.html anywhere. Expected: nothing opened, a message that names the file.
    void helpMissing() {
        Window w;
        w.click(u"Command2"_s);
        QVERIFY(w.urls.isEmpty());
        QCOMPARE(w.messages.size(), 1);
        QVERIFY(w.messages[0].contains(u"help.html"_s));
        QVERIFY(w.messages[0].contains(u"не найден"_s));
    }

    // State: the desktop has nothing to open mail with. Expected: a message naming the address.
    void openerFails() {
        Window w;
        w.openerSucceeds = false;
        w.click(u"Label3"_s);
        QCOMPARE(w.messages.size(), 1);
        QVERIFY(w.messages[0].contains(vardo::about::emailAddress()));
    }

    void cursor_data() {
        QTest::addColumn<QByteArray>("file");  // empty: no file
        QTest::addColumn<int>("shape");
        QTest::addColumn<QPoint>("hotSpot");
        QTest::newRow("no file") << QByteArray() << int(Qt::PointingHandCursor) << QPoint();
        QTest::newRow("cursor file")
            << makeCursorFile(5, 7) << int(Qt::BitmapCursor) << QPoint(5, 7);
        QTest::newRow("not a cursor") << QByteArray("not a cursor file at all, just text")
                                      << int(Qt::PointingHandCursor) << QPoint();
        QTest::newRow("truncated")
            << makeCursorFile(5, 7).left(100) << int(Qt::PointingHandCursor) << QPoint();
        QTest::newRow("hotspot outside")
            << makeCursorFile(40, 3) << int(Qt::PointingHandCursor) << QPoint();
    }
    // Expected: the two link labels carry the pointer of the cursor file, or the pointing hand
    // when it cannot be read; the rest of the window keeps the arrow.
    void cursor() {
        QFETCH(QByteArray, file);
        QFETCH(int, shape);
        QFETCH(QPoint, hotSpot);
        if (!file.isEmpty()) QVERIFY(writeFileBytes(u"32761.CUR"_s, file));
        Form2 form;
        for (const QString& link : {u"Label2"_s, u"Label3"_s}) {
            const QCursor cursor = form.findChild<QWidget*>(link)->cursor();
            QCOMPARE(int(cursor.shape()), shape);
            if (shape == Qt::BitmapCursor) {
                QCOMPARE(cursor.hotSpot(), hotSpot);
                QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
            }
        }
        QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(form.findChild<QWidget*>(u"Label1"_s)->cursor().shape(), Qt::ArrowCursor);
    }

    // The program's own cursor file reads as a cursor.
    void sampleCursorFile() {
        QFile file(QStringLiteral(VARDO_SAMPLE_DATA "/32761.CUR"));
        if (!file.exists()) QSKIP("the sample cursor file has not been made");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::optional<QCursor> cursor = vardo::about::cursorFromCurData(file.readAll());
        QVERIFY(cursor);
        QCOMPARE(cursor->shape(), Qt::BitmapCursor);
    }

    // State: an About window under its guard. Action: a modal message box of the program opens.
    // Expected: it does not wait for a user; the guard closes it and names it.
    void unexpectedMessageBoxIsClosedAndNamed() {
        Window w;
        QMessageBox box(QMessageBox::NoIcon, u"Vardo"_s, u"Нет файла"_s, QMessageBox::Ok,
                        w.form.get());
        box.exec();  // returns: the guard closed it
        QCOMPARE(w.modalGuard.takeSeen(), (QStringList{u"QMessageBox «Vardo» Нет файла"_s}));
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
