// The documents and graphics page through its widgets: the slot lists it shows for a passport, the
// horizon check on showing it, and stored files that find their slots again at the next rebuild.
#include "tests/editor/documentsfixture.h"
#include "tests/editor/testregistry.h"

#include <QSplitter>
#include <QTest>

using namespace tarvena;
using namespace tarvena::testing;
using editor::SlotGroup;

namespace {

const QString kAdditional = QStringLiteral("Дополнительный файл графики");

void appendReflectHorizon(TDataModule2 &dm, const char *index)
{
    dm.REFLECT_HORIZONTS.Append();
    dm.REFLECT_HORIZONTS.FieldByName("INDEXOG").SetAsString(cp(index));
    dm.REFLECT_HORIZONTS.Post();
}

void appendProductiveHorizon(TDataModule2 &dm, int unit, const char *name)
{
    dm.POSIB_PRODUCT_HOR.Append();
    dm.POSIB_PRODUCT_HOR.FieldByName("STRATIGR_ID").SetAsInteger(unit);
    dm.POSIB_PRODUCT_HOR.FieldByName("STRATIGRSVIT").SetAsString(cp(name));
    dm.POSIB_PRODUCT_HOR.Post();
}

void appendFile(TDataModule2 &dm, const char *name)
{
    dm.FILES.Append();
    dm.FILES.FieldByName("NAME").SetAsString(cp(name));
    dm.FILES.FieldByName("SRCNAME").SetAsString(cp(name));
    dm.FILES.FieldByName("CONTENT").SetAsString(gzipBytes(name));
    dm.FILES.Post();
}

} // namespace

class DocumentsPageTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<DocumentsEditor> e;

