// Loading, clearing, commenting and exporting attached files through the documents page's buttons
// and double clicks: what lands in FILES and in the slot, when the passport counts as modified, and
// that a failure changes nothing.
#include "editor/loadingform.h"
#include "tests/editor/documentsfixture.h"
#include "tests/editor/testregistry.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sys/stat.h>
#include <thread>

using namespace tarvena;
using namespace tarvena::testing;
using editor::SlotGroup;

namespace {

const QString kGeo1 = QStringLiteral("Геолого-геофизический разрез по профилю №1");
const QString kGeo2 = QStringLiteral("Геолого-геофизический разрез по профилю №2");
const QString kVrem1 = QStringLiteral("Временной сейсмический разрез по профилю №1");
const QString kVrem2 = QStringLiteral("Временной сейсмический разрез по профилю №2");
const QString kAdditional = QStringLiteral("Дополнительный файл графики");

bool progressWindowShown()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TLoadingForm *>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

} // namespace

class AttachmentCommandsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<DocumentsEditor> e;

    int lastRow(SlotList list) const { return e->grid(list)->model()->rowCount() - 1; }
    QString promptText(std::size_t i) const { return QString::fromStdString(e->prompts.calls.at(i).text); }

private slots:
    void init()
    {
        e = std::make_unique<DocumentsEditor>();
        e->open();
        e->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e->form.get()));
        e->showDocuments();
        e->data.PassportModified = false;
    }
    void cleanup() { e.reset(); }

    void loadIntoSlots()
    {
        const QStringList before = e->files();
        e->load(SlotList::Graphics, e->rowTitled(SlotList::Graphics, kGeo1), e->file("разрез.BMP", "first"));
        QCOMPARE(e->dialogs.openAsked.back().title, QStringLiteral("Выберите файл для импорта"));
        QCOMPARE(e->dialogs.openAsked.back().filter, QStringLiteral("Все файлы|*.*"));
        QVERIFY(e->data.PassportModified);
        QCOMPARE(e->files(), before + QStringList{"Geo1.BMP | разрез.BMP | "});
        QCOMPARE(e->content(int(before.size())), QByteArray("first"));
        // A filled section slot gets a free successor directly below it.
        int geo = e->rowTitled(SlotList::Graphics, kGeo1);
        QCOMPARE(e->rows(SlotList::Graphics).mid(geo, 2),
                 (QStringList{kGeo1 + " | разрез.BMP | ", kGeo2 + " |  | "}));

        // A time section's successor comes at the end of the list.
        e->load(SlotList::Graphics, e->rowTitled(SlotList::Graphics, kVrem1), e->file("время.sgy", "t"));
        QCOMPARE(e->rows(SlotList::Graphics).last(), kVrem2 + " |  | ");
        QVERIFY(e->files().contains("Vrem1.sgy | время.sgy | "));

        // A second file in a filled slot replaces the first.
        e->load(SlotList::Graphics, e->rowTitled(SlotList::Graphics, kGeo1), e->file("второй.png", "second"));
        QCOMPARE(e->files().filter("Geo1."), QStringList{"Geo1.png | второй.png | "});
        QCOMPARE(e->files().size(), before.size() + 2);
        QCOMPARE(e->content(int(before.size()) + 1), QByteArray("second"));

        // Documents are stored under the slot's title; an empty file is an empty gzip member.
        e->load(SlotList::Documents, 1, e->file("записка.doc", QByteArray()));
        QVERIFY(e->files().contains("Пояснительная записка.doc | записка.doc | "));
        QCOMPARE(e->rows(SlotList::Documents)[1], QStringLiteral("Пояснительная записка | записка.doc | "));

        // An additional graphic keeps its own name, and the free slot it took gets a successor.
        e->load(SlotList::Additional, lastRow(SlotList::Additional), e->file("фото.jpg", "photo"));
        QCOMPARE(e->rows(SlotList::Additional),
                 (QStringList{kAdditional + " | фото.jpg | ", kAdditional + " |  | "}));
        QCOMPARE(e->files().last(), QStringLiteral("фото.jpg | фото.jpg | "));

        // A cancelled dialog does nothing.
        const QStringList now = e->files();
        e->data.PassportModified = false;
        e->click(SlotList::Documents, SlotGroup::Load);
        QCOMPARE(e->files(), now);
        QVERIFY(!e->data.PassportModified);
    }

    void failedLoadChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "нет такого.doc"
                                 << "файл или папка не найдены";
        QTest::newRow("folder") << "папка"
                                << "это папка, а не файл";
    }

    void failedLoadChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QDir(e->dir.path()).mkpath(QStringLiteral("папка"));
        const QString path = e->dir.filePath(name);
        const QStringList files = e->files();
        const QStringList documents = e->rows(SlotList::Documents);

        e->load(SlotList::Documents, 0, path);
        QCOMPARE(int(e->prompts.calls.size()), 1);
        QCOMPARE(promptText(0), "Не удалось прочитать файл \"" + path + "\": " + reason + ".");
        QCOMPARE(e->prompts.calls[0].icon, Prompts::Icon::Error);
        QCOMPARE(e->files(), files);
        QCOMPARE(e->rows(SlotList::Documents), documents);
        QVERIFY(!e->data.PassportModified);
    }

    // A large file is read and compressed on a worker thread: the window keeps running its events
    // with the progress window shown, and the tables change only once the file is in.
    void loadRunsBesideTheWindow()
    {
        const QString pipe = e->dir.filePath(QStringLiteral("поток.bin"));
        QCOMPARE(::mkfifo(pipe.toUtf8().constData(), 0600), 0);
        std::atomic<bool> release{false};
        // Writes the file once the window has shown its progress (or after a long wait, so a load
        // on the window's own thread fails the test instead of hanging it).
        std::thread writer([&] {
            for (int i = 0; i < 2000 && !release; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            std::ofstream(pipe.toStdString(), std::ios::binary) << "streamed bytes";
        });
        e->clickRow(SlotList::Additional, lastRow(SlotList::Additional));
        bool shownWhileRunning = false;
        qsizetype filesWhileRunning = -1;
        QTimer::singleShot(0, [&] {
            shownWhileRunning = progressWindowShown();
            filesWhileRunning = e->files().size();
            release = true;
        });
        const QStringList before = e->files();

        e->dialogs.openAnswers.push_back(pipe);
        e->click(SlotList::Additional, SlotGroup::Load);
        writer.join();
        QVERIFY(shownWhileRunning);
        QCOMPARE(filesWhileRunning, before.size());
        QVERIFY(!progressWindowShown());
        QCOMPARE(e->files(), before + QStringList{"поток.bin | поток.bin | "});
        QCOMPARE(e->content(int(before.size())), QByteArray("streamed bytes"));
    }

    void clearSlot()
    {
        const int overview = e->rowTitled(SlotList::Graphics, QStringLiteral("Обзорная карта"));
        e->clickRow(SlotList::Graphics, overview);
        e->click(SlotList::Graphics, SlotGroup::Clear);
        QVERIFY(e->data.PassportModified);
        QCOMPARE(e->files().filter("Обзорная карта"), QStringList());
        QCOMPARE(e->rows(SlotList::Graphics)[overview], QStringLiteral("Обзорная карта |  | "));

        // A free slot: nothing to clear, nothing modified.
        e->data.PassportModified = false;
        const QStringList files = e->files();
        e->click(SlotList::Graphics, SlotGroup::Clear);
        e->clickRow(SlotList::Graphics,
                    e->rowTitled(SlotList::Graphics, QStringLiteral("Структурная карта по ОГ: Г")));
        e->click(SlotList::Graphics, SlotGroup::Clear);
        QCOMPARE(e->files(), files);
        QVERIFY(!e->data.PassportModified);
    }

    void comment_data()
    {
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("changed");
        QTest::newRow("cancelled") << false << "" << false;
        QTest::newRow("unchanged") << true << "Титульный лист паспорта" << false;
        QTest::newRow("changed") << true << "Новый комментарий" << true;
        QTest::newRow("emptied") << true << "" << true;
    }

    void comment()
    {
        QFETCH(bool, answered);
        QFETCH(QString, answer);
        QFETCH(bool, changed);
        const QString initial = QStringLiteral("Титульный лист паспорта");
        e->dialogs.inputAnswers.push_back(answered ? std::optional<QString>(answer) : std::nullopt);
        // A double click on a filled slot edits its comment.
        e->doubleClickRow(SlotList::Documents, 0);
        QCOMPARE(e->dialogs.inputAsked.size(), std::size_t(1));
        QCOMPARE(e->dialogs.inputAsked[0],
                 (QStringList{"Редактирование комментария", "Комментарий", initial}));
        QCOMPARE(e->data.PassportModified, changed);
        const QString shown = changed ? answer : initial;
        QCOMPARE(e->rows(SlotList::Documents)[0], "Титульный лист | title-page.rtf | " + shown);
        QCOMPARE(e->files()[0], "Титульный лист.rtf | title-page.rtf | " + shown);
    }

    void commentOutsideTheCodePageIsRefused()
    {
        e->dialogs.inputAnswers.push_back(QStringLiteral("地图"));
        e->clickRow(SlotList::Documents, 0);
        e->click(SlotList::Documents, SlotGroup::Comment);
        QCOMPARE(int(e->prompts.calls.size()), 1);
        QCOMPARE(e->prompts.calls[0].icon, Prompts::Icon::Error);
        QVERIFY(!e->data.PassportModified);
        QCOMPARE(e->files()[0],
                 QStringLiteral("Титульный лист.rtf | title-page.rtf | Титульный лист паспорта"));
    }

    void doubleClickOnAFreeSlotLoads()
    {
        e->dialogs.openAnswers.push_back(e->file("записка.txt", "text"));
        e->doubleClickRow(SlotList::Documents, 2);
        QVERIFY(e->dialogs.inputAsked.empty());
        QVERIFY(e->files().contains("Рекомендации.txt | записка.txt | "));
    }

    // Files loaded from two folders under one name share the stored name; each slot still reaches
    // its own file.
    void sameNamedAdditionalGraphics()
    {
        e->load(SlotList::Additional, lastRow(SlotList::Additional), e->file("а/photo.jpg", "first"));
        e->load(SlotList::Additional, lastRow(SlotList::Additional), e->file("б/photo.jpg", "second"));
        QCOMPARE(e->files().filter("photo.jpg").size(), 2);

        e->dialogs.inputAnswers.push_back(QStringLiteral("второе фото"));
        e->clickRow(SlotList::Additional, 1);
        e->click(SlotList::Additional, SlotGroup::Comment);
        QCOMPARE(e->files().filter("photo.jpg"),
                 (QStringList{"photo.jpg | photo.jpg | ", "photo.jpg | photo.jpg | второе фото"}));

        const QString exported = e->dir.filePath(QStringLiteral("выгрузка.jpg"));
        e->dialogs.saveAnswers.push_back(exported);
        e->click(SlotList::Additional, SlotGroup::Export);
        QCOMPARE(e->read(exported), QByteArray("second"));

        e->click(SlotList::Additional, SlotGroup::Clear);
        QCOMPARE(e->files().filter("photo.jpg"), QStringList{"photo.jpg | photo.jpg | "});
        QCOMPARE(e->content(int(e->files().size()) - 1), QByteArray("first"));
        QCOMPARE(e->rows(SlotList::Additional)[0], kAdditional + " | photo.jpg | ");

        // After a rebuild the remaining file is reached from its new slot.
        e->showDocuments();
        e->clickRow(SlotList::Additional, 0);
        e->dialogs.saveAnswers.push_back(exported);
        e->click(SlotList::Additional, SlotGroup::Export);
        QCOMPARE(e->read(exported), QByteArray("first"));
    }

    // What was loaded comes back byte for byte after the passport was saved and opened again.
    void exportRoundTrip()
    {
        const QByteArray bytes = QByteArray::fromStdString(noiseBytes(300000, 7));
        e->load(SlotList::Documents, 2, e->file("рекомендации.pdf", bytes));
        const QString passport = e->dir.filePath(QStringLiteral("копия.psp"));
        e->dialogs.saveAnswers.push_back(passport);
        e->form->N4Click();
        e->open(passport.toStdString());
        e->showDocuments();
        QCOMPARE(e->rows(SlotList::Documents)[2], QStringLiteral("Рекомендации | рекомендации.pdf | "));

        e->data.PassportModified = false;
        e->prompts.calls.clear();
        e->prompts.answers = {Prompts::Yes};
        const QString exported = e->dir.filePath(QStringLiteral("выгрузка/рекомендации.pdf"));
        QDir().mkpath(QFileInfo(exported).path());
        e->dialogs.saveAnswers.push_back(exported);
        e->clickRow(SlotList::Documents, 2);
        e->click(SlotList::Documents, SlotGroup::Export);

        const editor::FileDialogSettings &asked = e->dialogs.saveAsked.back();
        QCOMPARE(asked.title, QStringLiteral("Выберите файл для экспорта"));
        QCOMPARE(asked.filter, QStringLiteral("Все файлы|*.*"));
        QCOMPARE(asked.fileName, QStringLiteral("рекомендации.pdf"));
        QCOMPARE(e->read(exported), bytes);
        QCOMPARE(int(e->prompts.calls.size()), 1);
        QCOMPARE(e->prompts.calls[0].caption, std::string("Подтверждение"));
        QCOMPARE(promptText(0), "Открыть \"" + exported + "\"?");
        QCOMPARE(e->prompts.calls[0].icon, Prompts::Icon::Question);
        QCOMPARE(e->prompts.calls[0].buttons, Prompts::Yes | Prompts::No);
        QCOMPARE(e->dialogs.openedUrls, std::vector<QUrl>{QUrl::fromLocalFile(exported)});
        QVERIFY(!e->data.PassportModified);

        // No: the file is written and not opened.
        e->dialogs.saveAnswers.push_back(exported);
        e->click(SlotList::Documents, SlotGroup::Export);
        QCOMPARE(e->dialogs.openedUrls.size(), std::size_t(1));
    }

    // Content that does not decompress cleanly is reported and not written; a file of that name
    // keeps its bytes. A folder that cannot be written to is reported too.
    void failedExportLeavesTheDiskAlone()
    {
        std::string damaged = gzipBytes(noiseBytes(50000, 3));
        damaged.resize(damaged.size() / 2);
        e->data.FILES.First();
        e->data.FILES.Edit();
        e->data.FILES.FieldByName("CONTENT").SetAsString(damaged);
        e->data.FILES.Post();

        const QString existing = e->file(QStringLiteral("титул.rtf"), "keep me");
        const struct
        {
            QString path;
            QString message;
        } cases[] = {
            {existing, "Файл «Титульный лист.rtf» в паспорте повреждён"},
            {e->dir.filePath(QStringLiteral("нет папки/титул.rtf")), "Не удалось записать файл"},
        };
        for (const auto &c : cases) {
            e->prompts.calls.clear();
            e->dialogs.saveAnswers.push_back(c.path);
            e->clickRow(SlotList::Documents, 0);
            e->click(SlotList::Documents, SlotGroup::Export);
            QCOMPARE(int(e->prompts.calls.size()), 1);
            QVERIFY2(promptText(0).startsWith(c.message), qPrintable(promptText(0)));
            QCOMPARE(e->prompts.calls[0].icon, Prompts::Icon::Error);
        }
        QCOMPARE(e->read(existing), QByteArray("keep me"));
        QCOMPARE(QDir(e->dir.path()).entryList(QDir::Files), QStringList{"титул.rtf"});
        QVERIFY(e->dialogs.openedUrls.empty());

        // A free slot has nothing to export: no dialog.
        const std::size_t asked = e->dialogs.saveAsked.size();
        e->clickRow(SlotList::Documents, 3);
        e->click(SlotList::Documents, SlotGroup::Export);
        QCOMPARE(e->dialogs.saveAsked.size(), asked);
    }
};

TARVENA_REGISTER_TEST(AttachmentCommandsTest)
#include "tst_attachments.moc"
