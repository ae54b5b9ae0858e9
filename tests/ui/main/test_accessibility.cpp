// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Both windows as a screen reader reads them: every control a person reaches
// says what it is for, and no two say the same; the hidden colour fields say
// nothing; the skin lists and the links do from the accessibility interfaces
// what they do by hand; the folder list tells where it is.

// The listener below is linked in as a static plugin.
#define QT_STATICPLUGIN

#include "browser.h"
#include "form1test.h"
#include "ui/info/infowindow.h"
#include "ui/main/dirlist.h"
#include "windowdescription.h"
#include "windowtestsupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleBridgePlugin>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeView>

#include <functional>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using form1test::Form1;

// What a screen reader is told moved the focus, in order: the objects, and
// the name of what each event names (an object or one of its children). Qt
// hands its events to platform bridges like this one even offscreen, where
// no reader is active.
namespace {
struct Heard
{
    QObject *object;
    QString name;
};
std::vector<Heard> heard;

QStringList heardFrom(const QObject *object)
{
    QStringList names;
    for (const Heard &h : heard)
        if (h.object == object)
            names.append(h.name);
    return names;
}

class Listener : public QAccessibleBridge
{
public:
    void setRootObject(QAccessibleInterface *) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent *event) override
    {
        if (event->type() != QAccessible::Focus)
            return;
        QAccessibleInterface *iface = event->accessibleInterface();
        heard.push_back({event->object(), iface ? iface->text(QAccessible::Name) : u"?"_s});
    }
};
} // namespace

class ListenerPlugin : public QAccessibleBridgePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "test_accessibility.json")
public:
    // Qt never deletes the bridges it asks for: the one listener lives as
    // long as the test.
    QAccessibleBridge *create(const QString &) override
    {
        static Listener listener;
        return &listener;
    }
};
Q_IMPORT_PLUGIN(ListenerPlugin)

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Every object the interface tree of `root` reaches.
QObjectList reachable(QAccessibleInterface *root)
{
    QObjectList found;
    const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *iface) {
        if (!iface || !iface->object())
            return; // list rows and cells, which stand for no widget
        found.append(iface->object());
        for (int i = 0; i < iface->childCount(); ++i)
            walk(iface->child(i));
    };
    walk(root);
    return found;
}

// The controls a person reaches with Tab, by name: a combo box owns its
// edit part, a code box and the folder list their viewports.
QStringList focusableControls(QWidget *window)
{
    QStringList names;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || !w->isVisibleTo(window))
            continue;
        while (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"_s))
            w = w->parentWidget();
        if (!names.contains(w->objectName()))
            names.append(w->objectName());
    }
    names.sort();
    return names;
}

// What a screen reader says where the exact words matter: the windows, the
// controls that would otherwise sound alike (the three skin boxes, the two
// "Remplacer" and "Par" fields, the two "Transformer" buttons), the code
// buttons whose one-word captions say least, the picture and the link whose
// click leads elsewhere than its text.
struct Spoken
{
    QString window, control;
    QAccessible::Role role;
    QString name, description;
};

const std::vector<Spoken> &Rows()
{
    using enum QAccessible::Role;
    static const std::vector<Spoken> rows = {
        {u"Form1"_s, {}, Window, u"Velbrisk    [ par ZeNdAl ]"_s, {}},
        {u"Form1"_s, u"Command1"_s, Button, u"Transformer"_s, u"Changement d'Habillage"_s},
        {u"Form1"_s, u"Command2"_s, Button, u"Transformer"_s, u"Changement de caractère(s)"_s},
        {u"Form1"_s, u"Combo1"_s, ComboBox, u"Remplacer (changement d'habillage)"_s, {}},
        {u"Form1"_s, u"Combo2"_s, ComboBox, u"Par (changement d'habillage)"_s, {}},
        {u"Form1"_s, u"Combo3"_s, ComboBox, u"Habillage de base"_s, {}},
        {u"Form1"_s, u"Text3"_s, EditableText, u"Remplacer (changement de caractères)"_s, {}},
        {u"Form1"_s, u"Text4"_s, EditableText, u"Par (changement de caractères)"_s, {}},
        {u"Form1"_s, u"Command5"_s, Button, u"Coller"_s,
         u"Colle le presse-papiers dans le code de la déco"_s},
        {u"Form1"_s, u"Command4"_s, Button, u"Eff"_s, u"Efface le code de la déco"_s},
        {u"Form1"_s, u"Command3"_s, Button, u"Copier"_s,
         u"Copie le code transformé dans le presse-papiers"_s},

        {u"Form2"_s, {}, Window, u"Information..."_s, {}},
        {u"Form2"_s, u"Image1"_s, Graphic, u"Portrait de ZeNdAl"_s,
         u"L'auteur, casque sur les oreilles, sous un ciel de nuit"_s},
        {u"Form2"_s, u"Label10"_s, Link, velbrisk::ui::PersonalBlogAddress.toString(), {}},
    };
    return rows;
}

