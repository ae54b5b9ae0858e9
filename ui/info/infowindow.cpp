// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/info/infowindow.h"

#include "ui/common/colours.h"
#include "ui/common/fonts.h"
#include "ui/common/messagebox.h"
#include "ui/info/x11skiptaskbar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {

// A label that reports a click: a press and a release of the left button on it.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

namespace {

// Where the client area lies when the window is loaded, in pixels.
constexpr int InfoLeft = 437;
constexpr int InfoTop = 75;
constexpr int InfoWidth = 312;
constexpr int InfoHeight = 187;

// A fixed frame with a title and a close box only. On Windows a tool window
// keeps it off the taskbar and out of the icon; elsewhere the window stays an
// ordinary one without owner, so that either window can come in front of the
// other. (A utility window would do for the taskbar, but Metacity keeps one
// without owner above every window of the program.)
#ifdef Q_OS_WIN
// Without the fixed-size hint Windows gives the window a sizing border.
constexpr Qt::WindowFlags FrameFlags = Qt::Tool | Qt::MSWindowsFixedSizeDialogHint |
                                       Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowCloseButtonHint;
#else
constexpr Qt::WindowFlags FrameFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
#endif

QFont labelFont(bool bold, bool underline = false)
{
    QFont font = verdanaFont(6.75, bold);
    font.setUnderline(underline);
    return font;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A label on one line, as wide as its text, with the window showing through.
template <typename Label = QLabel>
Label *addLabel(QWidget *parent, const char *name, QStringView text, int left, int top,
                const QFont &font, const QColor &colour)
{
    auto *label = new Label(text.toString(), parent);
    label->setObjectName(QLatin1StringView(name));
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    setColour(label, QPalette::WindowText, colour);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// A one-pixel black outline, transparent inside.
class Shape : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// A link label reads as a link named after the address it shows, and a
// screen reader's press does what a click does: the labels take no focus.
class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(LinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<LinkLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            Q_EMIT static_cast<LinkLabel *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(name);
    }
};

// The window reads as a window, and the panel under "Fermer" as a panel
// rather than as a border.
QAccessibleInterface *infoFactory(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(LinkLabel::staticMetaObject.className()))
        return new LinkAccessible(static_cast<LinkLabel *>(object));
    if (className == QLatin1StringView(InfoWindow::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == u"QFrame" && qobject_cast<InfoWindow *>(object->parent()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

InfoWindow::InfoWindow(QWidget *parent) : QWidget(parent, FrameFlags)
{
    // Before any control exists: an interface, once asked for, is kept.
    [[maybe_unused]] static const bool readable = (QAccessible::installFactory(infoFactory), true);
    setObjectName(u"Form2"_s);
    setWindowTitle(u"Information..."_s);
    setAttribute(Qt::WA_DeleteOnClose);

    const QColor buttonFace = palette().color(QPalette::Button);
    setColour(this, QPalette::Window, WindowBackground);
    setAutoFillBackground(true);
    setFixedSize(InfoWidth, InfoHeight);
    setGeometry(InfoLeft, InfoTop, InfoWidth, InfoHeight);

    auto *portrait = new QLabel(this);
    portrait->setObjectName(u"Image1"_s);
    portrait->setPixmap(QPixmap(u":/info/image1.png"_s));
    portrait->setScaledContents(true);
    portrait->setGeometry(8, 8, 97, 137);
    portrait->setAccessibleName(u"Portrait de ZeNdAl"_s);
    portrait->setAccessibleDescription(
        u"L'auteur, casque sur les oreilles, sous un ciel de nuit"_s);
    // The outline lies over the picture and frames it.
    auto *outline = new Shape(this);
    outline->setObjectName(u"Shape1"_s);
    outline->setAttribute(Qt::WA_TransparentForMouseEvents);
    outline->setGeometry(8, 8, 97, 137);

    const QFont regular = labelFont(false);
    const QFont bold = labelFont(true);
    const QColor ink(Ink);
    addLabel(this, "Label1", u"Nick :", 120, 8, bold, ink);
    addLabel(this, "Label2", u"Date de naissance :", 120, 32, bold, ink);
    addLabel(this, "Label4", u"Blog officiel :", 120, 64, bold, ink);
    addLabel(this, "Label5", u"Blog perso :", 120, 104, bold, ink);
    addLabel(this, "Label6", u"ZeNdAl [ KwR-Production ]", 160, 8, regular, ink);
    addLabel(this, "Label7", BirthDate, 240, 32, regular, ink);

    const QFont link = labelFont(false, true);
    const QColor blue(0x00, 0x00, 0xFF);
    auto *officialBlog =
        addLabel<LinkLabel>(this, "Label9", OfficialBlogAddress, 120, 80, link, blue);
    auto *personalBlog =
        addLabel<LinkLabel>(this, "Label10", PersonalBlogAddress, 120, 120, link, blue);
    for (LinkLabel *label : {officialBlog, personalBlog})
        label->setCursor(Qt::WhatsThisCursor);

    auto *closePanel = new QFrame(this);
    closePanel->setObjectName(u"Picture7"_s);
    closePanel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    closePanel->setFocusPolicy(Qt::StrongFocus);
    setColour(closePanel, QPalette::Window, buttonFace);
    closePanel->setAutoFillBackground(true);
    closePanel->setGeometry(8, 152, 294, 30);
    closePanel->setAccessibleName(u"Fermeture de la fenêtre"_s);

    m_closeButton = new QPushButton(u"Fermer"_s, closePanel);
    m_closeButton->setObjectName(u"Command1"_s);
    m_closeButton->setFont(bold);
    setColour(m_closeButton, QPalette::Button, Qt::white);
    m_closeButton->setAutoDefault(false);
    m_closeButton->setDefault(false);
    m_closeButton->setFocusPolicy(Qt::StrongFocus);
    m_closeButton->setGeometry(QRect(closePanel->contentsRect().topLeft(), QSize(289, 25)));
    m_closeButton->setAccessibleDescription(u"Ferme la fenêtre d'information"_s);
    // A focused button takes Enter as a click, like Space.
    m_closeButton->installEventFilter(this);

    setTabOrder(closePanel, m_closeButton);
    closePanel->setFocus();

    // "Fermer" only hides the window: it comes back where it was.
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(officialBlog, &LinkLabel::clicked, this, &InfoWindow::openOfficialBlog);
    connect(personalBlog, &LinkLabel::clicked, this, &InfoWindow::openPersonalBlog);
}

bool InfoWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_closeButton && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_closeButton->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Once a window is withdrawn, X11 window managers such as Metacity hand it
// back at the place of their frame, and Qt takes that for the window's own
// place: shown again, it would sit a title bar higher each time. So the
// window notes where it was and goes back there.
void InfoWindow::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        m_hiddenAt = geometry().topLeft();
    QWidget::hideEvent(event);
}

// The show event comes before the window is mapped: the place to ask, each
// time, for no taskbar button, since window managers drop the states of a
// window they withdraw.
void InfoWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        keepOffTaskbar(this);
        if (m_hiddenAt) {
            setGeometry(QRect(*m_hiddenAt, size()));
            m_hiddenAt.reset();
        }
    }
    QWidget::showEvent(event);
}

void InfoWindow::openOfficialBlog()
{
    openAddress(OfficialBlogAddress);
}

// The personal blog's label leads to the home page, as it always has.
void InfoWindow::openPersonalBlog()
{
    openAddress(HomePageAddress);
}

void InfoWindow::openAddress(QStringView address)
{
    const QString text = address.toString();
    if (!QDesktopServices::openUrl(QUrl(text)))
        showError(this, u"Impossible d'ouvrir l'adresse %1 : aucun navigateur web n'a pu "
                        u"être lancé."_s.arg(text));
}

} // namespace velbrisk::ui

#include "infowindow.moc"
