// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Both windows, and what Qt draws for them, look the same under a dark
// desktop theme, before and after the theme changes, as without a theme.
// The theme is the test's own platform theme, linked in as a static plugin.
#define QT_STATICPLUGIN

#include "form1test.h"
#include "ui/info/infowindow.h"

#include <QAbstractItemView>
#include <QMenu>
#include <QMessageBox>
#include <QToolTip>
#include <QtPlugin>
#include <qpa/qplatformtheme.h>
#include <qpa/qplatformthemeplugin.h>
#include <qpa/qwindowsysteminterface.h>

#include <map>

using namespace Qt::StringLiterals;

namespace {

bool darkDesktop = true;

// What a dark desktop hands every kind of control, as GTK's and KDE's dark
// themes and Windows' dark colour schemes do: light text on dark faces.
const QPalette &darkPalette()
{
    static const QPalette dark(QColor(0x32, 0x32, 0x32));
    return dark;
}

class DesktopTheme : public QPlatformTheme
{
public:
    const QPalette *palette(Palette type) const override
    {
        return darkDesktop ? &darkPalette() : QPlatformTheme::palette(type);
    }
};

class DesktopThemePlugin : public QPlatformThemePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformThemeFactoryInterface_iid FILE "test_look.json")
public:
    QPlatformTheme *create(const QString &, const QStringList &) override
    {
        return new DesktopTheme;
    }
};

void switchDesktop(bool dark)
{
    darkDesktop = dark;
    QWindowSystemInterface::handleThemeChange<QWindowSystemInterface::SynchronousDelivery>();
}

// What the person sees: both windows, an error box, a code box's context
// menu and a skin list's open drop-down, the folder list's selection showing.
using Grabs = std::map<QString, QImage>;

class Shown
{
public:
    Shown()
        : box(QMessageBox::Critical, u"Velbrisk [par ZeNdAl ]"_s,
              u"Le dossier « /nulle/part » n'existe pas."_s, QMessageBox::Ok)
    {
        info.show();
        box.show();
        menu.reset(form1.codeBox(u"text1"_s)->createStandardContextMenu());
        form1.get(u"Dir1"_s)->setFocus();
        form1.combo(u"Combo1"_s)->showPopup();
    }
    ~Shown() { form1.combo(u"Combo1"_s)->hidePopup(); }
    Shown(const Shown &) = delete;
    Shown &operator=(const Shown &) = delete;

    Grabs grabs()
    {
        return {{u"fenêtre principale"_s, form1.window->grab().toImage()},
                {u"informations"_s, info.grab().toImage()},
                {u"boîte d'erreur"_s, box.grab().toImage()},
                {u"menu contextuel"_s, menu->grab().toImage()},
                {u"liste des habillages"_s,
                 form1.combo(u"Combo1"_s)->view()->window()->grab().toImage()}};
    }

private:
    form1test::Form1 form1;
    velbrisk::ui::InfoWindow info;
    QMessageBox box;
    std::unique_ptr<QMenu> menu;
};

} // namespace

Q_IMPORT_PLUGIN(DesktopThemePlugin)

class TestLook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sameAsWithoutTheme_data();
    void sameAsWithoutTheme();

private:
    Grabs m_withoutTheme;
    Grabs m_darkFromStart;
    Grabs m_turnedDark;
};

void TestLook::initTestCase()
{
    QVERIFY(darkDesktop);
    velbrisk::ui::setUpProgramLook();
    {
        Shown shown;
        m_darkFromStart = shown.grabs();
    }
    switchDesktop(false);
    Shown shown;
    m_withoutTheme = shown.grabs();
    const QPalette tooltips = QToolTip::palette();
    // The desktop turns dark while the windows are open.
    switchDesktop(true);
    QCoreApplication::processEvents();
    m_turnedDark = shown.grabs();
    QCOMPARE(QToolTip::palette(), tooltips);
}

void TestLook::sameAsWithoutTheme_data()
{
    QTest::addColumn<QString>("what");
    for (const auto &grab : m_withoutTheme)
        QTest::newRow(qPrintable(grab.first)) << grab.first;
}

void TestLook::sameAsWithoutTheme()
{
    QFETCH(QString, what);
    QCOMPARE(m_darkFromStart.at(what), m_withoutTheme.at(what));
    QCOMPARE(m_turnedDark.at(what), m_withoutTheme.at(what));
}

// The test's own platform theme must be in place before the application is.
int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORMTHEME", "velbrisk-test-theme");
    QApplication app(argc, argv);
    TestLook test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_look.moc"
