#include "editor/pages/geographypage.h"

#include "editor/binding/lookupbinding.h"

namespace tarvena::editor {

namespace {

const ControlSpec kGeography[] = {
    {.caption = "Наименование объекта ",
     .name = "DBEdit1",
     .field = "OBJECTNAME",
     .kind = ControlKind::Text,
     .hint = "Полное наименование объекта"},
    {.caption = "Федеральный округ",
     .name = "JvDBLookupCombo1",
     .field = "FEDERALOKRUG_ID",
     .kind = ControlKind::Lookup,
     .source = 1,
     .hint = "Название федерального округа в соответствии с ОКАТО",
     .dropDownRows = 9},
    {.caption = "Республика",
     .name = "JvDBLookupCombo2",
     .field = "REPUBLIC_ID",
     .kind = ControlKind::Lookup,
     .source = 2,
     .hint = "Название автономной республики в соответствии с ОКАТО"},
    {.caption = "Край",
     .name = "JvDBLookupCombo3",
     .field = "KRAI_ID",
     .kind = ControlKind::Lookup,
     .source = 3,
     .hint = "Название края в соответствии с ОКАТО"},
    {.caption = "Область",
     .name = "JvDBLookupCombo4",
     .field = "OBLAST_ID",
     .kind = ControlKind::Lookup,
     .source = 4,
     .hint = "Название области в соответствии с ОКАТО"},
};

} // namespace

GeographyPage::GeographyPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet3", QStringLiteral("1.География"), parent)
{
    addControls(kGeography);
    connect(lookup("JvDBLookupCombo1"), &LookupBinding::userChanged, this,
            &GeographyPage::JvDBLookupCombo1Change);
    connect(lookup("JvDBLookupCombo2"), &LookupBinding::userChanged, this,
            &GeographyPage::JvDBLookupCombo2Change);
    connect(lookup("JvDBLookupCombo3"), &LookupBinding::userChanged, this,
            &GeographyPage::JvDBLookupCombo3Change);
    connect(lookup("JvDBLookupCombo4"), &LookupBinding::userChanged, this,
            &GeographyPage::JvDBLookupCombo4Change);
}

void GeographyPage::JvDBLookupCombo1Change()
{
    emptyField("REPUBLIC_ID");
    emptyField("KRAI_ID");
    emptyField("OBLAST_ID");
}

void GeographyPage::JvDBLookupCombo2Change()
{
    emptyField("KRAI_ID");
    emptyField("OBLAST_ID");
}

void GeographyPage::JvDBLookupCombo3Change()
{
    emptyField("REPUBLIC_ID");
    emptyField("OBLAST_ID");
}

void GeographyPage::JvDBLookupCombo4Change()
{
    emptyField("REPUBLIC_ID");
    emptyField("KRAI_ID");
}

} // namespace tarvena::editor
