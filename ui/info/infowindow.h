// The information window: the author, two links and "Fermer".
#pragma once

#include <QLabel>
#include <QStringView>
#include <QWidget>

#include <optional>

class QFrame;
class QPushButton;

namespace velbrisk::ui {

// The author's addresses. "Blog perso :" shows the personal blog but opens
// the home page: the links keep their own copies and never read a label.
inline constexpr QStringView OfficialBlogAddress = u"http://zendal.skyblog.example/";
inline constexpr QStringView PersonalBlogAddress = u"http://zendal-perso.blog.example/";
inline constexpr QStringView HomePageAddress = u"http://www.kwr-production.example/";
inline constexpr QStringView BirthDate = u"17/03/88";

// Where the client area lies when the window is loaded, in pixels.
inline constexpr int InfoLeft = 437;
inline constexpr int InfoTop = 75;
inline constexpr int InfoWidth = 312;
inline constexpr int InfoHeight = 187;

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
    void Command1_Click();
    void Label9_Click();
    void Label10_Click();
    void openAddress(QStringView address);

    QFrame *m_picture7 = nullptr;
    QPushButton *m_command1 = nullptr;
    // Where the client area was when "Fermer" hid the window.
    std::optional<QPoint> m_hiddenAt;
};

} // namespace velbrisk::ui
