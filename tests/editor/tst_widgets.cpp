// The progress window, the message boxes behind the prompts service and the file dialog filters.
#include "editor/busyanimation.h"
#include "editor/dialogservice.h"
#include "editor/guiprompts.h"
#include "editor/loadingform.h"
#include "tests/editor/testregistry.h"
#include "tests/editor/userstandin.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <stdexcept>

using namespace tarvena;
using namespace tarvena::testing;

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void loadingForm()
    {
        QWidget owner;
        QPointer<TLoadingForm> form;
        try {
            LoadingScope scope(&owner, QStringLiteral("Сохранение ..."));
            form = scope.form();
            QVERIFY(form->isVisible());
            QCOMPARE(form->size(), QSize(272, 94));
            QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(form->cursor().shape(), Qt::WaitCursor);
            QLabel *label = form->Label1();
            QCOMPARE(label->objectName(), QStringLiteral("Label1"));
            QCOMPARE(label->text(), QStringLiteral("Сохранение ..."));
            QVERIFY(label->font().bold());
            QCOMPARE(label->alignment(), Qt::AlignCenter);
            // The user cannot close it.
            QVERIFY(!form->close());
            QVERIFY(form->isVisible());
            throw std::runtime_error("the work failed");
        } catch (const std::runtime_error &) {
        }
        // The window goes with the scope, also when the work threw.
        QVERIFY(form.isNull());
    }

    void animationMovesWhileTheThreadIsBusy()
    {
        QWidget owner;
        LoadingScope scope(&owner, QStringLiteral("Загрузка ..."));
        auto *animation = scope.form()->findChild<BusyAnimation *>();
        QVERIFY(animation);
        const QImage before = animation->grab().toImage();
        // Busy work without an event loop, then one pump between steps, as open and save do.
        QThread::msleep(150);
        scope.pump();
        const QImage after = animation->grab().toImage();
        QVERIFY(before != after);
    }

    void messageBoxes_data()
    {
        QTest::addColumn<Prompts::Icon>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("boxIcon");
        QTest::newRow("question, yes") << Prompts::Icon::Question << (Prompts::Yes | Prompts::No) << "Да"
                                       << int(Prompts::Yes) << int(QMessageBox::Question);
        QTest::newRow("question, no") << Prompts::Icon::Question << (Prompts::Yes | Prompts::No) << "Нет"
                                      << int(Prompts::No) << int(QMessageBox::Question);
        QTest::newRow("error") << Prompts::Icon::Error << int(Prompts::Ok) << "OK" << int(Prompts::Ok)
                               << int(QMessageBox::Critical);
        QTest::newRow("simple message") << Prompts::Icon::None << int(Prompts::Ok) << "OK" << int(Prompts::Ok)
                                        << int(QMessageBox::NoIcon);
        QTest::newRow("warning, cancel") << Prompts::Icon::Warning << (Prompts::Ok | Prompts::Cancel)
                                         << "Отмена" << int(Prompts::Cancel) << int(QMessageBox::Warning);
    }

    void messageBoxes()
    {
        QFETCH(Prompts::Icon, icon);
        QFETCH(int, buttons);
        QFETCH(QString, click);
        QFETCH(int, answer);
        QFETCH(int, boxIcon);
        editor::GuiPrompts prompts;
        QString caption, text;
        int shownIcon = -1;
        bool clicked = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            caption = box->windowTitle();
            text = box->text();
            shownIcon = box->icon();
            // Qt's Russian translation gives the standard buttons their Russian texts.
            for (QAbstractButton *button : box->buttons()) {
                if (!clicked && button->text().remove(QLatin1Char('&')) == click) {
                    clicked = true;
                    button->click();
                }
            }
            if (!clicked)
                box->done(QMessageBox::NoButton);
        });
        const int result = prompts.message("Подтверждение", "Первая строка\nВторая строка", icon, buttons);
        QVERIFY2(clicked, qPrintable(QStringLiteral("no button reads ") + click));
        QCOMPARE(result, answer);
        QCOMPARE(caption, QStringLiteral("Подтверждение"));
        QCOMPARE(text, QStringLiteral("Первая строка\nВторая строка"));
        QCOMPARE(shownIcon, boxIcon);
    }

    void nameFilters()
    {
        QCOMPARE(editor::qtNameFilters(QStringLiteral("Файлы паспортов|*.psp|Все файлы|*.*")),
                 (QStringList{QStringLiteral("Файлы паспортов (*.psp)"), QStringLiteral("Все файлы (*.*)")}));
        QCOMPARE(editor::qtNameFilters(QStringLiteral("Файлы паспортов (*.psp)|*.psp|Все файлы (*.*)|*.*")),
                 (QStringList{QStringLiteral("Файлы паспортов (*.psp)"), QStringLiteral("Все файлы (*.*)")}));
        QCOMPARE(editor::qtNameFilters(QStringLiteral("Таблицы|*.xls;*.ods")),
                 QStringList{QStringLiteral("Таблицы (*.xls *.ods)")});
    }
};

TARVENA_REGISTER_TEST(WidgetsTest)
#include "tst_widgets.moc"
