// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The information window on its own: its frame, controls, keys and links.
#include "browser.h"
#include "ui/common/look.h"
#include "ui/common/messagebox.h"
#include "ui/info/infowindow.h"
#include "windowdescription.h"
#include "windowtestsupport.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;
using testsupport::control;
using testsupport::described;
using testsupport::form2Description;
using velbrisk::ui::InfoWindow;

namespace {

QRgb pixel(QWidget *window, int x, int y)
{
    return window->grab().toImage().pixel(x, y);
}

} // namespace

class TestInfoWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void frame();
    void controls_data();
    void controls();
    void labelsFitTheWindow();
    void pictureAndOutline();
    void colours();
    void keys_data();
    void keys();
    void tabCyclesPanelAndButton();
    void links_data();
    void links();
    void linkTextsStay();
    void failedOpenShowsErrorAndGoesOn_data();
    void failedOpenShowsErrorAndGoesOn();
    void fermerHidesAndComesBackWhereItWas();
    void closeBoxUnloadsAndNextLoadIsFresh();

private:
    testsupport::Browser m_browser;
};

void TestInfoWindow::initTestCase()
{
    velbrisk::ui::setUpProgramLook();
}

void TestInfoWindow::cleanup()
{
    m_browser.opened.clear();
    velbrisk::ui::setBoxHandler({});
    for (QWidget *widget : QApplication::topLevelWidgets())
        delete widget;
}

void TestInfoWindow::frame()
{
    InfoWindow window;
    QCOMPARE(window.windowTitle(), u"Information..."_s);
    QCOMPARE(window.objectName(), u"Form2"_s);
    QCOMPARE(window.geometry(), QRect(437, 75, 312, 187));
    QCOMPARE(window.minimumSize(), QSize(312, 187));
    QCOMPARE(window.maximumSize(), QSize(312, 187));
    QVERIFY(window.isWindow());
    QCOMPARE(window.parentWidget(), nullptr);

    const Qt::WindowFlags flags = window.windowFlags();
#ifdef Q_OS_WIN
    // A tool window: no taskbar button, and no owner without a parent.
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
#else
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
#endif
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
    // Not a utility window for the X11 window manager: Metacity would keep
    // it above the main window.
    const QWindow *handle = window.windowHandle();
    QCOMPARE(handle ? handle->property("_q_xcb_wm_window_type") : QVariant(), QVariant());
    QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
}

void TestInfoWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("link");

    for (const testsupport::DescribedControl &c : form2Description())
        if (c.kind.endsWith(u"label"))
            QTest::newRow(qPrintable(c.name.toString()))
                << c.name.toString() << c.pixels().topLeft() << c.text.toString()
                << bool(c.style & testsupport::Bold) << (c.kind == u"link label");
}

void TestInfoWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QPoint, place);
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(bool, link);

    InfoWindow window;
    auto *label = control<QLabel>(&window, name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->pos(), place);
    QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(label->wordWrap(), false);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QCOMPARE(label->autoFillBackground(), false);

    const QFont font = label->font();
    QCOMPARE(font.families().value(0), u"Verdana"_s);
    QVERIFY(font.families().contains(u"DejaVu Sans"_s));
    QCOMPARE(font.pointSizeF(), 6.75);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), false);
    QCOMPARE(font.underline(), link);
    QCOMPARE(label->palette().color(QPalette::WindowText),
             link ? QColor(0x00, 0x00, 0xFF) : QColor(0x00, 0x00, 0x00));
    QCOMPARE(label->cursor().shape(), link ? Qt::WhatsThisCursor : Qt::ArrowCursor);
}

void TestInfoWindow::labelsFitTheWindow()
{
    // Widths mean something only in the face asked for (the offscreen
    // platform of the Windows build sees neither).
    if (!QFontDatabase::hasFamily(u"Verdana"_s) && !QFontDatabase::hasFamily(u"DejaVu Sans"_s))
        QSKIP("Neither Verdana nor DejaVu Sans is in this platform's font database");
    InfoWindow window;
    const QRect client = window.rect();
    const auto labels = window.findChildren<QLabel *>(QRegularExpression(u"^Label"_s));
    QCOMPARE(labels.size(), std::ranges::count_if(form2Description(), [](const auto &c) {
                 return c.kind.endsWith(u"label");
             }));
    for (const QLabel *label : labels)
        QVERIFY2(client.contains(label->geometry()), qPrintable(label->objectName()));
    // The two columns: a caption never runs into the value to its right.
    QVERIFY(control(&window, u"Label1"_s)->geometry().right() <
            control(&window, u"Label6"_s)->geometry().left());
    QVERIFY(control(&window, u"Label2"_s)->geometry().right() <
            control(&window, u"Label7"_s)->geometry().left());
}

