// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/qttranslation.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The texts of a widget's own context menu, without their shortcuts (which
// the platform's key bindings decide) and separators.
QStringList contextMenuTexts(QWidget &widget)
{
    std::unique_ptr<QMenu> menu;
    if (auto *box = qobject_cast<QPlainTextEdit *>(&widget))
        menu.reset(box->createStandardContextMenu());
    else
        menu.reset(qobject_cast<QLineEdit *>(&widget)->createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts.append(action->text().section(u'\t', 0, 0));
    return texts;
}

} // namespace

class TestQtTranslation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // First: once the translation is installed it stays for the process.
    void withoutTranslation();
    void contextMenus_data();
    void contextMenus();
};

// A build without the translation starts all the same, Qt's texts in English.
void TestQtTranslation::withoutTranslation()
{
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    QVERIFY(!velbrisk::installQtTranslation(*qApp, {empty.path(), u":/nowhere"_s}));
    QPlainTextEdit box;
    QCOMPARE(contextMenuTexts(box).first(), u"&Undo"_s);
}

void TestQtTranslation::contextMenus_data()
{
    QTest::addColumn<std::shared_ptr<QWidget>>("widget");
    QTest::addColumn<QStringList>("texts");
    // As Qt 6.4's qtbase_fr.qm gives them, accelerators included.
    const QStringList french{u"&Annuler"_s, u"&Rétablir"_s, u"Co&uper"_s,          u"Cop&ier"_s,
                             u"Co&ller"_s,  u"Supprimer"_s, u"Tout sélectionner"_s};
    QTest::newRow("code box") << std::shared_ptr<QWidget>(new QPlainTextEdit) << french;
    QTest::newRow("one-line field") << std::shared_ptr<QWidget>(new QLineEdit) << french;
}

// The program's own search: the built-in copy on Windows, Qt's translations
// folder on Linux.
void TestQtTranslation::contextMenus()
{
    QFETCH(std::shared_ptr<QWidget>, widget);
    QFETCH(QStringList, texts);
    static const bool installed = velbrisk::installQtTranslation(*qApp);
    QVERIFY2(installed,
             qPrintable(u"no qtbase_fr.qm in "_s + velbrisk::qtTranslationFolders().join(u", "_s)));
    QCOMPARE(contextMenuTexts(*widget), texts);
}

QTEST_MAIN(TestQtTranslation)
#include "test_qttranslation.moc"
