// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window as a person first sees it: every control in its place,
// the start-up contents, the tab order, the keys, the look.
#include "core/skintable.h"
#include "form1test.h"
#include "ui/main/dirlist.h"
#include "ui/main/skinbox_p.h"
#include "windowdescription.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>

#include <memory>

using namespace Qt::StringLiterals;
using form1test::Form1;
using testsupport::described;
using testsupport::form1Description;

namespace {

// A control's name and the name of the frame it stands in (or "Form1").
QString containerOf(QWidget *widget)
{
    QWidget *parent = widget->parentWidget();
    return qobject_cast<velbrisk::ui::MainWindow *>(parent) ? u"Form1"_s : parent->objectName();
}

// The control that owns the focus widget: a combo box owns its edit part,
// a code box and the folder list their viewports.
QString focusedControl()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"_s))
            return w->objectName();
    return {};
}

// The caption or text a control shows.
QString shownText(QWidget *control)
{
    if (auto *frame = qobject_cast<QGroupBox *>(control))
        return frame->title();
    if (auto *button = qobject_cast<QPushButton *>(control))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    if (auto *field = qobject_cast<QLineEdit *>(control))
        return field->text();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    if (auto *box = qobject_cast<velbrisk::ui::CodeBox *>(control))
        return box->code();
    if (auto *dir = qobject_cast<velbrisk::ui::DirList *>(control))
        return dir->path();
    return {};
}

// The colour in the middle of the square the list draws before an entry.
QColor swatchColour(const QComboBox *combo, const QModelIndex &index)
{
    QStyleOptionViewItem option;
    option.initFrom(combo->view());
    option.rect = QRect({}, combo->itemDelegate()->sizeHint(option, index));
    QImage row(option.rect.size(), QImage::Format_RGB32);
    row.fill(Qt::white);
    QPainter painter(&row);
    combo->itemDelegate()->paint(&painter, option, index);
    painter.end();
    return row.pixelColor(8, option.rect.height() / 2);
}

const QStringList TabOrder = testsupport::tabOrder(form1Description());

QStringList buttons()
{
    QStringList names;
    for (const testsupport::DescribedControl &c : form1Description())
        if (c.kind == u"command button"_s)
            names.append(c.name.toString());
    return names;
}
const QStringList Buttons = buttons();

} // namespace

class TestForm1Layout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void controls_data();
    void controls();
    void everyControlIsInTheTable();
    void buildingHandsOverTheNamedControls();
    void nothingMovesOnResize();
    void fieldsLieOverTheirLabels();
    void captionsFit_data();
    void captionsFit();

    void startUpContents();
    void comboLists();
    void colourFieldsNeverShownNorFocused();
    void tabOrder();
    void spacePressesTheFocusedButton();
    void enterAndEscapePressNothing_data();
    void enterAndEscapePressNothing();
    void typedComboTextStaysOutOfTheList();

    void colours_data();
    void colours();
    void fonts_data();
    void fonts();

private:
    std::unique_ptr<Form1> m_form;
};

void TestForm1Layout::initTestCase()
{
    velbrisk::ui::setUpProgramLook();
    // As from a Start-menu shortcut, or a double click beside the program.
    QVERIFY(QDir::setCurrent(QCoreApplication::applicationDirPath()));
}

void TestForm1Layout::init()
{
    m_form = std::make_unique<Form1>();
}

void TestForm1Layout::cleanup()
{
    m_form.reset();
}

void TestForm1Layout::window()
{
    QWidget *w = m_form->window.get();
    QCOMPARE(w->windowTitle(), u"Velbrisk    [ par ZeNdAl ]"_s);
    QCOMPARE(w->size(), QSize(648, 473));
    QVERIFY(w->isWindow());
    QCOMPARE(w->parentWidget(), nullptr); // its own taskbar entry
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    // Resizable: no fixed size.
    QVERIFY(w->minimumSize() != w->maximumSize());
    QCOMPARE(QApplication::applicationDisplayName(), QApplication::applicationName());
}

// Every control in pixels (twips / 15), from its container's top-left
// corner, a frame's caption band included.
void TestForm1Layout::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    // The classes each kind of the description is made of.
    const QHash<QString, QString> classes = {
        {u"frame"_s, u"QGroupBox"_s},
        {u"label"_s, u"QLabel"_s},
        {u"command button"_s, u"QPushButton"_s},
        {u"text box"_s, u"QLineEdit"_s},
        {u"combo box"_s, u"velbrisk::ui::SkinBox"_s},
        {u"directory list box"_s, u"velbrisk::ui::DirList"_s},
        {u"rich-text box"_s, u"velbrisk::ui::CodeBox"_s},
    };
    for (const testsupport::DescribedControl &c : form1Description())
        QTest::newRow(qPrintable(c.name.toString()))
            << classes.value(c.kind.toString()) << c.container.toString() << c.pixels()
            << (c.text == testsupport::StartFolder ? form1test::startFolder() : c.text.toString());
}

