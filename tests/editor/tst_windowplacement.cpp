// The main window's size and place: on the first run every page tab shows where the screen allows it,
// and the next run opens the window as the user left it.
#include "app/windowplacement.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>

using namespace tarvena;
using namespace tarvena::testing;

class WindowPlacementTest : public QObject
{
    Q_OBJECT

    QTemporaryDir mSettings;

    static void place(TMainForm &form)
    {
        const QTabWidget *strips[] = {form.pageControl1(), form.pageControl2()};
        placeMainWindow(form, strips, 2);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    // Whether every tab of the strip lies within its bar, none behind the scroll arrows.
    static bool everyTabShows(const QTabWidget *strip)
    {
        const QTabBar *bar = strip->tabBar();
        for (int tab = 0; tab < bar->count(); ++tab)
            if (!bar->rect().contains(bar->tabRect(tab)))
                return false;
        return true;
    }

private slots:
    void initTestCase()
    {
        // The settings of this run only.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, mSettings.path());
    }

    void firstRunShowsEveryTabWhereTheScreenAllows()
    {
        QFile::remove(QSettings(QStringLiteral("tarvena"), QStringLiteral("tarvena")).fileName());
        Editor e;
        QScreen *screen = e.form->screen();
        const int needed = e.form->pageControl2()->tabBar()->sizeHint().width();
        place(*e.form);
        const int room = screen->availableGeometry().width();
        if (needed + 40 <= room) {
            QVERIFY(everyTabShows(e.form->pageControl2()));
            QVERIFY(everyTabShows(e.form->pageControl1()));
        } else {
            QCOMPARE(e.form->width(), room);
        }
        // Within the screen, as far as the window's least size lets it.
        const QRect window = e.form->geometry();
        QVERIFY(window.left() >= screen->availableGeometry().left());
        QVERIFY(window.width() <= std::max(room, e.form->minimumSizeHint().width()));
    }

    void theNextRunOpensAsTheUserLeftIt()
    {
        QRect left;
        {
            Editor e;
            place(*e.form);
            e.form->setGeometry(QRect(e.form->x() + 10, e.form->y() + 20, 1000, 700));
            QCoreApplication::processEvents();
            left = e.form->geometry();
            keepMainWindowPlace(*e.form);
        }
        Editor next;
        place(*next.form);
        QCOMPARE(next.form->size(), left.size());
        // The place as the window system puts it back (a few pixels of frame apart).
        QVERIFY((next.form->pos() - left.topLeft()).manhattanLength() <= 8);
    }
};

TARVENA_REGISTER_TEST(WindowPlacementTest)
#include "tst_windowplacement.moc"
