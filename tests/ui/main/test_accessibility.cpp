// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Both windows as a screen reader reads them: every control a person reaches
// says what it is for, the hidden colour fields say nothing, the skin lists
// and the links do from the accessibility interfaces what they do by hand.
#include "form1test.h"
#include "ui/info/infowindow.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QDesktopServices>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using form1test::Form1;

namespace {

// Records each address handed to the browser instead of starting one.
class Browser : public QObject
{
    Q_OBJECT
public:
    QStringList opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url.toString()); }
};

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

// Every control a person reaches with Tab, and what else a screen reader
// should read: the windows themselves, the picture, the links.
struct Spoken
{
    QString window, control;
    QAccessible::Role role;
    QString name, description;
    bool focusable = true;
};

const std::vector<Spoken> &Rows()
{
    using enum QAccessible::Role;
    static const std::vector<Spoken> rows = {
        {u"Form1"_s, {}, Window, u"Velbrisk    [ par ZeNdAl ]"_s, {}, false},
        {u"Form1"_s, u"Command1"_s, Button, u"Transformer"_s, u"Changement d'Habillage"_s},
        {u"Form1"_s, u"Combo2"_s, ComboBox, u"Par (changement d'habillage)"_s, {}},
        {u"Form1"_s, u"Combo1"_s, ComboBox, u"Remplacer (changement d'habillage)"_s, {}},
        {u"Form1"_s, u"Text3"_s, EditableText, u"Remplacer (changement de caractères)"_s, {}},
        {u"Form1"_s, u"Text4"_s, EditableText, u"Par (changement de caractères)"_s, {}},
        {u"Form1"_s, u"Command2"_s, Button, u"Transformer"_s, u"Changement de caractère(s)"_s},
        {u"Form1"_s, u"text2"_s, EditableText, u"Code SkyBlog pour votre article"_s, {}},
        {u"Form1"_s, u"text1"_s, EditableText, u"Code SkyBlog de la déco"_s, {}},
        {u"Form1"_s, u"Command3"_s, Button, u"Copier"_s,
         u"Copie le code transformé dans le presse-papiers"_s},
        {u"Form1"_s, u"Command4"_s, Button, u"Eff"_s, u"Efface le code de la déco"_s},
        {u"Form1"_s, u"Command5"_s, Button, u"Coller"_s,
         u"Colle le presse-papiers dans le code de la déco"_s},
        {u"Form1"_s, u"Command6"_s, Button, u"Informations..."_s, {}},
        {u"Form1"_s, u"Text5"_s, EditableText, u"Chemin du dossier de stockage"_s, {}},
        {u"Form1"_s, u"Text6"_s, EditableText, u"Nom des fichiers"_s, {}},
        {u"Form1"_s, u"Combo3"_s, ComboBox, u"Habillage de base"_s, {}},
        {u"Form1"_s, u"Command8"_s, Button, u"Créer les fichiers txt..."_s, {}},
        {u"Form1"_s, u"Dir1"_s, Tree, u"Dossier de stockage"_s, {}},
        {u"Form1"_s, u"Command7"_s, Button, u"Aide pour cette option..."_s, {}},

        {u"Form2"_s, {}, Window, u"Information..."_s, {}, false},
        {u"Form2"_s, u"Image1"_s, Graphic, u"Portrait de ZeNdAl"_s,
         u"L'auteur, casque sur les oreilles, sous un ciel de nuit"_s, false},
        {u"Form2"_s, u"Label9"_s, Link, velbrisk::ui::OfficialBlogAddress.toString(), {}, false},
        {u"Form2"_s, u"Label10"_s, Link, velbrisk::ui::PersonalBlogAddress.toString(), {}, false},
        {u"Form2"_s, u"Picture7"_s, Grouping, u"Fermeture de la fenêtre"_s, {}},
        {u"Form2"_s, u"Command1"_s, Button, u"Fermer"_s, u"Ferme la fenêtre d'information"_s},
    };
    return rows;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void everyFocusableControlIsInTheTable();
    void hiddenFieldsAreNotInTheTree();
    void folderListHasNoHeaderText();
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
    Browser m_browser;
};

void TestAccessibility::initTestCase()
{
    form1test::setUpApplication();
    QDesktopServices::setUrlHandler(u"http"_s, &m_browser, "open");
}

void TestAccessibility::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(u"http"_s);
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
    QTest::addColumn<bool>("focusable");

    for (const Spoken &r : Rows())
        QTest::addRow("%s %s", qPrintable(r.window), qPrintable(r.control))
            << r.window << r.control << r.role << r.name << r.description << r.focusable;
}

void TestAccessibility::controls()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(bool, focusable);

    QWidget *top = this->window(window);
    QObject *object = control.isEmpty() ? top : top->findChild<QWidget *>(control);
    QVERIFY(object);
    QAccessibleInterface *iface = accessible(object);
    QVERIFY(iface);
    QCOMPARE(iface->role(), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), description);
    QCOMPARE(bool(iface->state().focusable), focusable);
    QVERIFY(reachable(accessible(top)).contains(object));
}

// A control added later without a row here would go unnamed.
void TestAccessibility::everyFocusableControlIsInTheTable()
{
    for (const QString &name : {u"Form1"_s, u"Form2"_s}) {
        QStringList listed;
        for (const Spoken &r : Rows())
            if (r.window == name && r.focusable)
                listed.append(r.control);
        listed.sort();
        QCOMPARE(focusableControls(window(name)), listed);
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
    QAccessibleInterface *iface = accessible(m_info->findChild<QWidget *>(label));
    QVERIFY(iface && iface->actionInterface());
    QVERIFY(iface->state().linked);
    QVERIFY(iface->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_browser.opened, QStringList{address});
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