void TestForm1Layout::controls()
{
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    QWidget *control = m_form->get(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(containerOf(control), container);
    QCOMPARE(control->geometry(), geometry);

    QCOMPARE(shownText(control), text);
}

// The described controls and nothing else that a person could reach or see.
void TestForm1Layout::everyControlIsInTheTable()
{
    QStringList named;
    for (QWidget *w : m_form->window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(u"qt_"_s))
            named.append(name);
    }
    QCOMPARE(named.size(), qsizetype(form1Description().size()));
    QCOMPARE(named.removeDuplicates(), 0);
}

// The window works on the controls that building hands it: each must be the
// control of its name, or a click would reach the wrong field.
void TestForm1Layout::buildingHandsOverTheNamedControls()
{
    QWidget window;
    const velbrisk::ui::Form1Widgets w = velbrisk::ui::buildForm1(&window);
    const std::pair<QWidget *, const char *> handed[] = {
        {w.inputCode, "text1"},      {w.outputCode, "text2"},       {w.baseSkin, "Combo1"},
        {w.targetSkin, "Combo2"},    {w.baseColour, "txtHab1"},     {w.targetColour, "txtHab2"},
        {w.searchText, "Text3"},     {w.replacementText, "Text4"},  {w.batchBaseSkin, "Combo3"},
        {w.folder, "Text5"},         {w.prefix, "Text6"},           {w.folderList, "Dir1"},
        {w.convertSkin, "Command1"}, {w.replaceText, "Command2"},   {w.copyOutput, "Command3"},
        {w.clearInput, "Command4"},  {w.pasteInput, "Command5"},    {w.showInformation, "Command6"},
        {w.showHelp, "Command7"},    {w.writeAllSkins, "Command8"},
    };
    for (const auto &[widget, name] : handed) {
        QVERIFY2(widget, name);
        QCOMPARE(widget->objectName(), QString::fromLatin1(name));
        QCOMPARE(widget->window(), &window);
    }
}

void TestForm1Layout::nothingMovesOnResize()
{
    QHash<QWidget *, QRect> before;
    const auto controls = m_form->window->findChildren<QWidget *>();
    for (QWidget *w : controls)
        before.insert(w, w->geometry());
    for (const QSize size : {QSize(1000, 700), QSize(300, 200), QSize(648, 473)}) {
        m_form->window->resize(size);
        QApplication::processEvents();
        for (QWidget *w : controls)
            QCOMPARE(w->geometry(), before.value(w));
        QVERIFY(m_form->field(u"txtHab1"_s)->isHidden());
        QVERIFY(m_form->field(u"txtHab2"_s)->isHidden());
    }
}

// Where a label and a field overlap, the field is on top.
void TestForm1Layout::fieldsLieOverTheirLabels()
{
    for (const auto &[frame, field] :
         {std::pair{u"Frame1"_s, u"Combo1"_s}, std::pair{u"Frame1"_s, u"Combo2"_s},
          std::pair{u"Frame2"_s, u"Text3"_s}, std::pair{u"Frame2"_s, u"Text4"_s}}) {
        QWidget *control = m_form->get(field);
        QWidget *atPoint =
            m_form->get(frame)->childAt(control->geometry().topLeft() + QPoint(3, 3));
        QVERIFY2(atPoint == control || control->isAncestorOf(atPoint), qPrintable(field));
    }
}

// Each caption ends inside its box, and the label of a row before its field.
void TestForm1Layout::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("room"); // pixels the text may take

    // A button's bevel and a frame's border take a few pixels on each side.
    constexpr int ButtonMargin = 6;
    constexpr int FrameMargin = 16;
    const testsupport::WindowDescription form = form1Description();
    for (const testsupport::DescribedControl &c : form) {
        const QRect box = c.pixels();
        if (c.kind == u"frame"_s)
            QTest::newRow(qPrintable(c.name.toString()))
                << c.name.toString() << box.width() - FrameMargin;
        if (c.kind == u"command button"_s)
            QTest::newRow(qPrintable(c.name.toString()))
                << c.name.toString() << box.width() - ButtonMargin;
        if (c.kind != u"label"_s)
            continue;
        // Cut off by the frame's right border (Label9), or up to the field
        // of its row ("Remplacer :" and "Par :").
        int room =
            std::min(box.width(), described(form, c.container).pixels().width() - 2 - box.x());
        for (const testsupport::DescribedControl &field : form)
            if (field.container == c.container && field.top == c.top && field.left > c.left &&
                field.kind != u"label"_s)
                room = std::min(room, field.pixels().x() - box.x());
        QTest::newRow(qPrintable(c.name.toString())) << c.name.toString() << room;
    }
}

