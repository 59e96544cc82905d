#include "editor/dialogs/importform.h"

#include "editor/binding/lookupbinding.h"
#include "editor/controlnaming.h"
#include "editor/guiprompts.h"
#include "editor/pages/pagecontext.h"
#include "editor/text.h"
#include "editor/wheelguard.h"
#include "model/datamodule.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace tarvena::editor {

namespace {

const char kHelpText[] =
    "Импорт координат приозводится из текстового файла. Разделители колонок с данными:  пробел, табуляция, "
    "запятая, точка с запятой. Разделитель целой и дробной части числа - точка. Для координат в формате: "
    "градусы, минуты, секунды разделитель - любой, кроме указанных выше. Например:  (Град°Мин\"Сек) или "
    "(Град:Мин:Сек). ";

// A spin edit under its caption, added to a column of the layout.
QSpinBox *spinEdit(QWidget *form, QGridLayout *layout, int row, const char *name, const QString &caption,
                   int value, int minimum, int maximum)
{
    auto *label = new QLabel(caption, form);
    auto *spin = new QSpinBox(form);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    takeWheelOnlyWithFocus(spin);
    nameControl(spin, name, caption, QString(), label);
    layout->addWidget(label, row, 0);
    layout->addWidget(spin, row, 1);
    return spin;
}

QStringList zoneNames(int first, int last)
{
    QStringList zones;
    for (int zone = first; zone <= last; ++zone)
        zones << QString::number(zone);
    return zones;
}

} // namespace