void TestInfoWindow::pictureAndOutline()
{
    InfoWindow window;
    auto *image = control<QLabel>(&window, u"Image1"_s);
    QWidget *shape = control(&window, u"Shape1"_s);
    QVERIFY(image && shape);
    QCOMPARE(image->geometry(), described(form2Description(), u"Image1"_s).pixels());
    QCOMPARE(shape->geometry(), image->geometry());
    QVERIFY(image->hasScaledContents());
    const QImage picture = image->pixmap().toImage();
    QCOMPARE(picture.size(), QSize(221, 321));
    QVERIFY(!picture.hasAlphaChannel());

    // The outline is drawn over the picture, all round it.
    const QRgb black = qRgb(0, 0, 0);
    QCOMPARE(pixel(&window, 8, 8), black);
    QCOMPARE(pixel(&window, 8 + 96, 8 + 60), black);
    QCOMPARE(pixel(&window, 8 + 50, 8 + 136), black);
    QCOMPARE(pixel(&window, 8, 8 + 100), black);
    // Inside it, the picture.
    QCOMPARE(pixel(&window, 8 + 48, 8 + 3),
             picture.scaled(97, 137, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(48, 3));
}

void TestInfoWindow::colours()
{
    InfoWindow window;
    QCOMPARE(pixel(&window, 112, 100), qRgb(0xEE, 0xEE, 0xEA));

    auto *panel = control<QFrame>(&window, u"Picture7"_s);
    auto *button = control<QPushButton>(&window, u"Command1"_s);
    QVERIFY(panel && button);
    QCOMPARE(panel->geometry(), described(form2Description(), u"Picture7"_s).pixels());
    QCOMPARE(panel->frameShadow(), QFrame::Sunken);
    QCOMPARE(panel->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Button));
    QCOMPARE(button->parentWidget(), panel);
    // Placed from inside the panel's border.
    QCOMPARE(button->geometry(), described(form2Description(), u"Command1"_s)
                                     .pixels()
                                     .translated(panel->contentsRect().topLeft()));
    QVERIFY(panel->contentsRect().contains(button->geometry()));
    QCOMPARE(button->text(), u"Fermer"_s);
    QVERIFY(button->font().bold());
    QCOMPARE(button->font().pointSizeF(), 6.75);
    QVERIFY(!button->isDefault());
    QVERIFY(!button->autoDefault());
    // The face is white, left of the caption.
    QCOMPARE(pixel(button, 20, 12), qRgb(0xFF, 0xFF, 0xFF));
}

void TestInfoWindow::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("staysShown");

    QTest::newRow("Escape on the panel") << u"Picture7"_s << int(Qt::Key_Escape) << true;
    QTest::newRow("Escape on Fermer") << u"Command1"_s << int(Qt::Key_Escape) << true;
    QTest::newRow("Return on the panel") << u"Picture7"_s << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on the panel") << u"Picture7"_s << int(Qt::Key_Enter) << true;
    QTest::newRow("Return on Fermer") << u"Command1"_s << int(Qt::Key_Return) << false;
    QTest::newRow("Enter on Fermer") << u"Command1"_s << int(Qt::Key_Enter) << false;
    QTest::newRow("Space on Fermer") << u"Command1"_s << int(Qt::Key_Space) << false;
}

void TestInfoWindow::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, staysShown);

    QPointer<InfoWindow> window = new InfoWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget *target = control(window, focus);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key(key));
    QVERIFY(window); // a key never unloads it
    QCOMPARE(window->isVisible(), staysShown);
}

void TestInfoWindow::tabCyclesPanelAndButton()
{
    auto *window = new InfoWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget *panel = control(window, u"Picture7"_s);
    QWidget *button = control(window, u"Command1"_s);
    QCOMPARE(QApplication::focusWidget(), panel);
    // The links are never reached from the keyboard.
    for (QWidget *expected : {button, panel, button, panel}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), button);
}

