#include "ui/main/form1layout.h"

#include "core/skintable.h"
#include "ui/common/fonts.h"
#include "ui/main/codebox.h"
#include "ui/main/dirlist.h"
#include "ui/main/form1accessible.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string_view>
#include <vector>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {
namespace {

enum class Kind
{
    Frame,       // a frame with its caption in the top border
    Label,       // one line of text, the colour beneath showing through
    Button,      // a push button with its own face colour
    TextBox,     // one line of text
    Combo,       // an editable drop-down list of the 24 skin labels
    DirListBox,  // the folder list
    RichTextBox, // a box of several lines holding a code
};

enum Flags
{
    Plain = 0,
    Bold = 1,     // caption in bold
    BlackInk = 2, // label text in black rather than the button-text colour
    Hidden = 4,   // never shown, never focused
};

constexpr QRgb NoFace = 0; // the style's own face colour
constexpr QRgb Face(QRgb rgb)
{
    return 0xff000000u | rgb;
}

// The folder field starts on a folder that exists and every user can write:
// the drive root on Windows, the home folder elsewhere ("~" stands for it).
#ifdef Q_OS_WIN
constexpr QStringView StartFolder = u"C:\\";
#else
constexpr QStringView StartFolder = u"~";
#endif

struct Control
{
    QStringView name;
    Kind kind;
    QStringView container;        // empty: the window itself
    int left, top, width, height; // twips, from the container's top-left corner
    QStringView text;             // caption or initial text
    int tabIndex;
    QRgb face;
    int flags;
};

using enum Kind;

// clang-format off
constexpr Control Form1Controls[] = {
//   name         kind         container   left    top  width height  caption or initial text                                   tab  face            flags
    {u"Frame3",   Frame,       u"",         120,   120,  5775,  5535,  u"Codes...",                                              14, NoFace,         Plain},
    {u"Frame4",   Frame,       u"",        6000,   120,  3615,  5535,  u"Transformer pour tous les habillages...",               23, NoFace,         Plain},
    {u"Command6", Button,      u"",         120,  5760,  1575,  1215,  u"Informations...",                                       22, Face(0xFFE0C0), Plain},
    {u"Frame1",   Frame,       u"",        1800,  5760,  4095,  1215,  u"Changement d'Habillage...",                              2, NoFace,         Plain},
    {u"Frame2",   Frame,       u"",        6000,  5760,  3615,  1215,  u"Changement de caractère(s)",                             6, NoFace,         Plain},
    {u"txtHab1",  TextBox,     u"",        7560,  9120,  1575,   285,  u"#333333",                                                0, NoFace,         Hidden},
    {u"txtHab2",  TextBox,     u"",        7560,  9480,  1575,   285,  u"#333333",                                                1, NoFace,         Hidden},

    {u"Label1",   Label,       u"Frame3",   240,   360,  2055,   255,  u"Code SkyBlog de la déco :",                             18, NoFace,         BlackInk},
    {u"text1",    RichTextBox, u"Frame3",   240,   600,  4575,  2415,  u"Mettez ici votre code SkyBlog d'une déco...\n",         16, NoFace,         Plain},
    {u"Command5", Button,      u"Frame3",  4920,   600,   735,  1215,  u"Coller",                                                21, Face(0xFFFFFF), Plain},
    {u"Command4", Button,      u"Frame3",  4920,  1920,   735,  1095,  u"Eff",                                                   20, Face(0xFFFFFF), Plain},
    {u"Label2",   Label,       u"Frame3",   240,  3120,  2535,   255,  u"Code SkyBlog pour votre article :",                     17, NoFace,         Plain},
    {u"text2",    RichTextBox, u"Frame3",   240,  3360,  4575,  1935,  u"Le code vous sera donné aprés une transformation...\n",  15, NoFace,         Plain},
    {u"Command3", Button,      u"Frame3",  4920,  3360,   735,  1935,  u"Copier",                                                19, Face(0xC0FFFF), Bold},

    {u"Label8",   Label,       u"Frame4",   240,   360,  2535,   255,  u"Nom des fichiers :",                                    26, NoFace,         BlackInk},
    {u"Text6",    TextBox,     u"Frame4",   240,   600,  1695,   285,  u"habillage",                                             27, NoFace,         Plain},
    {u"Label9",   Label,       u"Frame4",  2040,   600,  2535,   255,  u"(1,2,3,4,...) .txt",                                    28, NoFace,         BlackInk},
    {u"Label10",  Label,       u"Frame4",   240,  1080,  2535,   255,  u"Habillage de base :",                                   30, NoFace,         BlackInk},
    {u"Combo3",   Combo,       u"Frame4",   240,  1320,  2295,   315,  u"Habillage 15",                                          29, NoFace,         Plain},
    {u"Label7",   Label,       u"Frame4",   240,  1800,  2535,   255,  u"Chemin du dossier de stockage :",                       24, NoFace,         BlackInk},
    {u"Text5",    TextBox,     u"Frame4",   240,  2040,  3255,   285,  StartFolder,                                              25, NoFace,         Plain},
    {u"Dir1",     DirListBox,  u"Frame4",   240,  2400,  3255,  1890,  u"",                                                      32, NoFace,         Plain},
    {u"Command8", Button,      u"Frame4",   240,  4440,  3255,   495,  u"Créer les fichiers txt...",                             31, Face(0xC0FFC0), Bold},
    {u"Command7", Button,      u"Frame4",   240,  5040,  3255,   255,  u"Aide pour cette option...",                             33, Face(0xFFFFFF), Plain},

    {u"Label3",   Label,       u"Frame1",   240,   360,  2055,   255,  u"Remplacer :",                                           10, NoFace,         Plain},
    {u"Combo1",   Combo,       u"Frame1",  1320,   360,  1335,   315,  u"Habillage 15",                                           5, NoFace,         Plain},
    {u"Label5",   Label,       u"Frame1",   240,   720,  2055,   255,  u"Par :",                                                 12, NoFace,         Plain},
    {u"Combo2",   Combo,       u"Frame1",  1320,   720,  1335,   315,  u"Habillage 1",                                            4, NoFace,         Plain},
    {u"Command1", Button,      u"Frame1",  2760,   360,  1215,   615,  u"Transformer",                                            3, Face(0xFFFFFF), Plain},

    {u"Label4",   Label,       u"Frame2",   240,   360,  2055,   255,  u"Remplacer :",                                           11, NoFace,         Plain},
    {u"Text3",    TextBox,     u"Frame2",  1320,   360,   855,   285,  u"#000000",                                                7, NoFace,         Plain},
    {u"Label6",   Label,       u"Frame2",   240,   720,  2055,   255,  u"Par :",                                                 13, NoFace,         Plain},
    {u"Text4",    TextBox,     u"Frame2",  1320,   720,   855,   285,  u"#333333",                                                8, NoFace,         Plain},
    {u"Command2", Button,      u"Frame2",  2280,   360,  1215,   615,  u"Transformer",                                            9, Face(0xFFFFFF), Plain},
};
// clang-format on

// What a screen reader says of a control, beyond its role: the caption a
// sighted person reads beside it, and its frame where two fields share one.
// A button keeps its caption as name. Controls not listed say their own text.
struct Speech
{
    QStringView control;
    QStringView name;
    QStringView description;
};

// clang-format off
constexpr Speech Form1Speech[] = {
//   control      accessible name                            accessible description
    {u"text1",    u"Code SkyBlog de la déco",                 u""},
    {u"text2",    u"Code SkyBlog pour votre article",         u""},
    {u"Command5", u"",                                        u"Colle le presse-papiers dans le code de la déco"},
    {u"Command4", u"",                                        u"Efface le code de la déco"},
    {u"Command3", u"",                                        u"Copie le code transformé dans le presse-papiers"},
    {u"Text6",    u"Nom des fichiers",                        u""},
    {u"Combo3",   u"Habillage de base",                       u""},
    {u"Text5",    u"Chemin du dossier de stockage",           u""},
    {u"Dir1",     u"Dossier de stockage",                     u""},
    {u"Combo1",   u"Remplacer (changement d'habillage)",      u""},
    {u"Combo2",   u"Par (changement d'habillage)",            u""},
    {u"Command1", u"",                                        u"Changement d'Habillage"},
    {u"Text3",    u"Remplacer (changement de caractères)",    u""},
    {u"Text4",    u"Par (changement de caractères)",          u""},
    {u"Command2", u"",                                        u"Changement de caractère(s)"},
};
// clang-format on

// Only controls that take the focus are spoken of, each once.
constexpr bool speaksOfFocusedControlsOnce()
{
    for (const Speech &s : Form1Speech) {
        const auto same = [&](QStringView name) {
            return std::u16string_view(name.utf16(), size_t(name.size())) ==
                   std::u16string_view(s.control.utf16(), size_t(s.control.size()));
        };
        if (std::ranges::count_if(Form1Speech, [&](const Speech &o) { return same(o.control); }) !=
            1)
            return false;
        if (std::ranges::count_if(Form1Controls, [&](const Control &c) {
                return same(c.name) && c.kind != Frame && c.kind != Label && !(c.flags & Hidden);
            }) != 1)
            return false;
    }
    return true;
}
static_assert(speaksOfFocusedControlsOnce());

constexpr int TwipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return twips / TwipsPerPixel;
}

