#include "docs/manualbuilder/pagegrabber.h"

#include "app/aboutbox.h"
#include "app/mainform.h"
#include "editor/dialogs/passportdiffdialog.h"
#include "editor/dialogs/passportcheck.h"
#include "editor/dialogs/probabilisticdialog.h"
#include "editor/dialogservice.h"
#include "editor/pages/tablebook.h"
#include "exchange/gis/contourmeasure.h"
#include "model/datamodule.h"
#include "model/prompts.h"
#include "model/resources.h"
#include "storage/codepage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTabWidget>

#include <stdexcept>

namespace tarvena::manual {

namespace {

// Nobody answers: messages are noted, questions get No, dialogs are cancelled.
class SilentPrompts : public Prompts
{
public:
    explicit SilentPrompts(QStringList &notes) : mNotes(notes) {}
    int message(const std::string &caption, const std::string &text, Icon, int buttons) override
    {
        mNotes.append(QString::fromStdString(caption + ": " + text));
        return (buttons & No) ? No : Ok;
    }

private:
    QStringList &mNotes;
};

class SilentDialogs : public editor::DialogService
{
public:
    QString openFileName(QWidget *, const editor::FileDialogSettings &) override { return {}; }
    QString saveFileName(QWidget *, const editor::FileDialogSettings &) override { return {}; }
    QString existingFolder(QWidget *, const QString &, const QString &) override { return {}; }
    std::optional<QString> inputText(QWidget *, const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    bool openUrl(const QUrl &) override { return false; }
};

// Runs the queued requests and repaints, as the event loop does between the user's actions.
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 150)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A thin frame sets the window apart from the white paper.
QImage framed(const QImage &image)
{
    QImage result = image.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&result);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(result.rect().adjusted(0, 0, -1, -1));
    return result;
}

std::runtime_error failure(const QString &text)
{
    return std::runtime_error(text.toStdString());
}

// Enters page index of book as a click on its tab does, and grabs the whole window.
WindowPicture grabPage(TMainForm &form, QTabWidget *outer, int outerIndex, QTabWidget *book, int index)
{
    QWidget *page = book->widget(index);
    WindowPicture picture{
        QStringLiteral("page"), page->objectName(), book->tabText(index), !book->isTabVisible(index), {}};
    if (picture.hidden)
        return picture;
    outer->setCurrentIndex(outerIndex);
    settle();
    book->setCurrentIndex(index);
    settle();
    if (book->currentIndex() != index || outer->currentIndex() != outerIndex)
        throw failure(QStringLiteral("При входе на страницу «%1» (%2) программа перешла на другую страницу: "
                                     "образец паспорта не заполняет её.")
                          .arg(picture.caption, picture.name));
    picture.image = framed(form.grab().toImage());
    return picture;
}

// The window with its "Правка" menu open on a step to undo: the object's name typed anew on page 1.
WindowPicture grabEditMenu(TMainForm &form)
{
    form.pageControl1()->setCurrentIndex(0);
    form.pageControl2()->setCurrentIndex(0);
    settle();
    auto *name = form.findChild<QLineEdit *>(QStringLiteral("DBEdit1"));
    QMenu *menu = form.menuBar()->findChild<QMenu *>(QStringLiteral("EditMenu"));
    if (!name || !menu)
        throw failure(QStringLiteral("В окне нет поля наименования объекта или меню «Правка»."));
    name->setFocus();
    name->selectAll();
    for (const QChar c : QStringLiteral("Новый объект")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(name, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(name, &enter);
    settle();
    QAction *title = menu->menuAction();
    menu->popup(form.menuBar()->mapToGlobal(form.menuBar()->actionGeometry(title).bottomLeft()));
    settle();
    QImage image = form.grab().toImage();
    {
        QPainter painter(&image);
        painter.drawPixmap(form.mapFromGlobal(menu->pos()), menu->grab());
    }
    menu->hide();
    WindowPicture picture{QStringLiteral("window"), menu->objectName(), menu->title(), false, framed(image)};
    // Taken back, as the menu offers.
    menu->actions().front()->trigger();
    settle();
    return picture;
}

} // namespace

namespace {

// "Сравнить с файлом…" after a few edits of the open passport across its pages.
WindowPicture grabComparison(TMainForm &form, TDataModule2 &data, const QString &passport)
{
    const auto edit = [](MemTable &table, int recNo, const char *field, const Value &value) {
        table.SetFiltered(false);
        table.SetRecNo(recNo);
        if (table.State() == TableState::Browse)
            table.Edit();
        table.FieldByName(field).setValue(value);
        table.Post();
    };
    data.PostPendingEdits();
    edit(data.PASPORTS, 1, "LICENCETYPE_ID", std::int64_t{7001});
    edit(data.PASPORTS, 1, "GRIDDENCITY", 2.0);
    edit(data.REFLECT_HORIZONTS, 1, "AMPLITUDE", 50.0);
    edit(data.POSIB_PRODUCT_HOR, data.POSIB_PRODUCT_HOR.RecordCount(), "SQUARENEFTENOSN", 46.0);
    data.KONTUR.SetFiltered(false);
    data.KONTUR.SetRecNo(2);
    edit(data.KONTUR, 2, "Y", data.KONTUR.FieldByName("Y").AsFloat() + 0.001);
    edit(data.FILES, 1, "DESCRIPTION", codepage::utf8ToCp1251("Титул"));
    const auto other = openPassportToCompare(data, passport.toStdString());
    gis::EllipsoidMeasure measure;
    editor::PassportDiffDialog dialog(comparePassports(*other, data, &measure), passport, &form);
    dialog.show();
    settle();
    return {QStringLiteral("window"), dialog.objectName(), dialog.windowTitle(), false,
            framed(dialog.grab().toImage())};
}

} // namespace

std::vector<WindowPicture> grabWindows(const QString &dictionaryFolder, const QString &passport,
                                       QStringList &notes)
{
    SilentPrompts prompts(notes);
    SilentDialogs dialogs;
    TDataModule2 data(&prompts);
    data.DataModuleCreate(dictionaryFolder.toStdString());
    TMainForm form(data, prompts, dialogs, {passport});
    form.show();
    settle();
    if (data.PassportFileName.empty())
        throw failure(QStringLiteral("Паспорт «%1» не открылся.").arg(passport));

    std::vector<WindowPicture> pictures;
    QTabWidget *outer = form.pageControl1();
    for (int i = 0; i < outer->count(); ++i) {
        if (outer->widget(i) == form.tableBook()) {
            QTabWidget *tables = form.pageControl2();
            for (int j = 0; j < tables->count(); ++j)
                pictures.push_back(grabPage(form, outer, i, tables, j));
        } else {
            pictures.push_back(grabPage(form, outer, i, outer, i));
        }
    }

    TAboutBox about(prompts, dialogs, &form);
    about.show();
    settle();
    pictures.push_back({QStringLiteral("window"), about.objectName(), about.windowTitle(), false,
                        framed(about.grab().toImage())});
    about.close();

    // The probabilistic estimate of the first oil-bearing horizon, computed as its button does.
    MemTable &horizons = data.POSIB_PRODUCT_HOR;
    horizons.SetFiltered(false);
    for (horizons.First(); !horizons.Eof(); horizons.Next()) {
        if (!isOilBearing(horizons.FieldByName("UV_ID").AsInteger()))
            continue;
        editor::ProbabilisticDialog estimate(horizons, ResourceFluid::Oil, &form);
        estimate.show();
        estimate.compute();
        settle();
        pictures.push_back({QStringLiteral("window"), estimate.objectName(), estimate.windowTitle(), false,
                            framed(estimate.grab().toImage())});
        estimate.reject();
        break;
    }

    pictures.push_back(grabEditMenu(form));

    // The passport check's list, as Файл → Проверить паспорт shows it.
    form.N13Click();
    settle();
    if (editor::PassportCheckDock *check = form.passportCheck()) {
        pictures.push_back({QStringLiteral("window"), check->objectName(), check->windowTitle(), false,
                            framed(check->grab().toImage())});
        check->close();
    }

    pictures.push_back(grabComparison(form, data, passport));

    // The close query would ask about saving: the window is left without asking.
    form.hide();
    data.PassportModified = false;
    return pictures;
}

} // namespace tarvena::manual
