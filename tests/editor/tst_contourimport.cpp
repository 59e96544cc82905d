// The contour import through its dialog: the form's controls and starting values, the coordinate
// system written into the horizon, the zone controls by system, a 400-point file in each system that
// survives saving and reopening (and tarvena-cli dump agrees), and refusals that keep the old contour.
#include "editor/dialogs/importform.h"
#include "tests/editor/contourpagefixture.h"
#include "tests/editor/testregistry.h"
#include "tests/support/clirun.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <charconv>
#include <cmath>
#include <functional>

using namespace tarvena;
using namespace tarvena::testing;
using editor::TImportForm;

namespace {

// Picks the coordinate system as a user does with the keyboard: the arrow keys step through the list.
void pickSystem(TImportForm &form, int system)
{
    QComboBox *combo = form.JvDBLookupCombo1();
    const int target = combo->findData(QVariant(qint64(system)));
    combo->setFocus();
    while (combo->currentIndex() != target) {
        const int before = combo->currentIndex();
        QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        QCoreApplication::processEvents();
        if (combo->currentIndex() == before)
            break;
    }
}

// Types the zone into the zone list's edit line.
void typeZone(TImportForm &form, const QString &zone)
{
    QComboBox *combo = form.ComboBox1();
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), zone);
}

void typeNumber(QSpinBox *spin, int value)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
    QTest::keyClick(spin, Qt::Key_Tab);
}

QStringList items(QComboBox *combo)
{
    QStringList result;
    for (int i = 0; i < combo->count(); ++i)
        result << combo->itemText(i);
    return result;
}

// What the user does in the dialog.
using FormScript = std::function<void(TImportForm &)>;

struct Point
{
    double x, y;
};

// A 400-point file of a system: its text (code page 1251) and the points it holds.
struct PointsFile
{
    QByteArray text = "X Y\r\n";
    std::vector<Point> points;
};

PointsFile pointsFile(int system)
{
    PointsFile file;
    for (int i = 0; i < 400; ++i) {
        QString x, y;
        Point p{};
        switch (system) {
        case 1: {
            const int minutes = i % 60;
            const double seconds = (i * 7 % 600) / 10.0;
            x = QStringLiteral("70°%1\"%2").arg(minutes).arg(seconds);
            y = QStringLiteral("60:%1:%2").arg(minutes).arg(seconds);
            p = {70 + minutes / 60.0 + seconds / 3600, 60 + minutes / 60.0 + seconds / 3600};
            break;
        }
        case 2:
            p = {70 + i * 0.001, 60 + i * 0.0005};
            x = QString::number(p.x, 'f', 6);
            y = QString::number(p.y, 'f', 6);
            break;
        case 3: // the zone comes from the list
            x = QStringLiteral("%1.5").arg(300000 + i * 100);
            y = QString::number(6000000 + i * 50);
            p = {1300000.5 + i * 100, 6000000.0 + i * 50};
            break;
        default: // Gauss-Krüger, the zone in the coordinates
            x = QString::number(13500000 + i * 10);
            y = QString::number(7000000 + i * 20);
            p = {13500000.0 + i * 10, 7000000.0 + i * 20};
        }
        file.text += QByteArray::fromStdString(codepage::utf8ToCp1251((x + "\t" + y + "\r\n").toStdString()));
        file.points.push_back(p);
    }
    return file;
}

// The points of the current horizon as stored.
std::vector<Point> currentPoints(MemTable &contour)
{
    std::vector<Point> result;
    for (int row = 0; row < contour.RecordCount(); ++row)
        result.push_back({std::get<double>(contour.valueAt(row, contour.FieldByName("X"))),
                          std::get<double>(contour.valueAt(row, contour.FieldByName("Y")))});
    return result;
}

