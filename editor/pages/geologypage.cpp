#include "editor/pages/geologypage.h"

#include "editor/guiprompts.h"
#include "editor/pages/geologysummaryview.h"
#include "model/controlrules.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"

#include <algorithm>
#include <array>

namespace tarvena::editor {

namespace {

const ControlSpec kGeology[] = {
    {.caption = "Нефтегазоносная провинция",
     .name = "JvDBLookupCombo19",
     .field = "GEO_PROVINCE_ID",
     .kind = ControlKind::Lookup,
     .source = 11,
     .hint = "Нефтегазоносная провинция"},
    {.caption = "",
     .name = "DBEdit16",
     .field = "GEO_PROVINCE_DOP",
     .kind = ControlKind::Text,
     .hint = "Нефтегазоносная провинция в случае её отсутствия в классификаторе",
     .placement = Placement::Beside},
    {.caption = "Нефтегазоносная область",
     .name = "JvDBLookupCombo20",
     .field = "GEO_OBLAST_ID",
     .kind = ControlKind::Lookup,
     .source = 12,
     .hint = "Нефтегазоносная область"},
    {.caption = "",
     .name = "DBEdit17",
     .field = "GEO_OBLAST_DOP",
     .kind = ControlKind::Text,
     .hint = "Нефтегазоносная область в случае её отсутствия в классификаторе",
     .placement = Placement::Beside},
    {.caption = "Нефтегазоносный район",
     .name = "JvDBLookupCombo21",
     .field = "GEO_RAION_ID",
     .kind = ControlKind::Lookup,
     .source = 13,
     .hint = "Нефтегазоносный район"},
    {.caption = "",
     .name = "DBEdit18",
     .field = "GEO_RAION_DOP",
     .kind = ControlKind::Text,
     .hint = "Нефтегазоносный район в случае его отсутствия в классификаторе",
     .placement = Placement::Beside},
    {.caption = "Тектонический элемент первого порядка,\nк которому приурочен подготовленный объект",
     .name = "DBEdit13",
     .field = "TEKTO1P",
     .kind = ControlKind::Text,
     .hint = "Тектонический элемент первого порядка, к которому приурочен подготовленный объект. В "
             "соответствии с принятой в регионе схемой тектонического районирования."},
    {.caption = "Тектонический элемент второго порядка,\nк которому приурочен подготовленный объект",
     .name = "DBEdit14",
     .field = "TEKTO2P",
     .kind = ControlKind::Text,
     .hint = "Тектонический элемент второго порядка, к которому приурочен подготовленный объект. В "
             "соответствии с принятой в регионе схемой тектонического районирования."},
    {.caption = "Кровля",
     .name = "JvDBComboEdit1",
     .field = "_STRATIGR_KROVL",
     .kind = ControlKind::Unit,
     .hint = "Стратиграфический индекс кровли",
     .heading = "Стратиграфический диапазон"},
    {.caption = "Подошва",
     .name = "JvDBComboEdit2",
     .field = "_STRATIGR_PODOSHV",
     .kind = ControlKind::Unit,
     .hint = "Стратиграфический индекс подошвы",
     .placement = Placement::Beside},
};

struct FreeText
{
    const char *classifierField;
    const char *editName;
    const char *textField;
};

const FreeText kFreeTexts[] = {
    {"GEO_PROVINCE_ID", "DBEdit16", "GEO_PROVINCE_DOP"},
    {"GEO_OBLAST_ID", "DBEdit17", "GEO_OBLAST_DOP"},
    {"GEO_RAION_ID", "DBEdit18", "GEO_RAION_DOP"},
};

} // namespace

GeologyPage::GeologyPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet6", QStringLiteral("4.Геология"), parent), mSummary(new GeologySummaryView)
{
    addControls(kGeology);
    addWidget(mSummary);
    // The province, area and district change by the user's pick and by the cascades of the data
    // rules (a province empties the area and the district); the free texts follow every such change.
    const std::array<const Field *, 3> classifiers = {&record().FieldByName("GEO_PROVINCE_ID"),
                                                      &record().FieldByName("GEO_OBLAST_ID"),
                                                      &record().FieldByName("GEO_RAION_ID")};
    mClassifiers = TableSubscription(record(), [this, classifiers](const TableChange &change) {
        if (change.kind == TableChange::DataChanged &&
            std::find(classifiers.begin(), classifiers.end(), change.field) != classifiers.end())
            UpdateDopEdits();
    });
}

void GeologyPage::UpdateDopEdits()
{
    for (const FreeText &pair : kFreeTexts) {
        const bool enabled =
            controlrules::freeTextEnabled(record().FieldByName(pair.classifierField).value());
        setControlEnabled(pair.editName, enabled);
        if (!enabled)
            emptyField(pair.textField);
    }
}

void GeologyPage::TabSheet6Enter()
{
    TDataModule2 &dm = data();
    runCommand(context(), {.postPendingEdits = true}, [&] {
        {
            // The page follows every horizon, whatever a resource page left shown; views hear it once.
            const ControlsDisabledScope productive(dm.POSIB_PRODUCT_HOR);
            const ControlsDisabledScope points(dm.KONTUR);
            const ControlsDisabledScope reflecting(dm.REFLECT_HORIZONTS);
            showEveryHorizon(dm);
        }
        mSummary->setSummary(summarizeResources(dm));
    });
}

void GeologyPage::JvDBComboEdit1ButtonClick()
{
    selector("JvDBComboEdit1")->choose();
}

void GeologyPage::JvDBComboEdit2ButtonClick()
{
    selector("JvDBComboEdit2")->choose();
}

} // namespace tarvena::editor
