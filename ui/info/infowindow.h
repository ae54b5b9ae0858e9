// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The information window: the author, two links and "Fermer".
#pragma once

#include <QStringView>
#include <QWidget>

#include <optional>

class QPushButton;

namespace velbrisk::ui {

class LinkLabel;

// The author's addresses. "Blog perso :" shows the personal blog but opens
// the home page: the links keep their own copies and never read a label.
inline constexpr QStringView OfficialBlogAddress = u"http://zendal.skyblog.example/";
inline constexpr QStringView PersonalBlogAddress = u"http://zendal-perso.blog.example/";
inline constexpr QStringView HomePageAddress = u"http://www.kwr-production.example/";
inline constexpr QStringView BirthDate = u"17/03/88";

// The controls the information window connects, as its table
// (infolayout.cpp) builds them.
struct InfoWidgets
{
    LinkLabel *officialBlog = nullptr;
    LinkLabel *personalBlog = nullptr;
    QPushButton *closeButton = nullptr;
};

// Creates every control of Form2 on `window`, gives the window its size,
// place and colour and its controls their tab order. Connects nothing.
InfoWidgets buildInfoWindow(QWidget *window);

// A top-level window without owner, deleted when its close box is used; the
// holder in the main window then loads a fresh one on the next request.
class InfoWindow : public QWidget
{
    Q_OBJECT
public:
    explicit InfoWindow(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void openOfficialBlog();
    void openPersonalBlog();
    void openAddress(QStringView address);

    const InfoWidgets m_controls;
    // Where the client area was when "Fermer" hid the window.
    std::optional<QPoint> m_hiddenAt;
};

} // namespace velbrisk::ui