// Every place and size falls on a whole pixel.
static_assert(std::ranges::all_of(Form1Controls, [](const Control &c) {
    return c.left % TwipsPerPixel == 0 && c.top % TwipsPerPixel == 0 &&
           c.width % TwipsPerPixel == 0 && c.height % TwipsPerPixel == 0;
}));
static_assert(std::size(Form1Controls) == 34);

// The window's own settings.
constexpr QRgb Background = 0xEEEEEA;
constexpr QRgb Ink = 0x000000;
constexpr QRgb FieldBackground = 0xFFFFFF;
constexpr qreal FontPoints = 8.25;
constexpr qreal CodeFontPoints = 8.5;

void setColour(QWidget *widget, QPalette::ColorRole role, QRgb rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(role, QColor::fromRgb(rgb));
    widget->setPalette(palette);
}

void setFieldColours(QWidget *widget)
{
    setColour(widget, QPalette::Base, FieldBackground);
    setColour(widget, QPalette::Text, Ink);
}

QString initialText(const Control &c)
{
    if (c.text == u"~")
        return QDir::toNativeSeparators(QDir::homePath());
    return c.text.toString();
}

QWidget *create(const Control &c, QWidget *container)
{
    const QString text = initialText(c);
    QWidget *widget = nullptr;
    switch (c.kind) {
    case Frame: {
        auto *frame = new QGroupBox(text, container);
        setColour(frame, QPalette::WindowText, frame->palette().color(QPalette::ButtonText).rgb());
        widget = frame;
        break;
    }
    case Label: {
        auto *label = new QLabel(text, container);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(false);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (c.flags & BlackInk)
            setColour(label, QPalette::WindowText, Ink);
        else
            setColour(label, QPalette::WindowText,
                      label->palette().color(QPalette::ButtonText).rgb());
        widget = label;
        break;
    }
    case Button: {
        auto *button = new QPushButton(text, container);
        button->setAutoDefault(false);
        button->setDefault(false);
        setColour(button, QPalette::Button, c.face);
        widget = button;
        break;
    }
    case TextBox: {
        auto *box = new QLineEdit(text, container);
        box->setAlignment(Qt::AlignLeft);
        box->setCursorPosition(0);
        if (!(c.flags & Hidden))
            setFieldColours(box);
        widget = box;
        break;
    }
    case Combo: {
        auto *combo = new QComboBox(container);
        combo->setEditable(true);
        // The list never grows, and typed text is never completed.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        for (const SkinEntry &skin : SkinColourTable)
            combo->addItem(skin.label.toString());
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
        combo->setEditText(text);
        setFieldColours(combo);
        widget = combo;
        break;
    }
    case DirListBox:
        widget = new velbrisk::ui::DirList(container);
        break;
    case RichTextBox: {
        auto *box = new velbrisk::ui::CodeBox(container);
        box->setFont(tahomaFont(CodeFontPoints));
        box->setCode(text);
        widget = box;
        break;
    }
    }
    widget->setObjectName(c.name.toString());
    for (const Speech &s : Form1Speech) {
        if (s.control == c.name) {
            widget->setAccessibleName(s.name.toString());
            widget->setAccessibleDescription(s.description.toString());
        }
    }
    // Frame captions are always bold; their controls set their own fonts.
    if (c.kind != RichTextBox)
        widget->setFont(tahomaFont(FontPoints, c.kind == Frame || (c.flags & Bold)));
    widget->setGeometry(pixels(c.left), pixels(c.top), pixels(c.width), pixels(c.height));
    return widget;
}

bool takesFocus(const Control &c)
{
    return c.kind != Frame && c.kind != Label && !(c.flags & Hidden);
}

} // namespace

void buildForm1(QWidget *window)
{
    installForm1Accessibility();
    window->setAutoFillBackground(true);
    setColour(window, QPalette::Window, Background);
    setColour(window, QPalette::WindowText, Ink);
    window->setFont(tahomaFont(FontPoints));

    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const Control &c : Form1Controls) {
        QWidget *container =
            c.container.isEmpty() ? window : window->findChild<QWidget *>(c.container.toString());
        Q_ASSERT(container);
        QWidget *widget = create(c, container);
        if (c.flags & Hidden)
            widget->hide();
        if (c.kind == Label)
            widget->lower(); // fields lie over the right part of their labels
        if (takesFocus(c))
            tabOrder.emplace_back(c.tabIndex, widget);
        else
            widget->setFocusPolicy(Qt::NoFocus);
    }

    std::ranges::sort(tabOrder);
    for (size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    tabOrder.front().second->setFocus();
}

} // namespace velbrisk::ui
