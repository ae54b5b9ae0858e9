// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Form1 as its description gives it: the window's own settings and the table
// of its controls, each with what screen readers are told of it; then how
// the controls of its own classes are made, and the window's own interface.
#include "core/startfolders.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/windowtable.h"
#include "ui/main/codebox.h"
#include "ui/main/dirlist.h"
#include "ui/main/mainwindow.h"
#include "ui/main/skinbox_p.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPushButton>

namespace velbrisk::ui {
namespace {

using namespace table;
using enum Kind;
using W = Form1Widgets;

// The window's own settings.
constexpr qreal FontPoints = 8.25;
constexpr qreal CodeFontPoints = 8.5;
// The client area, in pixels.
constexpr int Form1Width = 648;
constexpr int Form1Height = 473;

// The folder field starts on the user's own folder (the home folder, the
// Documents folder on Windows), which buildForm1 puts there once made.
constexpr QStringView UsersFolder = u"";

// Beside its caption, what a field is for, and which frame it is in where two
// fields share a caption; what the code buttons do, their captions saying
// least.
// clang-format off
constexpr Control<W> Form1Controls[] = {
//   name         kind         container  left    top  width height  caption or initial text                                    tab colour          style     member of Form1Widgets, and what a screen reader is told: name, description
    {u"Frame3",   Frame,       u"",        120,   120,  5775,  5535,  u"Codes...",                                               14, KindColour,     Plain},
    {u"Frame4",   Frame,       u"",       6000,   120,  3615,  5535,  u"Transformer pour tous les habillages...",                23, KindColour,     Plain},
    {u"Command6", Button,      u"",        120,  5760,  1575,  1215,  u"Informations...",                                        22, rgb(0xFFE0C0),  Plain,    to<&W::showInformation>},
    {u"Frame1",   Frame,       u"",       1800,  5760,  4095,  1215,  u"Changement d'Habillage...",                               2, KindColour,     Plain},
    {u"Frame2",   Frame,       u"",       6000,  5760,  3615,  1215,  u"Changement de caractère(s)",                              6, KindColour,     Plain},
    {u"txtHab1",  TextBox,     u"",       7560,  9120,  1575,   285,  u"#333333",                                                 0, KindColour,     Hidden,   to<&W::baseColour>},
    {u"txtHab2",  TextBox,     u"",       7560,  9480,  1575,   285,  u"#333333",                                                 1, KindColour,     Hidden,   to<&W::targetColour>},

    {u"Label1",   Label,       u"Frame3",  240,   360,  2055,   255,  u"Code SkyBlog de la déco :",                              18, rgb(0x000000),  Plain},
    {u"text1",    RichTextBox, u"Frame3",  240,   600,  4575,  2415,  u"Mettez ici votre code SkyBlog d'une déco...\n",          16, KindColour,     Plain,    to<&W::inputCode>,         u"Code SkyBlog de la déco"},
    {u"Command5", Button,      u"Frame3", 4920,   600,   735,  1215,  u"Coller",                                                 21, rgb(0xFFFFFF),  Plain,    to<&W::pasteInput>,        {},                                     u"Colle le presse-papiers dans le code de la déco"},
    {u"Command4", Button,      u"Frame3", 4920,  1920,   735,  1095,  u"Eff",                                                    20, rgb(0xFFFFFF),  Plain,    to<&W::clearInput>,        {},                                     u"Efface le code de la déco"},
    {u"Label2",   Label,       u"Frame3",  240,  3120,  2535,   255,  u"Code SkyBlog pour votre article :",                      17, KindColour,     Plain},
    {u"text2",    RichTextBox, u"Frame3",  240,  3360,  4575,  1935,  u"Le code vous sera donné aprés une transformation...\n",  15, KindColour,     Plain,    to<&W::outputCode>,        u"Code SkyBlog pour votre article"},
    {u"Command3", Button,      u"Frame3", 4920,  3360,   735,  1935,  u"Copier",                                                 19, rgb(0xC0FFFF),  Bold,     to<&W::copyOutput>,        {},                                     u"Copie le code transformé dans le presse-papiers"},

    {u"Label8",   Label,       u"Frame4",  240,   360,  2535,   255,  u"Nom des fichiers :",                                     26, rgb(0x000000),  Plain},
    {u"Text6",    TextBox,     u"Frame4",  240,   600,  1695,   285,  u"habillage",                                              27, KindColour,     Plain,    to<&W::prefix>,            u"Nom des fichiers"},
    {u"Label9",   Label,       u"Frame4", 2040,   600,  2535,   255,  u"(1,2,3,4,...) .txt",                                     28, rgb(0x000000),  Plain},
    {u"Label10",  Label,       u"Frame4",  240,  1080,  2535,   255,  u"Habillage de base :",                                    30, rgb(0x000000),  Plain},
    {u"Combo3",   Combo,       u"Frame4",  240,  1320,  2295,   315,  u"Habillage 15",                                           29, KindColour,     Plain,    to<&W::batchBaseSkin>,     u"Habillage de base"},
    {u"Label7",   Label,       u"Frame4",  240,  1800,  2535,   255,  u"Chemin du dossier de stockage :",                        24, rgb(0x000000),  Plain},
    {u"Text5",    TextBox,     u"Frame4",  240,  2040,  3255,   285,  UsersFolder,                                               25, KindColour,     Plain,    to<&W::folder>,            u"Chemin du dossier de stockage"},
    {u"Dir1",     DirListBox,  u"Frame4",  240,  2400,  3255,  1890,  u"",                                                       32, KindColour,     Plain,    to<&W::folderList>,        u"Dossier de stockage"},
    {u"Command8", Button,      u"Frame4",  240,  4440,  3255,   495,  u"Créer les fichiers txt...",                              31, rgb(0xC0FFC0),  Bold,     to<&W::writeAllSkins>},
    {u"Command7", Button,      u"Frame4",  240,  5040,  3255,   255,  u"Aide pour cette option...",                              33, rgb(0xFFFFFF),  Plain,    to<&W::showHelp>},

    {u"Label3",   Label,       u"Frame1",  240,   360,  2055,   255,  u"Remplacer :",                                            10, KindColour,     Plain},
    {u"Combo1",   Combo,       u"Frame1", 1320,   360,  1335,   315,  u"Habillage 15",                                            5, KindColour,     Plain,    to<&W::baseSkin>,          u"Remplacer (changement d'habillage)"},
    {u"Label5",   Label,       u"Frame1",  240,   720,  2055,   255,  u"Par :",                                                  12, KindColour,     Plain},
    {u"Combo2",   Combo,       u"Frame1", 1320,   720,  1335,   315,  u"Habillage 1",                                             4, KindColour,     Plain,    to<&W::targetSkin>,        u"Par (changement d'habillage)"},
    {u"Command1", Button,      u"Frame1", 2760,   360,  1215,   615,  u"Transformer",                                             3, rgb(0xFFFFFF),  Plain,    to<&W::convertSkin>,       {},                                     u"Changement d'Habillage"},

    {u"Label4",   Label,       u"Frame2",  240,   360,  2055,   255,  u"Remplacer :",                                            11, KindColour,     Plain},
    {u"Text3",    TextBox,     u"Frame2", 1320,   360,   855,   285,  u"#000000",                                                 7, KindColour,     Plain,    to<&W::searchText>,        u"Remplacer (changement de caractères)"},
    {u"Label6",   Label,       u"Frame2",  240,   720,  2055,   255,  u"Par :",                                                  13, KindColour,     Plain},
    {u"Text4",    TextBox,     u"Frame2", 1320,   720,   855,   285,  u"#333333",                                                 8, KindColour,     Plain,    to<&W::replacementText>,   u"Par (changement de caractères)"},
    {u"Command2", Button,      u"Frame2", 2280,   360,  1215,   615,  u"Transformer",                                             9, rgb(0xFFFFFF),  Plain,    to<&W::replaceText>,       {},                                     u"Changement de caractère(s)"},
};
// clang-format on

static_assert(Checked<Form1Controls>::value);

// Tahoma throughout, frame captions in bold, the codes a little larger.
QFont form1Font(Kind kind, int style)
{
    return tahomaFont(kind == RichTextBox ? CodeFontPoints : FontPoints,
                      kind == Frame || (style & Bold));
}

// A skin box, the folder list or a code box holding `text`, as the row's kind
// says; the builder makes the other kinds.
QWidget *makeForm1Control(const Row &control, const QString &text, QWidget *container)
{
    switch (control.kind) {
    case Combo:
        return new SkinBox(text, container);
    case DirListBox:
        return new DirList(container);
    case RichTextBox: {
        auto *box = new CodeBox(container);
        // The initial text is where the history starts, no step of it.
        box->setPlainText(text);
        return box;
    }
    default:
        qFatal("Form1 has no control of its own of kind %d", int(control.kind));
    }
}

// The window itself: a frame for the screen reader, whose hidden controls (the
// colour fields) are not among its children, since no one sees them.
class Form1Accessible : public QAccessibleWidget
{
public:
    explicit Form1Accessible(QWidget *window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return int(shownChildren().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QWidgetList children = shownChildren();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(shownChildren().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QWidgetList shownChildren() const
    {
        QWidgetList children;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && !child->isWindow() && !child->isHidden())
                children.append(child);
        }
        return children;
    }
};

// The interfaces of the main window and its skin boxes: Velbrisk's own
// classes alone, so that no other widget reads differently.
QAccessibleInterface *form1Interface(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(MainWindow::staticMetaObject.className()))
        return new Form1Accessible(static_cast<QWidget *>(object));
    return skinBoxInterface(className, object);
}

} // namespace

Form1Widgets buildForm1(QWidget *window)
{
    const Look look{.face = WindowBackground,
                    .ink = rgb(Ink),
                    .font = form1Font,
                    .windowFont = true,
                    .make = makeForm1Control,
                    .interfaces = form1Interface};
    Form1Widgets widgets = build(window, Form1Controls, look);
    widgets.folder->setText(UserFolder());
    widgets.folder->setCursorPosition(0);
    window->resize(Form1Width, Form1Height);
    return widgets;
}

} // namespace velbrisk::ui
