#pragma once
// One run of the editor for widget tests: the data module on the built dictionaries, the prompts and
// dialog stand-ins, and the main window over them, optionally with the sample passport opened.
#include "app/mainform.h"
#include "editor/pages/tablebook.h"
#include "model/datamodule.h"
#include "storage/codepage.h"
#include "tests/editor/userstandin.h"
#include "tests/support/samplepassport.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

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

// Picks an entry of a drop-down list as a user does: opens the list, moves to the entry, Enter.
inline void pick(QComboBox *combo, int index)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// The bytes of a file, empty when it cannot be read.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Turns the mouse wheel over the middle of a widget by notches (positive: away from the user, up);
// true when the widget took the turn.
inline bool turnWheel(QWidget *widget, int notches)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
    QCoreApplication::processEvents();
    return wheel.isAccepted();
}

// The entry of a dictionary key in a drop-down list, -1 when the list lacks it.
inline int indexOfKey(QComboBox *combo, qint64 key)
{
    return combo->findData(QVariant(key));
}

// Replaces the text of an edit or a spin box by typing, then Enter.
inline void type(QWidget *control, const QString &text)
{
    control->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
        spin->selectAll();
    typeText(control, text);
    QTest::keyClick(control, Qt::Key_Return);
    QCoreApplication::processEvents();
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

    // Saves the passport through the main window's Save as command to path (UTF-8).
    void saveAs(const std::string &path)
    {
        dialogs.saveAnswers.push_back(QString::fromStdString(path));
        form->N4Click();
    }

    QString fileName() const { return QString::fromStdString(data.PassportFileName); }
    std::string objectName() const
    {
        return codepage::cp1251ToUtf8(data.PASPORTS.FieldByName("OBJECTNAME").AsString());
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