// A number as the dump writes it: the shortest text that reads back as the same double.
std::string jsonNumber(double value)
{
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

int occurrences(const std::string &text, const std::string &part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

class ContourImportTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ContourPageEditor> e;
    QTemporaryDir folder;

    // Clicks "Импорт" and lets script act in the dialog.
    void runImport(const FormScript &script)
    {
        e->dialogs.modalScripts.push_back(
            [script](QDialog &dialog) { script(static_cast<TImportForm &>(dialog)); });
        e->click("BitBtn10");
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }

private slots:
    void init()
    {
        e = std::make_unique<ContourPageEditor>();
        QVERIFY(e->start());
    }
    void cleanup() { e.reset(); }

    void formStartsAsTheDialogSays()
    {
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        runImport([&](TImportForm &form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Импорт координат контура"));
            QCOMPARE(form.Memo1()->accessibleName(), QStringLiteral("Входные данные"));
            QVERIFY(form.Memo1()->toPlainText().isEmpty());
            QCOMPARE(form.BitBtn1()->text(), QStringLiteral("Загрузить файл с координатами"));
            QCOMPARE(form.BitBtn2()->text(), QStringLiteral("Импортировать"));
            QCOMPARE(form.JvDBLookupCombo1()->accessibleName(), QStringLiteral("Укажите тип координат"));
            QCOMPARE(form.JvDBLookupCombo1()->currentText(),
                     QStringLiteral("Географическая система координат (доли градуса)"));
            const std::pair<QSpinBox *, const char *> spins[] = {
                {form.JvSpinEdit1(), "Начинать импорт со строки"},
                {form.JvSpinEdit2(), "Обработать строк (0-до конца)"},
                {form.JvSpinEdit3(), "Номер колонки для долготы"},
                {form.JvSpinEdit4(), "Номер колонки для широты"}};
            const int values[] = {1, 0, 1, 2};
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(spins[i].first->accessibleName(), QString::fromUtf8(spins[i].second));
                QCOMPARE(spins[i].first->value(), values[i]);
            }
            QCOMPARE(form.RadioButton2()->text(), QStringLiteral("Номер зоны указан в координатах"));
            QCOMPARE(form.RadioButton1()->text(), QStringLiteral("Указать номер зоны"));
            QVERIFY(form.RadioButton2()->isChecked());
            QCOMPARE(form.ComboBox1()->currentText(), QStringLiteral("04"));
            QCOMPARE(
                form.StaticText1()->text(),
                QStringLiteral("Импорт координат приозводится из текстового файла. Разделители колонок с "
                               "данными:  пробел, табуляция, запятая, точка с запятой. Разделитель целой и "
                               "дробной части числа - точка. Для координат в формате: градусы, минуты, "
                               "секунды разделитель - любой, кроме указанных выше. Например:  "
                               "(Град°Мин\"Сек) или (Град:Мин:Сек). "));
            // Decimal degrees: no zone.
            QVERIFY(!form.ComboBox1()->isEnabled() && !form.RadioButton1()->isEnabled() &&
                    !form.RadioButton2()->isEnabled());

            pickSystem(form, 3);
            QCOMPARE(horizons.FieldByName("KONTURKOORDTYPE").AsInteger(), 3);
            QVERIFY(form.ComboBox1()->isEnabled() && form.RadioButton1()->isEnabled());
            QVERIFY(form.RadioButton1()->isChecked() && !form.RadioButton2()->isEnabled());
            QCOMPARE(form.ComboBox1()->currentText(), QStringLiteral("34"));
            QCOMPARE(items(form.ComboBox1()).size(), 29);
            QCOMPARE(items(form.ComboBox1()).mid(26), QStringList({"60", "1", "2"}));

            pickSystem(form, 4);
            QVERIFY(form.RadioButton2()->isEnabled() && form.RadioButton1()->isChecked());
            QCOMPARE(form.ComboBox1()->currentText(), QStringLiteral("4"));
            QCOMPARE(items(form.ComboBox1()).first(), QStringLiteral("4"));
            QCOMPARE(items(form.ComboBox1()).last(), QStringLiteral("32"));

            pickSystem(form, 1);
            QVERIFY(!form.ComboBox1()->isEnabled() && !form.RadioButton2()->isEnabled());
        });
        // Closed without importing: the system chosen stays with the horizon, the contour too.
        QCOMPARE(e->dialogs.modalShown, QStringList({"Импорт координат контура"}));
        QCOMPARE(horizons.FieldByName("KONTURKOORDTYPE").AsInteger(), 1);
        QCOMPARE(e->data.KONTUR.RecordCount(), 120);
        QVERIFY(e->prompts.calls.empty());
    }

    void eachSystemSurvivesSavingAndReopening_data()
    {
        QTest::addColumn<int>("system");
        QTest::newRow("degrees, minutes, seconds") << 1;
        QTest::newRow("decimal degrees") << 2;
        QTest::newRow("Mercator, zone 1 from the list") << 3;
        QTest::newRow("Gauss-Krüger, zone in the coordinates") << 4;
    }
    void eachSystemSurvivesSavingAndReopening()
    {
        QFETCH(int, system);
        const PointsFile file = pointsFile(system);
        e->dialogs.openAnswers = {writeFile(QStringLiteral("points.txt"), file.text)};
        runImport([&](TImportForm &form) {
            QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);
            QCOMPARE(form.Memo1()->blockCount(), 401);
            pickSystem(form, system);
            if (system == 3)
                typeZone(form, QStringLiteral("1"));
            if (system == 4)
                QTest::mouseClick(form.RadioButton2(), Qt::LeftButton);
            typeNumber(form.JvSpinEdit1(), 2);
            QTest::mouseClick(form.BitBtn2(), Qt::LeftButton);
        });
        QCOMPARE(e->dialogs.openAsked.size(), std::size_t(1));
        QCOMPARE(e->dialogs.openAsked[0].title, QStringLiteral("Загрузка внешнего файла"));
        QCOMPARE(e->dialogs.openAsked[0].filter, QStringLiteral("Текстовые файлы|*.txt|Все файлы|*.*"));
        QVERIFY(e->prompts.calls.empty());
        const std::vector<Point> imported = currentPoints(e->data.KONTUR);
        QCOMPARE(imported.size(), std::size_t(400));
        for (std::size_t i = 0; i < 400; i += 57) {
            QVERIFY(std::fabs(imported[i].x - file.points[i].x) < 1e-9);
            QVERIFY(std::fabs(imported[i].y - file.points[i].y) < 1e-9);
        }
        QCOMPARE(e->count(), 400);
        QCOMPARE(e->outlines()[0]->count(), 401);

        const QString saved = folder.filePath(QStringLiteral("saved.psp"));
        e->dialogs.saveAnswers = {saved};
        e->form->N4Click();
        e->open(saved.toStdString());
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        QCOMPARE(horizons.RecNo(), 1);
        QCOMPARE(horizons.FieldByName("KONTURKOORDTYPE").AsInteger(), system);
        QCOMPARE(e->count(), 400);
        const std::vector<Point> reopened = currentPoints(e->data.KONTUR);
        QCOMPARE(reopened.size(), imported.size());
        for (std::size_t i = 0; i < imported.size(); ++i)
            QVERIFY(reopened[i].x == imported[i].x && reopened[i].y == imported[i].y);

        // The command line reads the same points from the file.
        const CliRun dump = runCli({"dump", saved.toStdString()});
        QCOMPARE(dump.exitCode, 0);
        const std::string owner =
            "\"HEAD_ID\": " + std::to_string(horizons.FieldByName("ID").AsInteger()) + ",";
        QCOMPARE(occurrences(dump.out, owner), 400);
        for (const Point &p : {imported.front(), imported.back()})
            QVERIFY(dump.out.find(owner + " \"X\": " + jsonNumber(p.x) + ", \"Y\": " + jsonNumber(p.y)) !=
                    std::string::npos);
    }

    void refusedLineKeepsTheOldContour_data()
    {
        QTest::addColumn<int>("system");
        QTest::addColumn<QByteArray>("lastLine");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::newRow("outside the territory")
            << 2 << QByteArray("19.61 60") << QStringLiteral("Ввод не выполнен!")
            << QStringLiteral(
                   "Координаты не соответствуют территории России.\nСтрока 300: «19.61 60». Контур "
                   "горизонта не изменён.")
            << int(Prompts::Icon::Warning);
        QTest::newRow("degrees without seconds")
            << 1 << QByteArray("70:1 60:1:1") << QString::fromUtf8(editor::kApplicationTitle)
            << QStringLiteral("Ошибка, неправильный формат числа. Формат:ЦЕЛОЕ_ЧИСЛО_ГРАДУСОВ разделитель "
                              "ЦЕЛОЕ_ЧИСЛО_МИНУТ разделитель ЧИСЛО_СЕКУНД\nСтрока 300: «70:1 60:1:1». Контур "
                              "горизонта не изменён.")
            << int(Prompts::Icon::Error);
        QTest::newRow("a NUL where the separator belongs, data after it")
            << 2
            << QByteArray("70\0"
                          "60\n71 61\n",
                          12)
            << QStringLiteral("Ввод не выполнен!")
            << QStringLiteral(
                   "Текст с координатами повреждён: в строке нет долготы или широты, а после неё идут "
                   "другие строки с данными. Импорт отменён.\nСтрока 300: «70␀60». Контур горизонта "
                   "не изменён.")
            << int(Prompts::Icon::Warning);
    }
    void refusedLineKeepsTheOldContour()
    {
        QFETCH(int, system);
        QFETCH(QByteArray, lastLine);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(int, icon);
        QByteArray lines;
        for (int i = 0; i < 299; ++i)
            lines += system == 1 ? "70:1:1 60:1:1\n" : "70 60\n";
        e->dialogs.openAnswers = {writeFile(QStringLiteral("bad.txt"), lines + lastLine)};
        const std::vector<Point> before = currentPoints(e->data.KONTUR);
        runImport([&](TImportForm &form) {
            QTest::mouseClick(form.BitBtn1(), Qt::LeftButton);
            pickSystem(form, system);
            QTest::mouseClick(form.BitBtn2(), Qt::LeftButton);
        });
        QCOMPARE(e->prompts.calls.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(e->prompts.calls[0].caption), caption);
        QCOMPARE(QString::fromStdString(e->prompts.calls[0].text), text);
        QCOMPARE(int(e->prompts.calls[0].icon), icon);
        const std::vector<Point> after = currentPoints(e->data.KONTUR);
        QCOMPARE(after.size(), before.size());
        QVERIFY(after.front().x == before.front().x);
        QCOMPARE(e->count(), 120);
        QCOMPARE(e->book()->pageControl()->currentIndex(), kContourPage);
    }

    // The wheel over the dialog's lists and numbers changes only the one the user gave focus to.
    void wheelChangesOnlyTheFocusedControl()
    {
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        runImport([&](TImportForm &form) {
            pickSystem(form, 3); // the zone list is enabled for a projection
            const std::pair<QWidget *, int> controls[] = {
                {form.JvDBLookupCombo1(), -1}, {form.JvSpinEdit1(), 1}, {form.JvSpinEdit2(), 1},
                {form.JvSpinEdit3(), 1},       {form.JvSpinEdit4(), 1}, {form.ComboBox1(), -1}};
            for (const auto &[control, notches] : controls) {
                const auto shown = [control = control] {
                    auto *combo = qobject_cast<QComboBox *>(control);
                    return combo ? combo->currentText() : qobject_cast<QSpinBox *>(control)->text();
                };
                const QString before = shown();
                form.Memo1()->setFocus();
                turnWheel(control, notches);
                QCOMPARE(shown(), before);
                QVERIFY(!control->hasFocus());
                control->setFocus(Qt::MouseFocusReason);
                turnWheel(control, notches);
                QVERIFY2(shown() != before, qPrintable(control->objectName()));
            }
        });
        QCOMPARE(horizons.FieldByName("KONTURKOORDTYPE").AsInteger(), 4);
    }
};

TARVENA_REGISTER_TEST(ContourImportTest)
#include "tst_contourimport.moc"