void TestInfoWindow::links_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("address");

    QTest::newRow("Blog officiel opens what it shows")
        << u"Label9"_s << 1 << velbrisk::ui::OfficialBlogAddress.toString();
    QTest::newRow("Blog perso opens the home page")
        << u"Label10"_s << 1 << velbrisk::ui::HomePageAddress.toString();
    QTest::newRow("two clicks, two openings")
        << u"Label9"_s << 2 << velbrisk::ui::OfficialBlogAddress.toString();
    QTest::newRow("a double click is two clicks")
        << u"Label10"_s << -2 << velbrisk::ui::HomePageAddress.toString();
}

void TestInfoWindow::links()
{
    QFETCH(QString, label);
    QFETCH(int, clicks);
    QFETCH(QString, address);

    auto *window = new InfoWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QWidget *link = control(window, label);
    const QPoint at(5, link->height() / 2);
    if (clicks < 0) {
        // Through the window, as the system delivers it: press, release,
        // press turned into a double click, release.
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, link->mapTo(window, at));
    } else {
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(link, Qt::LeftButton, {}, at);
    }
    QCOMPARE(m_browser.opened, QStringList(std::abs(clicks), address));
    QVERIFY(window->isVisible());

    // What is not a click opens nothing.
    m_browser.opened.clear();
    QTest::mouseClick(link, Qt::RightButton, {}, at);
    QTest::mousePress(link, Qt::LeftButton, {}, at);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 10, 2));
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(310, link->y() + 2));
    QCOMPARE(m_browser.opened, QStringList());
}

void TestInfoWindow::linkTextsStay()
{
    auto *window = new InfoWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *label10 = control<QLabel>(window, u"Label10"_s);
    const QImage before = label10->grab().toImage();
    QTest::mouseClick(label10, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_browser.opened.size(), 1);
    QCOMPARE(label10->text(), velbrisk::ui::PersonalBlogAddress.toString());
    QCOMPARE(label10->grab().toImage(), before);
}

void TestInfoWindow::failedOpenShowsErrorAndGoesOn_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("address");
    QTest::newRow("Label9") << u"Label9"_s << velbrisk::ui::OfficialBlogAddress.toString();
    QTest::newRow("Label10") << u"Label10"_s << velbrisk::ui::HomePageAddress.toString();
}

void TestInfoWindow::failedOpenShowsErrorAndGoesOn()
{
    QFETCH(QString, label);
    QFETCH(QString, address);
    // Without a handler the offscreen platform has no browser to offer.
    if (QGuiApplication::platformName() != u"offscreen"_s)
        QSKIP("only the offscreen platform is sure to have no browser");
    m_browser.uninstall();
    const auto restore = qScopeGuard([this] { m_browser.install(); });
    QList<velbrisk::ui::BoxRequest> boxes;
    velbrisk::ui::setBoxHandler(
        [&boxes](const velbrisk::ui::BoxRequest &box) { boxes.append(box); });

    auto *window = new InfoWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"openUrl"_s));
    QTest::mouseClick(control(window, label), Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].kind, velbrisk::ui::BoxKind::Error);
    QCOMPARE(boxes[0].title, u"Velbrisk [par ZeNdAl ]"_s);
    QVERIFY2(boxes[0].text.contains(address), qPrintable(boxes[0].text));
    QVERIFY(window->isVisible());
}

void TestInfoWindow::fermerHidesAndComesBackWhereItWas()
{
    QPointer<InfoWindow> window = new InfoWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->setGeometry(QRect(QPoint(500, 300), window->size())); // the user moved it
    const QRect moved = window->geometry();

    QTest::mouseClick(control(window, u"Command1"_s), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window);
    QVERIFY(window->isHidden());
    // The window manager hands a withdrawn window back where its frame was,
    // a title bar higher.
    window->setGeometry(moved.translated(0, -30));

    window->show();
    QCOMPARE(window->geometry(), moved);
}

void TestInfoWindow::closeBoxUnloadsAndNextLoadIsFresh()
{
    QPointer<InfoWindow> window = new InfoWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->move(500, 300);
    QTest::keyClick(control(window, u"Command1"_s), Qt::Key_Tab);
    QVERIFY(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);

    window = new InfoWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(window->geometry(), QRect(437, 75, 312, 187));
    QCOMPARE(QApplication::focusWidget(), control(window, u"Picture7"_s));
}

QTEST_MAIN(TestInfoWindow)
#include "test_infowindow.moc"
