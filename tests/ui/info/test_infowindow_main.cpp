// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The information window's life as the main window leads it: one instance,
// hidden by "Fermer", unloaded by its close box, gone with the main window.
#include "ui/common/look.h"
#include "ui/info/infowindow.h"
#include "ui/main/mainwindow.h"
#include "windowtestsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using velbrisk::ui::InfoWindow;
using velbrisk::ui::MainWindow;

namespace {

QList<InfoWindow *> infoWindows()
{
    QList<InfoWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *info = qobject_cast<InfoWindow *>(widget))
            found.append(info);
    return found;
}

void unloadClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestInfoWindowMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void oneInstanceAcrossClicks();
    void fermerThenInformationsShowsItWhereItWas();
    void closeBoxThenInformationsLoadsItAfresh();
    void closingTheMainWindowEndsTheProgram();

private:
    void clickInformations();
    InfoWindow *theOneInfoWindow();

    MainWindow *m_main = nullptr;
};

void TestInfoWindowMain::initTestCase()
{
    velbrisk::ui::setUpProgramLook();
}

void TestInfoWindowMain::init()
{
    m_main = new MainWindow;
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void TestInfoWindowMain::cleanup()
{
    delete m_main;
    m_main = nullptr;
    for (InfoWindow *info : infoWindows())
        delete info;
}

void TestInfoWindowMain::clickInformations()
{
    auto *button = testsupport::control<QAbstractButton>(m_main, u"Command6"_s);
    QCOMPARE(button->text(), u"Informations..."_s);
    QTest::mouseClick(button, Qt::LeftButton);
}

InfoWindow *TestInfoWindowMain::theOneInfoWindow()
{
    const QList<InfoWindow *> windows = infoWindows();
    return windows.size() == 1 ? windows[0] : nullptr;
}

void TestInfoWindowMain::oneInstanceAcrossClicks()
{
    QVERIFY(infoWindows().isEmpty()); // nothing loaded before the first click
    clickInformations();
    QPointer<InfoWindow> first = theOneInfoWindow();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->parentWidget(), nullptr);
    QCOMPARE(first->geometry(), QRect(437, 75, 312, 187));

    clickInformations();
    clickInformations();
    QCOMPARE(theOneInfoWindow(), first.data());
    QVERIFY(first->isVisible());
    // The main window stays usable beside it.
    QVERIFY(!first->isModal());
    QVERIFY(m_main->isEnabled());
}

void TestInfoWindowMain::fermerThenInformationsShowsItWhereItWas()
{
    clickInformations();
    QPointer<InfoWindow> info = theOneInfoWindow();
    QVERIFY(info);
    info->move(500, 300); // the user moved it
    const QPoint moved = info->pos();

    QTest::mouseClick(testsupport::control<QAbstractButton>(info, u"Command1"_s), Qt::LeftButton);
    unloadClosedWindows();
    QVERIFY(info);
    QVERIFY(info->isHidden());
    QVERIFY(m_main->isVisible());

    clickInformations();
    QCOMPARE(theOneInfoWindow(), info.data());
    QVERIFY(info->isVisible());
    QCOMPARE(info->pos(), moved);
}

void TestInfoWindowMain::closeBoxThenInformationsLoadsItAfresh()
{
    clickInformations();
    QPointer<InfoWindow> info = theOneInfoWindow();
    QVERIFY(info);
    info->move(500, 300);
    QVERIFY(info->close());
    unloadClosedWindows();
    QVERIFY(!info);
    QVERIFY(infoWindows().isEmpty());
    QVERIFY(m_main->isVisible());

    clickInformations();
    InfoWindow *fresh = theOneInfoWindow();
    QVERIFY(fresh);
    QVERIFY(fresh->isVisible());
    QCOMPARE(fresh->geometry(), QRect(437, 75, 312, 187));
}

void TestInfoWindowMain::closingTheMainWindowEndsTheProgram()
{
    clickInformations();
    QPointer<InfoWindow> info = theOneInfoWindow();
    QVERIFY(info);
    QVERIFY(info->isVisible());

    QCOMPARE(testsupport::closeAndRunEventLoop(m_main), 0);
    unloadClosedWindows();
    QVERIFY(!info || !info->isVisible());
}

QTEST_MAIN(TestInfoWindowMain)
#include "test_infowindow_main.moc"
