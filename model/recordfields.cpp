#include "model/recordfields.h"

#include "model/recordfields_survey.h"
#include "storage/error.h"

#include <string>

namespace tarvena {

namespace {

constexpr int kYearMaximum = 3000;
constexpr int kMaximum = 100000; // the bound of the hidden economics figures

const RecordField kGeography[] = {
    {.caption = "Наименование объекта ",
     .control = "DBEdit1",
     .field = "OBJECTNAME",
     .kind = FieldKind::Text,
     .hint = "Полное наименование объекта",
     .sheetCaption = "Наименование объекта",
     .requiredForSubmission = Submission::Required},
    {.caption = "Федеральный округ",
     .control = "JvDBLookupCombo1",
     .field = "FEDERALOKRUG_ID",
     .kind = FieldKind::List,
     .dictionary = 1,
     .hint = "Название федерального округа в соответствии с ОКАТО",
     .dropDownRows = 9,
     .requiredForSubmission = Submission::Required},
    {.caption = "Республика",
     .control = "JvDBLookupCombo2",
     .field = "REPUBLIC_ID",
     .kind = FieldKind::List,
     .dictionary = 2,
     .hint = "Название автономной республики в соответствии с ОКАТО"},
    {.caption = "Край",
     .control = "JvDBLookupCombo3",
     .field = "KRAI_ID",
     .kind = FieldKind::List,
     .dictionary = 3,
     .hint = "Название края в соответствии с ОКАТО"},
    {.caption = "Область",
     .control = "JvDBLookupCombo4",
     .field = "OBLAST_ID",
     .kind = FieldKind::List,
     .dictionary = 4,
     .hint = "Название области в соответствии с ОКАТО"},
};

const RecordField kHistory[] = {
    {.caption = "Год выявления объекта",
     .control = "JvDBSpinEdit1",
     .field = "SHOWINGUPYEAR",
     .kind = FieldKind::WholeNumber,
     .maximum = kYearMaximum,
     .hint = "Год выявления объекта",
     .requiredForSubmission = Submission::Required},
    {.caption = "Основной метод выявления",
     .control = "JvDBLookupCombo5",
     .field = "SHOWINGUPMETHOD_ID",
     .kind = FieldKind::List,
     .dictionary = 5,
     .hint = "Метод выявления",
     .sheetCaption = "Метод выявления",
     .requiredForSubmission = Submission::Advised},
    {.caption = "Название другого метода выявления",
     .control = "DBEdit19",
     .field = "OTHERMETHOD2",
     .kind = FieldKind::Text,
     .hint = "Название \"другого\" метода",
     .placement = FieldPlacement::Under},
    {.caption = "Год начала подготовки (полевых работ)",
     .control = "JvDBSpinEdit2",
     .field = "STARTPREPARATIONYEAR",
     .kind = FieldKind::WholeNumber,
     .maximum = kYearMaximum,
     .hint = "Год начала подготовки (год начала полевых работ)",
     .sheetCaption = "Год начала подготовки",
     .requiredForSubmission = Submission::Required},
    {.caption = "Основной метод подготовки",
     .control = "JvDBLookupCombo6",
     .field = "PREPARATIONMETHOD_ID",
     .kind = FieldKind::List,
     .dictionary = 5,
     .hint = "Метод подготовки",
     .sheetCaption = "Метод подготовки",
     .requiredForSubmission = Submission::Required},
    {.caption = "Название другого метода подготовки",
     .control = "DBEdit20",
     .field = "OTHERMETHOD",
     .kind = FieldKind::Text,
     .hint = "Название \"другого\" метода",
     .placement = FieldPlacement::Under,
     .requiredForSubmission = Submission::Required},
    {.caption = "Организация, подготовившая объект",
     .control = "DBEdit2",
     .field = "PREPARATIONORGANIZATION",
     .kind = FieldKind::Text,
     .hint = "Организация, подготовившая объект",
     .requiredForSubmission = Submission::Required},
    {.caption = "Название отчета организации, подготовившей объект",
     .control = "DBEdit3",
     .field = "REPORTPREPARATION",
     .kind = FieldKind::Text,
     .hint = "Название отчета организации, подготовившей объект",
     .requiredForSubmission = Submission::Required},
    {.caption = "Авторы отчета",
     .control = "DBEdit4",
     .field = "REPORTAUTHORS",
     .kind = FieldKind::Text,
     .hint = "Авторы отчета",
     .requiredForSubmission = Submission::Required},
    {.caption = "Год составления отчета",
     .control = "JvDBSpinEdit4",
     .field = "REPORTYEAR",
     .kind = FieldKind::WholeNumber,
     .maximum = kYearMaximum,
     .hint = "Год составления сейсмического отчета по результат которого был подготовлен объект  ",
     .requiredForSubmission = Submission::Required},
    {.caption = "Место хранения отчета",
     .control = "DBEdit5",
     .field = "REPORTSTORINGPLACE",
     .kind = FieldKind::Text,
     .hint = "Место хранения отчета",
     .requiredForSubmission = Submission::Advised},
    {.caption = "Год окончания подготовки (составления паспорта)",
     .control = "JvDBSpinEdit3",
     .field = "ENDPREPARATIONYEAR",
     .kind = FieldKind::WholeNumber,
     .maximum = kYearMaximum,
     .hint = "Год окончания подготовки (год составления паспорта на подготовленный объект)",
     .sheetCaption = "Год окончания подготовки",
     .requiredForSubmission = Submission::Required},
    {.caption = "Год включения в фонд подготовленных (Госбаланс)",
     .control = "JvDBSpinEdit5",
     .field = "PREPAREDFUNDYEAR",
     .kind = FieldKind::WholeNumber,
     .maximum = kYearMaximum,
     .hint = "Год включения в фонд подготовленных объектов (в Госбаланс)",
     .sheetCaption = "Год включения в фонд подготовленных объектов"},
    {.caption = "Какому фонду принадлежит объект",
     .control = "JvDBLookupCombo7",
     .field = "AFFILATION_ID",
     .kind = FieldKind::List,
     .dictionary = 6,
     .hint = "Какому фонду принадлежит объект (Распределенный или Нераспределенный)",
     .requiredForSubmission = Submission::Advised},
    {.caption = "Обладатель лицензии (недропользователь)",
     .control = "DBEdit6",
     .field = "LICENSOR",
     .kind = FieldKind::Text,
     .hint = "Название организации (компании, акционерного общества, предприятия и др.) или "
             "государственной организации.",
     .sheetCaption = "Обладатель лицензии"},
    {.caption = "Номер лицензии",
     .control = "DBEdit7",
     .field = "LICENCENUMBER",
     .kind = FieldKind::Text,
     .hint = "Номер лицензии"},
    {.caption = "Тип лицензии",
     .control = "JvDBLookupCombo8",
     .field = "LICENCETYPE_ID",
     .kind = FieldKind::List,
     .dictionary = 7,
     .hint = "Тип лицензии"},
    {.caption = "Срок лицензии",
     .control = "DBEdit8",
     .field = "TERMINATIONLICENCE",
     .kind = FieldKind::Text,
     .hint = "Срок окончания лицензии"},
    {.caption = "Название лицензионного участка",
     .control = "DBEdit9",
     .field = "LICENCEREGION",
     .kind = FieldKind::Text,
     .hint = "Название лицензионного участка"},
};

const RecordField kGeology[] = {
    {.caption = "Нефтегазоносная провинция",
     .control = "JvDBLookupCombo19",
     .field = "GEO_PROVINCE_ID",
     .kind = FieldKind::List,
     .dictionary = 11,
     .hint = "Нефтегазоносная провинция",
     .requiredForSubmission = Submission::Required},
    {.caption = "",
     .control = "DBEdit16",
     .field = "GEO_PROVINCE_DOP",
     .kind = FieldKind::Text,
     .hint = "Нефтегазоносная провинция в случае её отсутствия в классификаторе",
     .placement = FieldPlacement::Beside},
    {.caption = "Нефтегазоносная область",
     .control = "JvDBLookupCombo20",
     .field = "GEO_OBLAST_ID",
     .kind = FieldKind::List,
     .dictionary = 12,
     .hint = "Нефтегазоносная область",
     .requiredForSubmission = Submission::Advised},
    {.caption = "",
     .control = "DBEdit17",
     .field = "GEO_OBLAST_DOP",
     .kind = FieldKind::Text,
     .hint = "Нефтегазоносная область в случае её отсутствия в классификаторе",
     .placement = FieldPlacement::Beside},
    {.caption = "Нефтегазоносный район",
     .control = "JvDBLookupCombo21",
     .field = "GEO_RAION_ID",
     .kind = FieldKind::List,
     .dictionary = 13,
     .hint = "Нефтегазоносный район"},
    {.caption = "",
     .control = "DBEdit18",
     .field = "GEO_RAION_DOP",
     .kind = FieldKind::Text,
     .hint = "Нефтегазоносный район в случае его отсутствия в классификаторе",
     .placement = FieldPlacement::Beside},
    {.caption = "Тектонический элемент первого порядка,\nк которому приурочен подготовленный объект",
     .control = "DBEdit13",
     .field = "TEKTO1P",
     .kind = FieldKind::Text,
     .hint = "Тектонический элемент первого порядка, к которому приурочен подготовленный объект. В "
             "соответствии с принятой в регионе схемой тектонического районирования.",
     .sheetCaption = "Тектонический элемент первого порядка",
     .requiredForSubmission = Submission::Advised},
    {.caption = "Тектонический элемент второго порядка,\nк которому приурочен подготовленный объект",
     .control = "DBEdit14",
     .field = "TEKTO2P",
     .kind = FieldKind::Text,
     .hint = "Тектонический элемент второго порядка, к которому приурочен подготовленный объект. В "
             "соответствии с принятой в регионе схемой тектонического районирования.",
     .sheetCaption = "Тектонический элемент второго порядка"},
    {.caption = "Кровля",
     .control = "JvDBComboEdit1",
     .field = "_STRATIGR_KROVL",
     .kind = FieldKind::Unit,
     .dictionary = 16,
     .hint = "Стратиграфический индекс кровли",
     .heading = "Стратиграфический диапазон",
     .requiredForSubmission = Submission::Advised},
    {.caption = "Подошва",
     .control = "JvDBComboEdit2",
     .field = "_STRATIGR_PODOSHV",
     .kind = FieldKind::Unit,
     .dictionary = 16,
     .hint = "Стратиграфический индекс подошвы",
     .placement = FieldPlacement::Beside,
     .requiredForSubmission = Submission::Advised},
};

const RecordField kEconomics[] = {
    {.caption = "Объем работ по подготовке объекта к глубокому бурению, км",
     .control = "JvDBSpinEdit24",
     .field = "WORKVOLUME",
     .kind = FieldKind::DecimalNumber,
     .maximum = kMaximum},
    {.caption = "Стоимость работ по подготовке объекта к глубокому бурению, тыс. руб.",
     .control = "JvDBSpinEdit25",
     .field = "WORKPICE",
     .kind = FieldKind::DecimalNumber,
     .maximum = kMaximum},
    {.caption = "Общие затраты на выявление и подготовку объекта, тыс. руб.",
     .control = "JvDBSpinEdit26",
     .field = "TOTALPRICE",
     .kind = FieldKind::DecimalNumber,
     .maximum = kMaximum},
    {.caption = "Источник финансирования",
     .control = "DBEdit15",
     .field = "FINANCESOURCE",
     .kind = FieldKind::Text},
};

// Built on first use: the survey groups' rows live in their own file.
std::span<const RecordGroupInfo> groups()
{
    static const RecordGroupInfo kGroups[] = {
        {RecordGroup::Geography, nullptr, nullptr, kGeography},
        {RecordGroup::History, nullptr, nullptr, kHistory},
        {RecordGroup::Seismic2D, " Сейсморазведка 2D ", "GroupBox1", surveyFields(RecordGroup::Seismic2D)},
        {RecordGroup::Seismic3D, " Сейсморазведка 3D ", "GroupBox2", surveyFields(RecordGroup::Seismic3D)},
        {RecordGroup::Electrical, " Электроразведка ", "GroupBox3", surveyFields(RecordGroup::Electrical)},
        {RecordGroup::OtherMethod, " Другой геофизический метод ", "GroupBox4",
         surveyFields(RecordGroup::OtherMethod)},
        {RecordGroup::StructuralDrilling, " Структурное бурение ", "GroupBox5",
         surveyFields(RecordGroup::StructuralDrilling)},
        {RecordGroup::Geology, nullptr, nullptr, kGeology},
        {RecordGroup::Economics, nullptr, nullptr, kEconomics},
    };
    return kGroups;
}

} // namespace

std::span<const RecordGroupInfo> recordGroups()
{
    return groups();
}

const RecordGroupInfo &recordGroup(RecordGroup group)
{
    // The groups are listed in the order of the enumeration.
    return groups()[static_cast<std::size_t>(group)];
}

std::span<const RecordField> recordFields(RecordGroup group)
{
    return recordGroup(group).fields;
}

const RecordField *findRecordField(RecordGroup first, RecordGroup last, std::string_view field)
{
    for (const RecordGroupInfo &group : groups())
        if (group.group >= first && group.group <= last)
            for (const RecordField &row : group.fields)
                if (field == row.field)
                    return &row;
    return nullptr;
}

const RecordField &recordField(RecordGroup first, RecordGroup last, std::string_view field)
{
    if (const RecordField *found = findRecordField(first, last, field))
        return *found;
    throw Error("Нет поля паспорта " + std::string(field) + " среди полей листа.");
}

std::string_view sheetCaption(const RecordField &field)
{
    return field.sheetCaption ? field.sheetCaption : field.caption;
}

std::string_view groupHeading(RecordGroup group)
{
    const char *caption = recordGroup(group).caption;
    std::string_view text = caption ? caption : "";
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace tarvena
