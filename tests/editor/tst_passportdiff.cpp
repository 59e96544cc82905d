// "Файл → Сравнить с файлом…" as a user meets it: an edit not yet saved, compared with the saved file,
// is the only difference shown; a double-click goes to where it is in the open passport.
#include "editor/dialogs/passportdiffdialog.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QAction>
#include <QTreeWidget>

using namespace tarvena;
using namespace tarvena::testing;

class PassportDiffTest : public QObject
{
    Q_OBJECT

    // Runs the menu command, answering the file dialog with the sample, and returns its dialog.
    static editor::PassportDiffDialog *compareWithSample(Editor &e)
    {
        e.dialogs.openAnswers.push_back(QString::fromStdString(builtSamplePassport()));
        auto *action = e.form->findChild<QAction *>(QStringLiteral("CompareWithFile"));
        if (!action)
            return nullptr;
        action->trigger();
        QCoreApplication::processEvents();
        return e.form->findChild<editor::PassportDiffDialog *>();
    }

    static QStringList lines(QTreeWidgetItem *item, const QString &prefix = {})
    {
        QStringList result;
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem *child = item->child(i);
            const QString path = prefix.isEmpty() ? child->text(0) : prefix + " / " + child->text(0);
            result += child->childCount() ? lines(child, path) : QStringList{path};
        }
        return result;
    }

private slots:
    void unsavedEditIsTheOnlyDifference()
    {
        Editor e;
        e.open();
        e.form->show();
        // Typed into the object's name and not yet posted.
        auto *name = e.form->findChild<QLineEdit *>(QStringLiteral("DBEdit1"));
        QVERIFY(name);
        type(name, QStringLiteral("Южно-Тарвенская структура"));

        editor::PassportDiffDialog *dialog = compareWithSample(e);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Сравнение паспортов"));
        QCOMPARE(e.dialogs.openAsked.back().title, QStringLiteral("Сравнить с файлом"));
        QCOMPARE(
            lines(dialog->tree()->invisibleRootItem()),
            QStringList{"1.География / Наименование объекта: Северо-Тарвенская структура → Южно-Тарвенская "
                        "структура"});

        // From another page, the double-click goes back to the control.
        e.enterPage(4);
        QTreeWidgetItem *line = dialog->tree()->topLevelItem(0)->child(0);
        emit dialog->tree()->itemDoubleClicked(line, 0);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(e.book()->pageControl()->currentIndex(), 0);
        dialog->close();
    }

    void doubleClickGoesToTheHorizonRow()
    {
        Editor e;
        e.open();
        e.form->show();
        MemTable &horizons = e.data.REFLECT_HORIZONTS;
        horizons.Last();
        horizons.Edit();
        horizons.FieldByName("AMPLITUDE").SetAsFloat(56);
        horizons.Post();
        horizons.First();

        editor::PassportDiffDialog *dialog = compareWithSample(e);
        QVERIFY(dialog);
        QCOMPARE(lines(dialog->tree()->invisibleRootItem()),
                 QStringList{"5.Отражающие горизонты / Отражающий горизонт «Б» / Амплитуда (м): 55 → 56"});
        QTreeWidgetItem *line = dialog->tree()->topLevelItem(0)->child(0)->child(0);
        emit dialog->tree()->itemDoubleClicked(line, 0);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(e.book()->pageControl()->currentIndex(), 4);
        QCOMPARE(horizons.RecNo(), 3);
        dialog->close();
    }
};

TARVENA_REGISTER_TEST(PassportDiffTest)
#include "tst_passportdiff.moc"