TImportForm::TImportForm(PageContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      mContext(context)
{
    setObjectName(QStringLiteral("ImportForm"));
    setWindowTitle(QStringLiteral("Импорт координат контура"));
    mOpenDialog1 = {QStringLiteral("Загрузка внешнего файла"),
                    QStringLiteral("Текстовые файлы|*.txt|Все файлы|*.*"), 1, QString(), QString()};

    auto *label1 = new QLabel(QStringLiteral("Входные данные"), this);
    mMemo1 = new QPlainTextEdit(this);
    mMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    mMemo1->setMinimumSize(300, 320);
    nameControl(mMemo1, "Memo1", label1->text(), QString(), label1);
    mBitBtn1 = new QPushButton(QStringLiteral("Загрузить файл с координатами"), this);
    nameControl(mBitBtn1, "BitBtn1", mBitBtn1->text(), QString());
    mBitBtn1->setAutoDefault(false);
    connect(mBitBtn1, &QPushButton::clicked, this, &TImportForm::BitBtn1Click);

    auto *label6 = new QLabel(QStringLiteral("Укажите тип координат"), this);
    mJvDBLookupCombo1 = new QComboBox(this);
    mJvDBLookupCombo1->setMinimumWidth(360);
    nameControl(mJvDBLookupCombo1, "JvDBLookupCombo1", label6->text(), QString(), label6);
    mCoordinates = new LookupBinding(context.data.POSIB_PRODUCT_HOR, "KONTURKOORDTYPE", context.data.TCoords,
                                     context.prompts, mJvDBLookupCombo1);
    connect(mCoordinates, &LookupBinding::userChanged, this, &TImportForm::JvDBLookupCombo1Change);

    auto *lines = new QGridLayout;
    mJvSpinEdit1 =
        spinEdit(this, lines, 0, "JvSpinEdit1", QStringLiteral("Начинать импорт со строки"), 1, 1, INT_MAX);
    mJvSpinEdit2 = spinEdit(this, lines, 1, "JvSpinEdit2", QStringLiteral("Обработать строк (0-до конца)"), 0,
                            0, INT_MAX);
    mJvSpinEdit3 =
        spinEdit(this, lines, 2, "JvSpinEdit3", QStringLiteral("Номер колонки для долготы"), 1, 1, 1000);
    mJvSpinEdit4 =
        spinEdit(this, lines, 3, "JvSpinEdit4", QStringLiteral("Номер колонки для широты"), 2, 1, 1000);

    auto *zone = new QGroupBox(QStringLiteral("Выбор зоны (для проекций)"), this);
    zone->setObjectName(QStringLiteral("GroupBox1"));
    zone->setAccessibleName(zone->title());
    mRadioButton2 = new QRadioButton(QStringLiteral("Номер зоны указан в координатах"), zone);
    nameControl(mRadioButton2, "RadioButton2", mRadioButton2->text(), QString());
    mRadioButton2->setChecked(true);
    mRadioButton1 = new QRadioButton(QStringLiteral("Указать номер зоны"), zone);
    nameControl(mRadioButton1, "RadioButton1", mRadioButton1->text(), QString());
    mComboBox1 = new QComboBox(zone);
    mComboBox1->setEditable(true);
    mComboBox1->addItems(zoneNames(4, 32));
    mComboBox1->setEditText(QStringLiteral("04"));
    takeWheelOnlyWithFocus(mComboBox1);
    nameControl(mComboBox1, "ComboBox1", mRadioButton1->text(), QString());
    auto *zoneLayout = new QGridLayout(zone);
    zoneLayout->addWidget(mRadioButton2, 0, 0, 1, 2);
    zoneLayout->addWidget(mRadioButton1, 1, 0);
    zoneLayout->addWidget(mComboBox1, 1, 1);

    mBitBtn2 = new QPushButton(QStringLiteral("Импортировать"), this);
    nameControl(mBitBtn2, "BitBtn2", mBitBtn2->text(), QString());
    mBitBtn2->setAutoDefault(false);
    connect(mBitBtn2, &QPushButton::clicked, this, &QDialog::accept);

    mStaticText1 = new QLabel(QString::fromUtf8(kHelpText), this);
    mStaticText1->setObjectName(QStringLiteral("StaticText1"));
    mStaticText1->setAccessibleName(mStaticText1->text());
    mStaticText1->setWordWrap(true);
    mStaticText1->setFrameShape(QFrame::StyledPanel);
    mStaticText1->setContentsMargins(4, 4, 4, 4);

    auto *right = new QVBoxLayout;
    right->addWidget(label6);
    right->addWidget(mJvDBLookupCombo1);
    right->addLayout(lines);
    right->addWidget(zone);
    right->addStretch(1);
    right->addWidget(mBitBtn2, 0, Qt::AlignRight);
    auto *layout = new QGridLayout(this);
    layout->addWidget(label1, 0, 0);
    layout->addWidget(mMemo1, 1, 0);
    layout->addWidget(mBitBtn1, 2, 0);
    layout->addLayout(right, 0, 1, 3, 1);
    layout->addWidget(mStaticText1, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
    // Centred on the screen, as the dialog always opens.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(sizeHint().width() / 2, sizeHint().height() / 2));
}

std::string TImportForm::text() const
{
    return toCp1251(mMemo1->toPlainText());
}

ContourImportSettings TImportForm::settings() const
{
    ContourImportSettings settings;
    settings.system = mContext.data.POSIB_PRODUCT_HOR.FieldByName("KONTURKOORDTYPE").AsInteger();
    settings.startLine = mJvSpinEdit1->value();
    settings.lineCount = mJvSpinEdit2->value();
    settings.xColumn = mJvSpinEdit3->value();
    settings.yColumn = mJvSpinEdit4->value();
    settings.zoneGiven = mRadioButton1->isChecked();
    settings.zone = toCp1251(mComboBox1->currentText());
    return settings;
}

void TImportForm::FormCreate()
{
    setZoneControls();
}

void TImportForm::JvDBLookupCombo1Change()
{
    setZoneControls();
}

void TImportForm::setZoneControls()
{
    const std::optional<ImportZoneControls> controls =
        importZoneControls(mContext.data.POSIB_PRODUCT_HOR.FieldByName("KONTURKOORDTYPE").AsInteger());
    if (!controls)
        return;
    mComboBox1->setEnabled(controls->zoneListEnabled);
    mRadioButton1->setEnabled(controls->zoneListEnabled);
    mRadioButton2->setEnabled(controls->zoneInCoordinatesEnabled);
    if (controls->zoneListEnabled)
        mRadioButton1->setChecked(true);
    if (!controls->zones.empty()) {
        mComboBox1->clear();
        for (const std::string &zone : controls->zones)
            mComboBox1->addItem(QString::fromStdString(zone));
        mComboBox1->setEditText(QString::fromStdString(controls->zones.front()));
    }
}

void TImportForm::BitBtn1Click()
{
    const QString path = mContext.dialogs.openFileName(this, mOpenDialog1);
    if (path.isEmpty())
        return;
    mOpenDialog1.fileName = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(mContext.prompts, "Не удалось открыть файл «" + path.toStdString() +
                                        "»: " + file.errorString().toStdString());
        return;
    }
    const QByteArray bytes = file.readAll();
    // The text is in the system's single-byte code page; CR LF, LF and CR end a line.
    std::string lines;
    for (std::string_view line : textLines(std::string_view(bytes.constData(), std::size_t(bytes.size())))) {
        lines.append(line);
        lines += '\n';
    }
    if (!lines.empty())
        lines.pop_back();
    mMemo1->setPlainText(fromCp1251(lines));
}

} // namespace tarvena::editor