void TestForm1Layout::captionsFit()
{
    QFETCH(QString, name);
    QFETCH(int, room);
    QWidget *control = m_form->get(name);
    const int width = control->fontMetrics().horizontalAdvance(shownText(control));
    QVERIFY2(width <= room, qPrintable(u"%1 px for %2 px"_s.arg(width).arg(room)));
}

void TestForm1Layout::startUpContents()
{
    QCOMPARE(focusedControl(), u"Command1"_s);
    QCOMPARE(m_form->combo(u"Combo1"_s)->currentText(), u"Habillage 15"_s);
    QCOMPARE(m_form->combo(u"Combo2"_s)->currentText(), u"Habillage 1"_s);
    QCOMPARE(m_form->combo(u"Combo3"_s)->currentText(), u"Habillage 15"_s);
    // Nothing is brought into line: skin 15's colour is "#000000".
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"#333333"_s);
    QCOMPARE(m_form->field(u"txtHab2"_s)->text(), u"#333333"_s);
    // The folder field and the folder list show different folders.
    QCOMPARE(m_form->field(u"Text5"_s)->text(), form1test::startFolder());
    // The sentences are contents, not hints: they stay when the box has the focus.
    m_form->codeBox(u"text1"_s)->setFocus();
    QCOMPARE(m_form->code(u"text1"_s), u"Mettez ici votre code SkyBlog d'une déco...\n"_s);
    QVERIFY(m_form->codeBox(u"text1"_s)->placeholderText().isEmpty());
    for (const QString &name : Buttons) {
        QVERIFY(!m_form->button(name)->isDefault());
        QVERIFY(!m_form->button(name)->autoDefault());
    }
}

// The 24 labels in skin order, "Habillage 10" after "Habillage 9"; the list
// draws a square of each skin's key colour before its label, and a screen
// reader hears the colour, the entries holding their labels alone.
void TestForm1Layout::comboLists()
{
    for (const QString &name : {u"Combo1"_s, u"Combo2"_s, u"Combo3"_s}) {
        QComboBox *combo = m_form->combo(name);
        QVERIFY(combo->isEditable());
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items.append(combo->itemText(i));
            const QModelIndex index = combo->model()->index(i, 0);
            const QString colour = velbrisk::SkinColourTable.at(size_t(i)).keyColour.toString();
            QCOMPARE(swatchColour(combo, index), QColor::fromString(colour));
            QCOMPARE(index.data(Qt::AccessibleDescriptionRole).toString(),
                     u"couleur clé "_s + colour);
            QVERIFY(!index.data(Qt::DecorationRole).isValid());
        }
        QStringList expected;
        for (int n = 1; n <= 24; ++n)
            expected.append(u"Habillage %1"_s.arg(n));
        QCOMPARE(items, expected);
    }
}

void TestForm1Layout::colourFieldsNeverShownNorFocused()
{
    for (const QString &name : {u"txtHab1"_s, u"txtHab2"_s}) {
        QLineEdit *field = m_form->field(name);
        QVERIFY(field->isHidden());
        QCOMPARE(field->focusPolicy(), Qt::NoFocus);
        // Below the client area as well.
        QVERIFY(field->geometry().top() >= 473);
    }
}

// Tab walks the 18 controls that take the focus, then starts again;
// Shift+Tab walks them backwards.
void TestForm1Layout::tabOrder()
{
    QCOMPARE(focusedControl(), TabOrder.first());
    QStringList forwards{focusedControl()};
    for (int i = 0; i < TabOrder.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forwards.append(focusedControl());
    }
    QCOMPARE(forwards, TabOrder + QStringList{TabOrder.first()});

    QStringList backwards{focusedControl()};
    for (int i = 0; i < TabOrder.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backwards.append(focusedControl());
    }
    QStringList reversed{TabOrder.first()};
    for (auto it = TabOrder.crbegin(); it != TabOrder.crend(); ++it)
        reversed.append(*it);
    QCOMPARE(backwards, reversed);
    // The code boxes pass the focus on instead of taking the tab character.
    QCOMPARE(m_form->code(u"text1"_s), u"Mettez ici votre code SkyBlog d'une déco...\n"_s);
    QCOMPARE(m_form->code(u"text2"_s), u"Le code vous sera donné aprés une transformation...\n"_s);
}

