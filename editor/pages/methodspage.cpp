#include "editor/pages/methodspage.h"

#include "editor/binding/lookupbinding.h"
#include "model/controlrules.h"
#include "model/memtable.h"

namespace tarvena::editor {

namespace {

constexpr int kMaximum = 100000;

const ControlSpec kSeismic2D[] = {
    {.caption = "Масштаб съемки",
     .name = "JvDBComboEdit3",
     .field = "_SHOOTSCALE",
     .kind = ControlKind::Scale,
     .hint = "Масштаб съемки"},
    {.caption = "Плотность сети профилей (км/км2)",
     .name = "JvDBSpinEdit6",
     .field = "GRIDDENCITY",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .decimals = 1,
     .hint = "Плотность сети профилей, в км/км^2"},
    {.caption = "Кратность наблюдений МОГТ",
     .name = "JvDBSpinEdit7",
     .field = "MOGTREPETISHIONS",
     .kind = ControlKind::WholeSpin,
     .maximum = kMaximum,
     .hint = "Кратность наблюдений МОГТ, например: 6, 12, 24, 48 и др."},
    {.caption = "Максимальное удаление 'источник-приемник' (м)",
     .name = "JvDBSpinEdit8",
     .field = "MAXDISTANCE",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Максимальное удаление ''источник-приемник'', в м. например: 3000"},
    {.caption = "Минимальное удаление 'источник-приемник' (м)",
     .name = "JvDBSpinEdit9",
     .field = "MINDISTANCE",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Минимальное удаление 'источник-приемник', в м. например: 50"},
    {.caption = "Расстояние между точками ОГТ (м)",
     .name = "JvDBSpinEdit10",
     .field = "RECIVESTEP",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Расстояние между точками ОГТ в м. Например: 50"},
    {.caption = "Вид источника возбуждения колебаний",
     .name = "JvDBLookupCombo10",
     .field = "DRIVINGTYPE_ID",
     .kind = ControlKind::Lookup,
     .source = 8},
    {.caption = "Размещение заряда",
     .name = "JvDBLookupCombo11",
     .field = "CHARGELOCATION_ID",
     .kind = ControlKind::Lookup,
     .source = 9,
     .labelName = "Label31"},
    {.caption = "Тип невзрывного источника",
     .name = "JvDBLookupCombo12",
     .field = "NONEXPLOSIVETYPE_ID",
     .kind = ControlKind::Lookup,
     .source = 10,
     .labelName = "Label32"},
};

const ControlSpec kSeismic3D[] = {
    {.caption = "Кратность наблюдений МОГТ",
     .name = "JvDBSpinEdit12",
     .field = "MOGTREPETISHIONS3D",
     .kind = ControlKind::WholeSpin,
     .maximum = kMaximum,
     .hint = "Кратность наблюдений МОГТ, например: 6, 12, 24, 48 и др."},
    {.caption = "Максимальное удаление 'источник-приемник' (м)",
     .name = "JvDBSpinEdit13",
     .field = "MAXDISTANCE3D",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Максимальное удаление 'источник-приемник', в м. например: 3000"},
    {.caption = "Минимальное удаление 'источник-приемник' (м)",
     .name = "JvDBSpinEdit14",
     .field = "MINDISTANCE3D",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Минимальное удаление 'источник-приемник', в м. например: 30"},
    {.caption = "Расстояние между линиями пунктов приема (м)",
     .name = "JvDBSpinEdit15",
     .field = "RECIVESTEP3D",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Расстояние между линиями пунктов приема, в м. например: 30"},
    {.caption = "Расстояние между линиями пунктов возбуждения (м)",
     .name = "JvDBSpinEdit16",
     .field = "DRIVINGSTEP3D",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Расстояние между линиями пунктов возбуждения, в м. например: 30"},
    {.caption = "Размеры бина (м)",
     .name = "JvDBSpinEdit17",
     .field = "BINH",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "высота в м, например: 50"},
    {.caption = "X",
     .name = "JvDBSpinEdit18",
     .field = "BINW",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "ширина в м, например: 50",
     .placement = Placement::Beside},
    {.caption = "Вид источника возбуждения колебаний",
     .name = "JvDBLookupCombo13",
     .field = "DRIVINGTYPE3D_ID",
     .kind = ControlKind::Lookup,
     .source = 8},
    {.caption = "Размещение заряда",
     .name = "JvDBLookupCombo14",
     .field = "CHARGELOCATION3D_ID",
     .kind = ControlKind::Lookup,
     .source = 9,
     .labelName = "Label41"},
    {.caption = "Тип невзрывного источника",
     .name = "JvDBLookupCombo15",
     .field = "NONEXPLOSIVETYPE3D_ID",
     .kind = ControlKind::Lookup,
     .source = 10,
     .labelName = "Label42"},
};

const ControlSpec kElectrical[] = {
    {.caption = "Метод электроразведки",
     .name = "DBEdit10",
     .field = "ELECTROMETHOD",
     .kind = ControlKind::Text,
     .hint = "Метод электроразведки"},
    {.caption = "Масштаб съемки",
     .name = "JvDBComboEdit4",
     .field = "_SHOOTSCALEEL",
     .kind = ControlKind::Scale,
     .hint = "Масштаб съемки"},
    {.caption = "Плотность сети профилей (км/км2)",
     .name = "JvDBSpinEdit19",
     .field = "GRIDDENCITYEL",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .decimals = 1,
     .hint = "Плотность сети профилей, в км/км^2"},
    {.caption = "Шаг точек наблюдений (м)",
     .name = "JvDBSpinEdit20",
     .field = "STEPEL",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Шаг точек наблюдений, в м. например: 20"},
};

const ControlSpec kOtherMethod[] = {
    {.caption = "Название метода",
     .name = "DBEdit11",
     .field = "OTHERMETHOD",
     .kind = ControlKind::Text,
     .hint = "Название метода"},
    {.caption = "Масштаб съемки",
     .name = "JvDBComboEdit5",
     .field = "_SHOOTSCALEOT",
     .kind = ControlKind::Scale,
     .hint = "Масштаб съемки"},
    {.caption = "Плотность наблюдений (км/км2)",
     .name = "JvDBSpinEdit21",
     .field = "GRIDDENCITYOT",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .decimals = 1,
     .hint = "Плотность наблюдений, в км/км^2"},
    {.caption = "Система наблюдений",
     .name = "DBEdit12",
     .field = "OBSERVATIONSYSTEM",
     .kind = ControlKind::Text,
     .hint = "Система наблюдений"},
    {.caption = "Расстояние между точками наблюдений (м)",
     .name = "JvDBSpinEdit22",
     .field = "STEPOT",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .hint = "Расстояние между точками наблюдений"},
};

const ControlSpec kStructuralDrilling[] = {
    {.caption = "Масштаб съемки",
     .name = "JvDBComboEdit6",
     .field = "_SHOOTSCALEST",
     .kind = ControlKind::Scale,
     .hint = "Масштаб съемки"},
    {.caption = "Плотность сети скважин (скв/км2)",
     .name = "JvDBSpinEdit23",
     .field = "GRIDDENCITYST",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum,
     .decimals = 1,
     .hint = "Плотность сети скважин, число скважин на 1 км^2. Например: 4"},
};

} // namespace

MethodsPage::MethodsPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet5", QStringLiteral("3.Методика подготовки"), parent)
{
    addControls(kSeismic2D, addGroup(QStringLiteral(" Сейсморазведка 2D "), "GroupBox1"));
    addControls(kSeismic3D, addGroup(QStringLiteral(" Сейсморазведка 3D "), "GroupBox2"));
    addControls(kElectrical, addGroup(QStringLiteral(" Электроразведка "), "GroupBox3"));
    addControls(kOtherMethod, addGroup(QStringLiteral(" Другой геофизический метод "), "GroupBox4"));
    addControls(kStructuralDrilling, addGroup(QStringLiteral(" Структурное бурение "), "GroupBox5"));
    alignCaptionColumns();
    connect(lookup("JvDBLookupCombo10"), &LookupBinding::userChanged, this,
            &MethodsPage::JvDBLookupCombo10Change);
    connect(lookup("JvDBLookupCombo13"), &LookupBinding::userChanged, this,
            &MethodsPage::JvDBLookupCombo13Change);
}

void MethodsPage::sourceTypeRule(const SourcePairs &pairs)
{
    const controlrules::SourceTypeControls enabled =
        controlrules::sourceTypeControls(record().FieldByName(pairs.sourceField).value());
    setControlEnabled(pairs.chargeList, enabled.chargeLocation);
    if (!enabled.chargeLocation)
        emptyField(pairs.chargeField);
    setControlEnabled(pairs.nonExplosiveList, enabled.nonExplosiveType);
    if (!enabled.nonExplosiveType)
        emptyField(pairs.nonExplosiveField);
}

void MethodsPage::JvDBLookupCombo10Change()
{
    sourceTypeRule({"DRIVINGTYPE_ID", "JvDBLookupCombo11", "CHARGELOCATION_ID", "JvDBLookupCombo12",
                    "NONEXPLOSIVETYPE_ID"});
}

void MethodsPage::JvDBLookupCombo13Change()
{
    sourceTypeRule({"DRIVINGTYPE3D_ID", "JvDBLookupCombo14", "CHARGELOCATION3D_ID", "JvDBLookupCombo15",
                    "NONEXPLOSIVETYPE3D_ID"});
}

void MethodsPage::JvDBComboEdit3ButtonClick()
{
    selector("JvDBComboEdit3")->choose();
}

void MethodsPage::JvDBComboEdit4ButtonClick()
{
    selector("JvDBComboEdit4")->choose();
}

void MethodsPage::JvDBComboEdit5ButtonClick()
{
    selector("JvDBComboEdit5")->choose();
}

void MethodsPage::JvDBComboEdit6ButtonClick()
{
    selector("JvDBComboEdit6")->choose();
}

void MethodsPage::afterOpen()
{
    JvDBLookupCombo10Change();
    JvDBLookupCombo13Change();
}

} // namespace tarvena::editor