// What a control of this kind reads as.
QAccessible::Role roleOf(const QWidget *control)
{
    if (qobject_cast<const QAbstractButton *>(control))
        return QAccessible::Button;
    if (qobject_cast<const QComboBox *>(control))
        return QAccessible::ComboBox;
    if (qobject_cast<const QTreeView *>(control))
        return QAccessible::Tree;
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control) ||
        qobject_cast<const QTextEdit *>(control))
        return QAccessible::EditableText;
    return QAccessible::Grouping; // the panel under "Fermer"
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void everyFocusableControlSaysWhatItIs_data();
    void everyFocusableControlSaysWhatItIs();
    void hiddenFieldsAreNotInTheTree();
    void folderListHasNoHeaderText();
    void folderListSaysWhichFoldersAreOpen_data();
    void folderListSaysWhichFoldersAreOpen();
    void folderListNamesTheOpenFolderOnEntry();
    void skinListsOpenFromKeysAndScreenReaders_data();
    void skinListsOpenFromKeysAndScreenReaders();
    void linksOpenFromScreenReaders_data();
    void linksOpenFromScreenReaders();

private:
    QWidget *window(const QString &name) const
    {
        return name == u"Form1"_s ? static_cast<QWidget *>(m_form->window.get()) : m_info.get();
    }

    std::unique_ptr<Form1> m_form;
    std::unique_ptr<velbrisk::ui::InfoWindow> m_info;
    testsupport::Browser m_browser;
};

void TestAccessibility::initTestCase()
{
    velbrisk::ui::setUpProgramLook();
}

void TestAccessibility::init()
{
    m_form = std::make_unique<Form1>();
    m_info = std::make_unique<velbrisk::ui::InfoWindow>();
    m_info->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_info.get()));
    m_browser.opened.clear();
}

void TestAccessibility::cleanup()
{
    m_info.reset();
    m_form.reset();
}

void TestAccessibility::controls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    for (const Spoken &r : Rows())
        QTest::addRow("%s %s", qPrintable(r.window), qPrintable(r.control))
            << r.window << r.control << r.role << r.name << r.description;
}

void TestAccessibility::controls()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(QString, description);

    QWidget *top = this->window(window);
    QObject *object = control.isEmpty() ? top : testsupport::control(top, control);
    QAccessibleInterface *iface = accessible(object);
    QVERIFY(iface);
    QCOMPARE(iface->role(), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), description);
    QVERIFY(reachable(accessible(top)).contains(object));
}

void TestAccessibility::everyFocusableControlSaysWhatItIs_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("count");
    QTest::newRow("Form1") << u"Form1"_s
                           << int(testsupport::tabOrder(testsupport::form1Description()).size());
    QTest::newRow("Form2") << u"Form2"_s
                           << int(testsupport::tabOrder(testsupport::form2Description()).size());
}

// Each control a person reaches with Tab is in the tree, reads as what it is,
// is named, and says something no other control of its window says. A
// control added later without a name, or named like another, fails here.
void TestAccessibility::everyFocusableControlSaysWhatItIs()
{
    QFETCH(QString, window);
    QFETCH(int, count);
    QWidget *top = this->window(window);
    const QStringList names = focusableControls(top);
    QCOMPARE(names.size(), count);
    const QObjectList tree = reachable(accessible(top));
    QStringList spoken;
    for (const QString &name : names) {
        QWidget *control = testsupport::control(top, name);
        QAccessibleInterface *iface = accessible(control);
        QVERIFY2(iface && tree.contains(control), qPrintable(name));
        QCOMPARE(iface->role(), roleOf(control));
        QVERIFY2(bool(iface->state().focusable), qPrintable(name));
        // Named by the window, a button by its caption: not by Qt's own
        // stand-in, the caption of the frame around it.
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            QCOMPARE(iface->text(QAccessible::Name), button->text());
        else
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(name));
        const QString says =
            iface->text(QAccessible::Name) + u" / "_s + iface->text(QAccessible::Description);
        QVERIFY2(!spoken.contains(says), qPrintable(name + u" : "_s + says));
        spoken.append(says);
    }
}

void TestAccessibility::hiddenFieldsAreNotInTheTree()
{
    const QObjectList objects = reachable(accessible(window(u"Form1"_s)));
    QVERIFY(objects.contains(m_form->get(u"Combo3"_s)));
    QVERIFY(!objects.contains(m_form->get(u"txtHab1"_s)));
    QVERIFY(!objects.contains(m_form->get(u"txtHab2"_s)));
}

