#pragma once
// One run of the editor for widget tests: the data module on the built dictionaries, the prompts and
// dialog stand-ins, and the main window over them, optionally with the sample passport opened.
#include "app/mainform.h"
#include "editor/pages/tablebook.h"
#include "model/datamodule.h"
#include "storage/codepage.h"
#include "tests/editor/userstandin.h"
#include "tests/support/samplepassport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace tarvena::testing {

// Types a text into a widget key by key, Cyrillic letters included (QTest's own typing takes ASCII only).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

struct Editor
{
    RecordingPrompts prompts;
    ScriptedDialogs dialogs;
    TDataModule2 data{&prompts};
    std::unique_ptr<TMainForm> form;

    explicit Editor(const QStringList &parameters = {})
    {
        data.DataModuleCreate(dictionaryDir());
        form = std::make_unique<TMainForm>(data, prompts, dialogs, parameters);
    }

    // Opens a passport as the Open command does and lets the queued page requests run.
    void open(const std::string &path = builtSamplePassport())
    {
        form->OpenPassportFile(QString::fromStdString(path));
        QCoreApplication::processEvents();
    }

    editor::TableBook *book() const { return form->tableBook(); }
    template <class Page> Page *page() const { return book()->page<Page>(); }
    // Shows an inner page as the user's click on its tab does.
    void enterPage(int index) const
    {
        book()->pageControl()->setCurrentIndex(index);
        QCoreApplication::processEvents();
    }

    Field &field(MemTable &table, const char *name) const { return table.FieldByName(name); }
    std::string text(MemTable &table, const char *name) const
    {
        return codepage::cp1251ToUtf8(table.FieldByName(name).AsString());
    }
};

} // namespace tarvena::testing