// Right after start, Space presses "Transformer" of "Changement d'Habillage...".
void TestForm1Layout::spacePressesTheFocusedButton()
{
    QSignalSpy clicked(m_form->button(u"Command1"_s), &QPushButton::clicked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"#000000"_s);
    QCOMPARE(m_form->code(u"text2"_s), m_form->code(u"text1"_s));
}

void TestForm1Layout::enterAndEscapePressNothing_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name :
         {"Combo1", "Combo2", "Combo3", "Text3", "Text4", "Text5", "Text6", "text1", "text2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestForm1Layout::enterAndEscapePressNothing()
{
    QFETCH(QString, control);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QString &name : Buttons)
        spies.push_back(std::make_unique<QSignalSpy>(m_form->button(name), &QPushButton::clicked));

    m_form->get(control)->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(QApplication::focusWidget(), key);
    for (const auto &spy : spies)
        QCOMPARE(spy->size(), 0);
    QVERIFY(m_form->window->isVisible());
}

// Enter after a typed text keeps the text and adds nothing to the list.
void TestForm1Layout::typedComboTextStaysOutOfTheList()
{
    QComboBox *combo = m_form->combo(u"Combo3"_s);
    m_form->type(u"Combo3"_s, u"Mon habillage"_s);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    combo->clearFocus();
    QCOMPARE(combo->currentText(), u"Mon habillage"_s);
    QCOMPARE(combo->count(), 24);
    // Nothing completes a typed prefix either.
    m_form->type(u"Combo3"_s, u"Habil"_s);
    QCOMPARE(combo->currentText(), u"Habil"_s);
}

void TestForm1Layout::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("colour");

    const QColor background(0xEE, 0xEE, 0xEA);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    QTest::newRow("Form1 background") << u""_s << int(QPalette::Window) << background;
    QTest::newRow("Frame4 background") << u"Frame4"_s << int(QPalette::Window) << background;
    QTest::newRow("Command6 face") << u"Command6"_s << int(QPalette::Button) << QColor(0xFFE0C0);
    QTest::newRow("Command3 face") << u"Command3"_s << int(QPalette::Button) << QColor(0xC0FFFF);
    QTest::newRow("Command8 face") << u"Command8"_s << int(QPalette::Button) << QColor(0xC0FFC0);
    for (const char *name : {"Command1", "Command2", "Command4", "Command5", "Command7"})
        QTest::addRow("%s face", name)
            << QString::fromLatin1(name) << int(QPalette::Button) << white;
    for (const char *name : {"Label1", "Label7", "Label8", "Label9", "Label10"})
        QTest::addRow("%s ink", name)
            << QString::fromLatin1(name) << int(QPalette::WindowText) << black;
    for (const char *name : {"Text3", "Text4", "Text5", "Text6", "Combo1", "Combo2", "Combo3"}) {
        QTest::addRow("%s background", name)
            << QString::fromLatin1(name) << int(QPalette::Base) << white;
        QTest::addRow("%s text", name) << QString::fromLatin1(name) << int(QPalette::Text) << black;
    }
}

void TestForm1Layout::colours()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QColor, colour);
    QWidget *w = name.isEmpty() ? m_form->window.get() : m_form->get(name);
    QCOMPARE(w->palette().color(QPalette::ColorRole(role)), colour);
}

void TestForm1Layout::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");

    for (const char *name : {"Frame1", "Frame2", "Frame3", "Frame4", "Command3", "Command8"})
        QTest::newRow(name) << QString::fromLatin1(name) << 8.25 << true;
    for (const char *name : {"Command1", "Command6", "Command7", "Label1", "Label3", "Label9",
                             "Text5", "Combo1", "Dir1"})
        QTest::newRow(name) << QString::fromLatin1(name) << 8.25 << false;
    QTest::newRow("text1") << u"text1"_s << 8.5 << false;
    QTest::newRow("text2") << u"text2"_s << 8.5 << false;
}

// Tahoma: the system's, or Wine's loaded by the program.
void TestForm1Layout::fonts()
{
    QFETCH(QString, name);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    const QFont font = m_form->get(name)->font();
    QCOMPARE(QFontInfo(font).family(), u"Tahoma"_s);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
}

QTEST_MAIN(TestForm1Layout)
#include "test_form1layout.moc"
