// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of the main window's actions on big codes, offscreen: "Coller",
// "Transformer" and the batch, each measured from the click until the window
// has handled every event it caused; then what the code boxes' undo history
// costs in time and memory; last "Transformer" and a page's scroll of its
// result on codes where every line holds replacements, which the marks of
// the replaced spots must leave as fast as they were without them.
#include "core/skinfilewriter.h"
#include "ui/common/fonts.h"
#include "ui/common/messagebox.h"
#include "ui/main/codebox.h"
#include "ui/main/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

double clickTime(QAbstractButton *button, int runs)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        button->click();
        QApplication::processEvents();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

QString codeOf(qsizetype size, qsizetype lineLength)
{
    const QString css =
        u".t{color:#000000;background:#ffffff;padding:2px;margin:0}a{color:#000000}"_s;
    QString code;
    code.reserve(size + size / lineLength + css.size());
    qsizetype column = 0;
    for (qsizetype i = 0; code.size() < size; ++i) {
        code.append(css.at(i % css.size()));
        if (++column == lineLength) {
            code.append(u'\n');
            column = 0;
        }
    }
    return code;
}

// The program's resident memory in MiB (Linux; 0 elsewhere).
double residentMiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

template <typename F> double timeOf(F &&action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    QApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}

// A code of `size` characters in lines of `lineLength`.
struct Size
{
    const char *name;
    qsizetype size;
    qsizetype lineLength;
};

// A box filled without history, as setPlainText() does, against one undoable
// step, on the same box and code.
void historyStepCost()
{
    std::printf("\n| code | text set without history | one undoable step | ratio |\n"
                "|---|---|---|---|\n");
    for (const Size &s : {Size{"50 KB, 40-character lines", 50 * 1024, 40},
                          Size{"1 MB, 40-character lines", 1024 * 1024, 40},
                          Size{"1 MB, one single line", 1024 * 1024, 1 << 30}}) {
        const QString a = codeOf(s.size, s.lineLength);
        const QString b = QString(a).replace(u"#000000"_s, u"#333333"_s);
        velbrisk::ui::CodeBox box;
        box.show();
        double plain = 1e30, step = 1e30;
        for (int i = 0; i < 3; ++i) {
            plain = std::min(plain, timeOf([&] { box.setPlainText(i % 2 ? a : b); }));
            step = std::min(step, timeOf([&] { box.setCode(i % 2 ? b : a); }));
        }
        std::printf("| %s | %.1f ms | %.1f ms | %.2f× |\n", s.name, plain, step, step / plain);
    }
}

// Ten actions on a 32 MB code, then undo: the time of each and the memory
// the program holds after it.
void hugeCodeHistory(QWidget &window, const std::function<QAbstractButton *(const char *)> &button)
{
    const QString code = codeOf(32 * 1024 * 1024, 60);
    QGuiApplication::clipboard()->setText(code);
    std::printf("\n| 32 MB code, action | time | resident memory after |\n|---|---|---|\n");
    std::printf("| before the first action | | %.0f MiB |\n", residentMiB());
    const char *actions[][2] = {
        {"Command5", "Coller"},
        {"Command1", "Transformer"},
        {"Command4", "Eff"},
        {"Command5", "Coller"},
        {"Command2", "Transformer (caractères)"},
        {"Command1", "Transformer"},
        {"Command4", "Eff"},
        {"Command5", "Coller"},
        {"Command1", "Transformer"},
        {"Command5", "Coller"},
    };
    int n = 0;
    for (const auto &action : actions) {
        const double ms = timeOf([&] { button(action[0])->click(); });
        std::printf("| %d. « %s » | %.0f ms | %.0f MiB |\n", ++n, action[1], ms, residentMiB());
    }
    for (const char *box : {"text1", "text2"}) {
        auto *codeBox = window.findChild<velbrisk::ui::CodeBox *>(QString::fromLatin1(box));
        const double ms = timeOf([&] { codeBox->undo(); });
        std::printf("| undo in %s | %.0f ms | %.0f MiB |\n", box, ms, residentMiB());
    }
}

