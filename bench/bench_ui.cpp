// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of the main window's actions on big codes, offscreen: "Coller",
// "Transformer" and the batch, each measured from the click until the window
// has handled every event it caused.
#include "core/skinfilewriter.h"
#include "ui/common/fonts.h"
#include "ui/common/messagebox.h"
#include "ui/main/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>

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
    struct Size
    {
        const char *name;
        qsizetype size;
        qsizetype lineLength;
    };
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
    return 0;
}