void TestAccessibility::folderListHasNoHeaderText()
{
    QAccessibleInterface *list = accessible(m_form->get(u"Dir1"_s));
    QStringList headers;
    for (int i = 0; i < list->childCount(); ++i)
        if (list->child(i)->role() == QAccessible::ColumnHeader)
            headers.append(list->child(i)->text(QAccessible::Name));
    QCOMPARE(headers.join(QString()), QString());
}

void TestAccessibility::folderListSaysWhichFoldersAreOpen_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("expanded");
    QTest::newRow("above the open one") << u"haut/ouvert"_s << u"haut"_s << true;
    QTest::newRow("open") << u"haut/ouvert"_s << u"ouvert"_s << true;
    QTest::newRow("sub-folder") << u"haut/ouvert"_s << u"bars"_s << false;
    // Its own sub-folders are not shown until it is open.
    QTest::newRow("sub-folder with sub-folders") << u"haut/ouvert"_s << u"cuivre"_s << false;
    QTest::newRow("open without sub-folders") << u"haut/ouvert/bars"_s << u"bars"_s << false;
}

// Expanded are the folders whose sub-folders show, and only they; a closed
// sub-folder is not even expandable, which a screen reader would read as
// "collapsed", a folder that Right would open here.
void TestAccessibility::folderListSaysWhichFoldersAreOpen()
{
    QFETCH(QString, open);
    QFETCH(QString, folder);
    QFETCH(bool, expanded);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(u"haut/ouvert/bars"_s));
    QVERIFY(QDir(root.path()).mkpath(u"haut/ouvert/cuivre/fond"_s));
    m_form->get<velbrisk::ui::DirList>(u"Dir1"_s)->setPath(root.filePath(open));

    QAccessibleInterface *list = accessible(m_form->get(u"Dir1"_s));
    QAccessibleInterface *item = nullptr;
    for (int i = 0; i < list->childCount() && !item; ++i)
        if (list->child(i)->text(QAccessible::Name) == folder)
            item = list->child(i);
    QVERIFY(item);
    const QAccessible::State state = item->state();
    QCOMPARE(bool(state.expanded), expanded);
    QCOMPARE(bool(state.expandable), expanded);
    QCOMPARE(bool(state.collapsed), false);
}

// Entering the list, a screen reader hears the list, then the open folder,
// which is its current item.
void TestAccessibility::folderListNamesTheOpenFolderOnEntry()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(u"haut/ouvert/bars"_s));
    auto *list = m_form->get<velbrisk::ui::DirList>(u"Dir1"_s);
    list->setPath(root.filePath(u"haut/ouvert"_s));
    m_form->window->activateWindow(); // from the information window
    QVERIFY(QTest::qWaitForWindowActive(m_form->window.get()));
    m_form->get(u"Text5"_s)->setFocus(Qt::TabFocusReason);
    heard.clear();

    list->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(heardFrom(list), (QStringList{u"Dossier de stockage"_s, u"ouvert"_s}));
}

void TestAccessibility::skinListsOpenFromKeysAndScreenReaders_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("Combo1") << u"Combo1"_s << u"Habillage 15"_s;
    QTest::newRow("Combo2") << u"Combo2"_s << u"Habillage 1"_s;
    QTest::newRow("Combo3") << u"Combo3"_s << u"Habillage 15"_s;
}

// Alt+Down opens the list as a click on the arrow does; a screen reader's
// press opens and closes it; the text is read as the value.
void TestAccessibility::skinListsOpenFromKeysAndScreenReaders()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    QComboBox *combo = m_form->combo(control);
    QAccessibleInterface *iface = accessible(combo);
    QCOMPARE(iface->text(QAccessible::Value), text);
    QCOMPARE(bool(iface->state().expanded), false);

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(combo->view()->isVisible());
    QCOMPARE(bool(iface->state().expanded), true);
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    QTRY_VERIFY(!combo->view()->isVisible());

    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY(actions);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(combo->view()->isVisible());
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(!combo->view()->isVisible());
    QCOMPARE(combo->currentText(), text);
}

void TestAccessibility::linksOpenFromScreenReaders_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("address");
    QTest::newRow("Label9") << u"Label9"_s << velbrisk::ui::OfficialBlogAddress.toString();
    // As a click does, the personal blog's label opens the home page.
    QTest::newRow("Label10") << u"Label10"_s << velbrisk::ui::HomePageAddress.toString();
}

void TestAccessibility::linksOpenFromScreenReaders()
{
    QFETCH(QString, label);
    QFETCH(QString, address);
    QAccessibleInterface *iface = accessible(testsupport::control(m_info.get(), label));
    QVERIFY(iface && iface->actionInterface());
    QVERIFY(iface->state().linked);
    QVERIFY(iface->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_browser.opened, QStringList{address});
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