// The processor time of this thread, where the window does its work, in
// milliseconds, system time (page faults) included; unlike the wall clock,
// blind to other programs on the machine.
double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// "Transformer" (skin 15 to skin 1, the start-up labels) on codes of lines
// of CSS that each hold the base colour twice, a million times in 32 MB,
// then the output scrolled by a page, as the key Page Down does, from its
// middle: the processor time of one page, drawn. The best of several runs.
void conversionAndScroll(const std::function<QAbstractButton *(const char *)> &button,
                         velbrisk::ui::CodeBox &output)
{
    const QString line = u".t{color:#000000;background:#ffffff;border:1px solid #000000}\n"_s;
    std::printf("\n| code, lines of %lld characters | replacements | \"Transformer\", "
                "processor time | a page's scroll of the output, processor time |\n"
                "|---|---|---|---|\n",
                static_cast<long long>(line.size()));
    for (const Size &s : {Size{"50 KB", 50 * 1024, 0}, Size{"1 MB", 1024 * 1024, 0},
                          Size{"32 MB", 32 * 1024 * 1024, 0}}) {
        QString code;
        code.reserve(s.size + line.size());
        while (code.size() < s.size)
            code.append(line);
        QGuiApplication::clipboard()->setText(code);
        button("Command5")->click();
        double convert = 1e30;
        for (int run = 0; run < (s.size > 100 * 1024 ? 2 : 7); ++run) {
            QApplication::processEvents();
            const double start = processorMs();
            button("Command1")->click();
            QApplication::processEvents();
            convert = std::min(convert, processorMs() - start);
        }

        QScrollBar *bar = output.verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        output.viewport()->repaint();
        double page = 1e30;
        for (int round = 0; round < 5; ++round) {
            const double start = processorMs();
            for (int i = 0; i < 10; ++i) {
                bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
                output.viewport()->repaint();
            }
            page = std::min(page, (processorMs() - start) / 10);
        }
        std::printf("| %s | %lld | %.1f ms | %.2f ms |\n", s.name,
                    static_cast<long long>(code.count(u"#000000"_s)), convert, page);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime; // private, as Qt wants its runtime folder
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication app(argc, argv);
    velbrisk::ui::setBoxHandler([](const velbrisk::ui::BoxRequest &) {});
    velbrisk::ui::loadProgramFonts(); // part of start-up, as in the program

    velbrisk::ui::MainWindow window;
    window.show();
    QApplication::processEvents();
    const auto button = [&](const char *name) {
        return window.findChild<QAbstractButton *>(QString::fromLatin1(name));
    };
    QTemporaryDir folder;
    window.findChild<QLineEdit *>(u"Text5"_s)->setText(folder.path());

    std::printf("| code | \"Coller\" | \"Transformer\" | batch (24 files) | batch / "
                "\"Transformer\" | of which the 24 files alone |\n|---|---|---|---|---|---|\n");
    for (const Size &s : {Size{"50 KB, 40-character lines", 50 * 1024, 40},
                          Size{"1 MB, one single line", 1024 * 1024, 1 << 30}}) {
        QGuiApplication::clipboard()->setText(codeOf(s.size, s.lineLength));
        const int runs = s.size > 100 * 1024 ? 3 : 7;
        const double paste = clickTime(button("Command5"), runs);
        const double convert = clickTime(button("Command1"), runs);
        const double batch = clickTime(button("Command8"), runs);
        // Each file is flushed to the disk before it replaces the old one.
        const velbrisk::SkinBatch plan(
            {u"Habillage 15"_s, folder.path(), u"habillage"_s, codeOf(s.size, s.lineLength), {}});
        double files = 1e30;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            if (velbrisk::WriteSkinFiles(plan))
                return 1;
            files = std::min(files, double(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("| %s | %.1f ms | %.1f ms | %.1f ms | %.2f× | %.1f ms |\n", s.name, paste,
                    convert, batch, batch / convert, files);
    }
    historyStepCost();
    hugeCodeHistory(window, button);
    conversionAndScroll(button, *window.findChild<velbrisk::ui::CodeBox *>(u"text2"_s));
    return 0;
}