private slots:
    void init()
    {
        e = std::make_unique<DocumentsEditor>();
        e->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e->form.get()));
    }
    void cleanup() { e.reset(); }

    void theCurrentHorizonStaysWhenTheResourceFilterGoes()
    {
        // The oil page narrowed the productive horizons; the documents page shows them all again, as the
        // horizon pages do, without moving off the horizon the user stood on.
        e->open();
        e->enterPage(pageIndex(TablePage::OilResources));
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        QVERIFY(horizons.Filtered());
        horizons.Last();
        const Value current = horizons.FieldByName("ID").value();
        horizons.First();
        QVERIFY(horizons.FieldByName("ID").value() != current);
        horizons.Last();
        e->showDocuments();
        QVERIFY(!horizons.Filtered());
        QVERIFY(horizons.FieldByName("ID").value() == current);
        QCOMPARE(e->form->pageControl1()->currentIndex(), 1);
    }

    void columnsFitTheirTextsAfterALoad()
    {
        // The sample's lists are longer than an empty passport's, with long titles and file names.
        e->open();
        e->showDocuments();
        for (SlotList list : {SlotList::Documents, SlotList::Graphics, SlotList::Additional}) {
            editor::TableGrid *view = e->grid(list);
            QAbstractItemModel *model = view->model();
            QVERIFY(model->rowCount() > 0);
            for (int column : {0, 1}) {
                int widest = 0;
                for (int row = 0; row < model->rowCount(); ++row)
                    widest = std::max(widest, view->fontMetrics().horizontalAdvance(
                                                  model->index(row, column).data().toString()));
                QVERIFY2(view->columnWidth(column) >= widest,
                         qPrintable(model->index(0, column).data().toString()));
            }
            // The comment takes what is left, no more.
            QCOMPARE(view->columnWidth(0) + view->columnWidth(1) + view->columnWidth(2),
                     view->viewport()->width());
        }
    }

    void namesCaptionsAndHints()
    {
        const QTabWidget *outer = e->form->pageControl1();
        QCOMPARE(outer->tabText(1), QStringLiteral("Документы/Графика"));
        QCOMPARE(outer->tabToolTip(1), QStringLiteral("Импорт документов и графики в паспорт"));
        const struct
        {
            SlotList list;
            const char *caption, *hint, *grid;
            std::array<const char *, 4> buttons;
        } groups[] = {
            {SlotList::Documents,
             " Документы ",
             "Документы",
             "JvDBGrid12",
             {"BitBtn2", "BitBtn3", "BitBtn4", "BitBtn13"}},
            {SlotList::Graphics,
             "Графика ",
             "Графика",
             "JvDBGrid13",
             {"BitBtn5", "BitBtn6", "BitBtn7", "BitBtn14"}},
            {SlotList::Additional,
             " Дополнительная графика ",
             "Дополнительная графика",
             "JvDBGrid11",
             {"BitBtn1", "BitBtn8", "BitBtn9", "BitBtn15"}},
        };
        const std::array<std::pair<QString, QString>, 4> buttons = {{
            {"Загрузить файл", "Импорт в таблицу из внешнего файла"},
            {"Очистить строку", "Очистить строку"},
            {"Редактировать комментарий", "Редактирование комментария файла"},
            {"Экспорт файла", "Запись ранее загруженного файла во внешний файл"},
        }};
        for (const auto &g : groups) {
            SlotGroup *group = e->page()->group(g.list);
            QCOMPARE(group->title(), QString::fromUtf8(g.caption));
            QCOMPARE(group->toolTip(), QString::fromUtf8(g.hint));
            QCOMPARE(e->grid(g.list)->objectName(), QString::fromUtf8(g.grid));
            QCOMPARE(e->grid(g.list)->selectionBehavior(), QAbstractItemView::SelectRows);
            QCOMPARE(e->grid(g.list)->editTriggers(), QAbstractItemView::NoEditTriggers);
            QAbstractItemModel *model = e->grid(g.list)->model();
            QStringList titles;
            for (int c = 0; c < model->columnCount(); ++c)
                titles << model->headerData(c, Qt::Horizontal).toString();
            QCOMPARE(titles, (QStringList{"Вид документа", "Имя загруженного файла", "Комментарий"}));
            for (std::size_t b = 0; b < buttons.size(); ++b) {
                QPushButton *button = group->button(SlotGroup::Action(b));
                QCOMPARE(button->objectName(), QString::fromUtf8(g.buttons[b]));
                QCOMPARE(button->text(), buttons[b].first);
                QCOMPARE(button->accessibleName(), buttons[b].first);
                QCOMPARE(button->toolTip(), buttons[b].second);
            }
        }
        // The graphics group takes the height the other two leave.
        e->form->resize(965, 1000);
        QCoreApplication::processEvents();
        const QList<int> sizes = e->page()->splitter()->sizes();
        QVERIFY2(sizes[1] > sizes[0] && sizes[1] > sizes[2], "the graphics group is the tallest");
    }

    void workedExample()
    {
        TDataModule2 &dm = e->data;
        appendReflectHorizon(dm, "Т2");
        appendReflectHorizon(dm, "Б");
        appendProductiveHorizon(dm, 16025, "Ю1"); // J3
        for (const char *name : {"Титульный лист.doc", "To2.jpg", "Geo1.bmp", "Geo5.bmp", "photo.jpg"})
            appendFile(dm, name);
        e->showDocuments();

        QCOMPARE(e->rows(SlotList::Documents).first(),
                 QStringLiteral("Титульный лист | Титульный лист.doc | "));
        QCOMPARE(e->rows(SlotList::Graphics).mid(5),
                 (QStringList{
                     "Карта То по ОГ: Т2 |  | ",
                     "Карта То по ОГ: Б | To2.jpg | ",
                     "Структурная карта по ОГ: Т2 |  | ",
                     "Структурная карта по ОГ: Б |  | ",
                     "Структурная карта по ПГ: J3 Ю1 |  | ",
                     "Геолого-геофизический разрез по профилю №1 | Geo1.bmp | ",
                     "Геолого-геофизический разрез по профилю №2 | Geo5.bmp | ",
                     "Геолого-геофизический разрез по профилю №3 |  | ",
                     "Временной сейсмический разрез по профилю №1 |  | ",
                 }));
        QCOMPARE(e->rows(SlotList::Additional),
                 (QStringList{kAdditional + " | photo.jpg | ", kAdditional + " |  | "}));
        QCOMPARE(e->slotTable(SlotList::Graphics).FieldByName("DOCTYPE2").AsString(), std::string());
    }

    void emptyPassport()
    {
        // The window's creation built the lists of the empty passport.
        QCOMPARE(e->rows(SlotList::Documents),
                 (QStringList{"Титульный лист |  | ", "Пояснительная записка |  | ", "Рекомендации |  | ",
                              "Экспертное заключение |  | "}));
        QCOMPARE(e->rows(SlotList::Graphics).mid(5),
                 (QStringList{"Геолого-геофизический разрез по профилю №1 |  | ",
                              "Временной сейсмический разрез по профилю №1 |  | "}));
        QCOMPARE(e->rows(SlotList::Additional), QStringList{kAdditional + " |  | "});
    }

    void pageCheck_data()
    {
        QTest::addColumn<int>("method"); // -1: empty
        QTest::addColumn<bool>("reflect");
        QTest::addColumn<bool>("productive");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("tablePage");
        QTest::newRow("no method, no horizons")
            << -1 << false << false << "Отсутствуют отражающие горизонты" << 4;
        QTest::newRow("seismic, only productive")
            << 89 << false << true << "Отсутствуют отражающие горизонты" << 4;
        QTest::newRow("other method, no productive")
            << 92 << false << false << "Отсутствуют возможные продуктивные горизонты" << 6;
        QTest::newRow("reflect, no productive")
            << 89 << true << false << "Отсутствуют возможные продуктивные горизонты" << 6;
        QTest::newRow("other method, productive only") << 92 << false << true << "" << -1;
        QTest::newRow("both") << 89 << true << true << "" << -1;
    }

    void pageCheck()
    {
        QFETCH(int, method);
        QFETCH(bool, reflect);
        QFETCH(bool, productive);
        QFETCH(QString, warning);
        QFETCH(int, tablePage);
        TDataModule2 &dm = e->data;
        if (method >= 0)
            dm.PASPORTS.FieldByName("PREPARATIONMETHOD_ID").SetAsInteger(method);
        if (reflect)
            appendReflectHorizon(dm, "Т2");
        if (productive)
            appendProductiveHorizon(dm, 16025, "Ю1");
        // A file stored meanwhile shows only when the page rebuilds its lists.
        appendFile(dm, "photo.jpg");
        e->book()->showPage(2);
        e->showDocuments();

        const bool passes = warning.isEmpty();
        QCOMPARE(int(e->prompts.calls.size()), passes ? 0 : 1);
        if (!passes) {
            QCOMPARE(QString::fromStdString(e->prompts.calls[0].text), warning);
            QCOMPARE(e->prompts.calls[0].caption, std::string("Предупреждение"));
            QCOMPARE(e->prompts.calls[0].icon, Prompts::Icon::Warning);
            QCOMPARE(e->form->pageControl1()->currentIndex(), 0);
            QCOMPARE(e->form->pageControl2()->currentIndex(), tablePage);
        } else {
            QCOMPARE(e->form->pageControl1()->currentIndex(), 1);
        }
        QCOMPARE(e->rows(SlotList::Additional).first(),
                 kAdditional + (passes ? " | photo.jpg | " : " |  | "));
    }

    // Placement goes by stored name: additional graphics named like a free slot move into it at the
    // next rebuild; a file whose slot is taken stays where the user can see it.
    void additionalGraphicsFindTheirSlots()
    {
        e->open();
        e->showDocuments();
        const QStringList names = {"Str1.png", "To1.png", "Geology.jpg", "Обзорная карта.png"};
        for (const QString &name : names)
            e->load(SlotList::Additional, e->grid(SlotList::Additional)->model()->rowCount() - 1,
                    e->file(name, name.toUtf8()));
        QCOMPARE(e->rows(SlotList::Additional).size(), names.size() + 1);
        QCOMPARE(e->rowTitled(SlotList::Graphics, "Геолого-геофизический разрез по профилю №2"), -1);

        e->showDocuments();
        const QStringList graphics = e->rows(SlotList::Graphics);
        QVERIFY(graphics.contains("Структурная карта по ОГ: Г | Str1.png | "));
        QVERIFY(graphics.contains("Карта То по ОГ: Г | To1.png | "));
        QVERIFY(graphics.contains(
            "Обзорная карта | overview-map.png | Обзорная карта района работ, масштаб 1:500 000"));
        const int geo = e->rowTitled(SlotList::Graphics, "Геолого-геофизический разрез по профилю №1");
        QCOMPARE(graphics.mid(geo, 2),
                 (QStringList{"Геолого-геофизический разрез по профилю №1 | Geology.jpg | ",
                              "Геолого-геофизический разрез по профилю №2 |  | "}));
        QCOMPARE(e->rows(SlotList::Additional),
                 (QStringList{kAdditional + " | Обзорная карта.png | ", kAdditional + " |  | "}));
    }

    // Map keys are positions: after the first reflecting horizon is deleted, the stored maps keep
    // their numbers and the horizons move.
    void deletedFirstHorizon()
    {
        e->open();
        e->showDocuments();
        const QStringList sources = {"карта Г.png", "карта М.png", "карта Б.png"};
        for (int n = 0; n < 3; ++n) {
            const QString title = QStringLiteral("Карта То по ОГ: ") + QStringList{"Г", "М", "Б"}[n];
            e->load(SlotList::Graphics, e->rowTitled(SlotList::Graphics, title), e->file(sources[n], "map"));
        }
        QVERIFY(e->files().contains("To3.png | карта Б.png | "));

        e->data.REFLECT_HORIZONTS.First();
        e->data.REFLECT_HORIZONTS.Delete();
        e->showDocuments();
        const QStringList graphics = e->rows(SlotList::Graphics);
        QVERIFY(graphics.contains("Карта То по ОГ: М | карта Г.png | "));
        QVERIFY(graphics.contains("Карта То по ОГ: Б | карта М.png | "));
        QCOMPARE(e->rowTitled(SlotList::Graphics, "Карта То по ОГ: Г"), -1);
        QCOMPARE(e->rows(SlotList::Additional).first(), kAdditional + " | карта Б.png | ");
    }
};

TARVENA_REGISTER_TEST(DocumentsPageTest)
#include "tst_documentspage.moc"
