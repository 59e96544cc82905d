// The program's own dialogs as a user sees them, through the real dialog service: the comment box
// wide enough for a whole comment, file and folder dialogs in Russian with dates in the program's
// format and columns that show their texts, and a document opened only where a viewer exists.
#include "editor/dialogservice.h"
#include "editor/viewerlookup.h"
#include "tests/editor/modaldriver.h"
#include "tests/editor/testregistry.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

// The details view's texts of the row naming `name`, once the dialog's folder is read.
QStringList detailsRow(QFileDialog &dialog, const QString &name)
{
    auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!details)
        return {};
    QAbstractItemModel *model = details->model();
    QStringList row;
    QTest::qWaitFor([&] {
        const QModelIndex parent = details->rootIndex();
        for (int r = 0; r < model->rowCount(parent); ++r) {
            if (model->index(r, 0, parent).data().toString() != name)
                continue;
            row.clear();
            for (int c = 0; c < model->columnCount(parent); ++c)
                row << model->index(r, c, parent).data().toString();
            return !row.value(3).isEmpty();
        }
        return false;
    });
    return row;
}

} // namespace

class DialogLookTest : public QObject
{
    Q_OBJECT

private slots:
    void commentBoxShowsAWholeComment()
    {
        editor::QtDialogService dialogs;
        const QString comment(128, QChar(u'ж'));
        int shown = 0, needed = 0;
        whenShown<QInputDialog>([&](QInputDialog *box) {
            auto *edit = box->findChild<QLineEdit *>();
            QVERIFY(edit);
            shown = edit->width();
            // 128 characters, where the screen has the room.
            needed = std::min(edit->fontMetrics().averageCharWidth() * 128,
                              box->screen()->availableGeometry().width() * 9 / 10);
            box->accept();
        });
        const std::optional<QString> answer = dialogs.inputText(
            nullptr, QStringLiteral("Редактирование комментария"), QStringLiteral("Комментарий"), comment);
        QCOMPARE(answer, std::optional<QString>(comment));
        QVERIFY2(shown >= needed, qPrintable(QStringLiteral("%1 < %2").arg(shown).arg(needed)));
    }

    void qtStringsWithoutRussianAreOurs_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("russian");
        QTest::newRow("folder") << "QAbstractFileIconProvider"
                                << "Folder"
                                << "Папка";
        QTest::newRow("drive") << "QAbstractFileIconProvider"
                               << "Drive"
                               << "Диск";
        QTest::newRow("file of a type") << "QAbstractFileIconProvider"
                                        << "%1 File"
                                        << "Файл %1";
        QTest::newRow("unknown") << "QAbstractFileIconProvider"
                                 << "Unknown"
                                 << "Неизвестный";
        // Qt's own translation still answers for the rest.
        QTest::newRow("paste") << "QLineEdit"
                               << "&Paste"
                               << "В&ставить";
    }
    void qtStringsWithoutRussianAreOurs()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, russian);
        QCOMPARE(QCoreApplication::translate(context.toLatin1().constData(), source.toLatin1().constData()),
                 russian);
    }

    void fileDialogsReadRussianAndShowTheirColumns_data()
    {
        QTest::addColumn<bool>("folders");
        QTest::newRow("open") << false;
        QTest::newRow("folder") << true;
    }
    void fileDialogsReadRussianAndShowTheirColumns()
    {
        QFETCH(bool, folders);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("Приложения")));
        editor::QtDialogService dialogs;
        QStringList row;
        QHeaderView *header = nullptr;
        bool fits = true;
        whenShown<QFileDialog>([&](QFileDialog *dialog) {
            row = detailsRow(*dialog, QStringLiteral("Приложения"));
            header = dialog->findChild<QTreeView *>(QStringLiteral("treeView"))->header();
            for (int column = 1; column < header->count(); ++column)
                fits = fits && header->sectionResizeMode(column) == QHeaderView::ResizeToContents;
            dialog->reject();
        });
        if (folders)
            dialogs.existingFolder(nullptr, QStringLiteral("Выберите папку"), root.path());
        else
            dialogs.openFileName(nullptr, {QStringLiteral("Загрузка"), QStringLiteral("Все файлы|*.*"), 1,
                                           QString(), root.filePath(QStringLiteral("x"))});
        QCOMPARE(row.size(), 4);
        QCOMPARE(row[2], QStringLiteral("Папка"));
        const QRegularExpression date(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d$"));
        QVERIFY2(date.match(row[3]).hasMatch(), qPrintable(row[3]));
        QVERIFY(fits);
    }

    void documentsOpenOnlyWhereAViewerExists()
    {
        // A desktop whose every list of default programs is empty, then one that names a viewer.
        QTemporaryDir root;
        const QString config = root.filePath(QStringLiteral("config"));
        const QString data = root.filePath(QStringLiteral("data"));
        QDir().mkpath(config);
        QDir().mkpath(data + QStringLiteral("/applications"));
        const QByteArray saved[] = {qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_CONFIG_DIRS"),
                                    qgetenv("XDG_DATA_HOME"), qgetenv("XDG_DATA_DIRS"),
                                    qgetenv("XDG_CURRENT_DESKTOP")};
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        qputenv("XDG_CONFIG_DIRS", config.toUtf8());
        qputenv("XDG_DATA_HOME", data.toUtf8());
        qputenv("XDG_DATA_DIRS", data.toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
        const QString manual = root.filePath(QStringLiteral("Инструкция пользователя.pdf"));
        const bool without = editor::hasViewerFor(manual);
        QFile list(config + QStringLiteral("/mimeapps.list"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("[Default Applications]\napplication/pdf=viewer.desktop\n");
        list.close();
        QFile entry(data + QStringLiteral("/applications/viewer.desktop"));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(
            "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\nMimeType=application/pdf;\n");
        entry.close();
        const bool with = editor::hasViewerFor(manual);
        const char *names[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                               "XDG_CURRENT_DESKTOP"};
        for (int i = 0; i < 5; ++i) {
            if (saved[i].isNull())
                qunsetenv(names[i]);
            else
                qputenv(names[i], saved[i]);
        }
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            QSKIP("xdg-mime is not installed: the desktop's opener decides");
        QVERIFY(!without);
        QVERIFY(with);
    }
};

TARVENA_REGISTER_TEST(DialogLookTest)
#include "tst_dialoglook.moc"
