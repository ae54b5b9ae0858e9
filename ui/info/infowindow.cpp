// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/info/infowindow.h"

#include "ui/common/messagebox.h"
#include "ui/info/linklabel_p.h"
#ifdef VELBRISK_HAVE_XCB
#include "ui/common/x11.h"
#endif

#include <QDesktopServices>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>

#include <array>
#include <string_view>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {

namespace {

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

// Asks the X11 window manager for no taskbar button and no pager entry: Qt
// has no flag that does it for an ordinary window without owner. The window
// must not be mapped yet: a mapped window's state changes only through
// messages to the window manager. Qt keeps these states when it maps it.
void keepOffTaskbar([[maybe_unused]] QWidget *window)
{
#ifdef VELBRISK_HAVE_XCB
    xcb_connection_t *connection = x11::connection();
    if (!connection)
        return;
    const auto xWindow = static_cast<xcb_window_t>(window->winId());

    constexpr std::array<std::string_view, 3> names = {
        "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
    std::array<xcb_atom_t, names.size()> atoms{};
    if (!x11::internAtoms(connection, names, atoms))
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xWindow, atoms[0], XCB_ATOM_ATOM, 32, 2,
                        &atoms[1]);
    xcb_flush(connection);
#endif
}

} // namespace

// The controls are built before anything else: the builder installs what
// screen readers are told before any interface is asked for.
InfoWindow::InfoWindow(QWidget *parent)
    : QWidget(parent, FrameFlags), m_controls(buildInfoWindow(this))
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"Information..."_s);
    setAttribute(Qt::WA_DeleteOnClose);

    // A focused button takes Enter as a click, like Space.
    m_controls.closeButton->installEventFilter(this);

    // "Fermer" only hides the window: it comes back where it was.
    connect(m_controls.closeButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_controls.officialBlog, &LinkLabel::clicked, this, &InfoWindow::openOfficialBlog);
    connect(m_controls.personalBlog, &LinkLabel::clicked, this, &InfoWindow::openPersonalBlog);
}

bool InfoWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_controls.closeButton && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_controls.closeButton->click();
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
