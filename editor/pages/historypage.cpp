#include "editor/pages/historypage.h"

#include "editor/binding/lookupbinding.h"
#include "model/controlrules.h"
#include "model/memtable.h"

namespace tarvena::editor {

namespace {

constexpr int kYearMaximum = 3000;

const ControlSpec kHistory[] = {
    {.caption = "Год выявления объекта",
     .name = "JvDBSpinEdit1",
     .field = "SHOWINGUPYEAR",
     .kind = ControlKind::WholeSpin,
     .maximum = kYearMaximum,
     .hint = "Год выявления объекта"},
    {.caption = "Основной метод выявления",
     .name = "JvDBLookupCombo5",
     .field = "SHOWINGUPMETHOD_ID",
     .kind = ControlKind::Lookup,
     .source = 5,
     .hint = "Метод выявления"},
    {.caption = "Название другого метода выявления",
     .name = "DBEdit19",
     .field = "OTHERMETHOD2",
     .kind = ControlKind::Text,
     .hint = "Название \"другого\" метода",
     .placement = Placement::Under},
    {.caption = "Год начала подготовки (полевых работ)",
     .name = "JvDBSpinEdit2",
     .field = "STARTPREPARATIONYEAR",
     .kind = ControlKind::WholeSpin,
     .maximum = kYearMaximum,
     .hint = "Год начала подготовки (год начала полевых работ)"},
    {.caption = "Основной метод подготовки",
     .name = "JvDBLookupCombo6",
     .field = "PREPARATIONMETHOD_ID",
     .kind = ControlKind::Lookup,
     .source = 5,
     .hint = "Метод подготовки"},
    {.caption = "Название другого метода подготовки",
     .name = "DBEdit20",
     .field = "OTHERMETHOD",
     .kind = ControlKind::Text,
     .hint = "Название \"другого\" метода",
     .placement = Placement::Under},
    {.caption = "Организация, подготовившая объект",
     .name = "DBEdit2",
     .field = "PREPARATIONORGANIZATION",
     .kind = ControlKind::Text,
     .hint = "Организация, подготовившая объект"},
    {.caption = "Название отчета организации, подготовившей объект",
     .name = "DBEdit3",
     .field = "REPORTPREPARATION",
     .kind = ControlKind::Text,
     .hint = "Название отчета организации, подготовившей объект"},
    {.caption = "Авторы отчета",
     .name = "DBEdit4",
     .field = "REPORTAUTHORS",
     .kind = ControlKind::Text,
     .hint = "Авторы отчета"},
    {.caption = "Год составления отчета",
     .name = "JvDBSpinEdit4",
     .field = "REPORTYEAR",
     .kind = ControlKind::WholeSpin,
     .maximum = kYearMaximum,
     .hint = "Год составления сейсмического отчета по результат которого был подготовлен объект  "},
    {.caption = "Место хранения отчета",
     .name = "DBEdit5",
     .field = "REPORTSTORINGPLACE",
     .kind = ControlKind::Text,
     .hint = "Место хранения отчета"},
    {.caption = "Год окончания подготовки (составления паспорта)",
     .name = "JvDBSpinEdit3",
     .field = "ENDPREPARATIONYEAR",
     .kind = ControlKind::WholeSpin,
     .maximum = kYearMaximum,
     .hint = "Год окончания подготовки (год составления паспорта на подготовленный объект)"},
    {.caption = "Год включения в фонд подготовленных (Госбаланс)",
     .name = "JvDBSpinEdit5",
     .field = "PREPAREDFUNDYEAR",
     .kind = ControlKind::WholeSpin,
     .maximum = kYearMaximum,
     .hint = "Год включения в фонд подготовленных объектов (в Госбаланс)"},
    {.caption = "Какому фонду принадлежит объект",
     .name = "JvDBLookupCombo7",
     .field = "AFFILATION_ID",
     .kind = ControlKind::Lookup,
     .source = 6,
     .hint = "Какому фонду принадлежит объект (Распределенный или Нераспределенный)"},
    {.caption = "Обладатель лицензии (недропользователь)",
     .name = "DBEdit6",
     .field = "LICENSOR",
     .kind = ControlKind::Text,
     .hint = "Название организации (компании, акционерного общества, предприятия и др.) или "
             "государственной организации."},
    {.caption = "Номер лицензии",
     .name = "DBEdit7",
     .field = "LICENCENUMBER",
     .kind = ControlKind::Text,
     .hint = "Номер лицензии"},
    {.caption = "Тип лицензии",
     .name = "JvDBLookupCombo8",
     .field = "LICENCETYPE_ID",
     .kind = ControlKind::Lookup,
     .source = 7,
     .hint = "Тип лицензии"},
    {.caption = "Срок лицензии",
     .name = "DBEdit8",
     .field = "TERMINATIONLICENCE",
     .kind = ControlKind::Text,
     .hint = "Срок окончания лицензии"},
    {.caption = "Название лицензионного участка",
     .name = "DBEdit9",
     .field = "LICENCEREGION",
     .kind = ControlKind::Text,
     .hint = "Название лицензионного участка"},
};

} // namespace

HistoryPage::HistoryPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet4", QStringLiteral("2.История"), parent)
{
    addControls(kHistory);
    // A method's name opens once a method says it is another one.
    setControlEnabled("DBEdit19", false);
    setControlEnabled("DBEdit20", false);
    connect(lookup("JvDBLookupCombo5"), &LookupBinding::userChanged, this,
            &HistoryPage::JvDBLookupCombo5Change);
    connect(lookup("JvDBLookupCombo6"), &LookupBinding::userChanged, this,
            &HistoryPage::JvDBLookupCombo6Change);
}

void HistoryPage::otherMethodRule(const char *methodField, const char *editName, const char *textField,
                                  bool emptyText)
{
    const bool enabled = controlrules::otherMethodEnabled(record().FieldByName(methodField).value());
    setControlEnabled(editName, enabled);
    if (!enabled && emptyText)
        emptyField(textField);
}

void HistoryPage::JvDBLookupCombo5Change()
{
    otherMethodRule("SHOWINGUPMETHOD_ID", "DBEdit19", "OTHERMETHOD2", true);
}

void HistoryPage::JvDBLookupCombo6Change()
{
    otherMethodRule("PREPARATIONMETHOD_ID", "DBEdit20", "OTHERMETHOD", true);
}

void HistoryPage::afterOpen()
{
    JvDBLookupCombo5Change();
    otherMethodRule("PREPARATIONMETHOD_ID", "DBEdit20", "OTHERMETHOD", false);
}

} // namespace tarvena::editor
