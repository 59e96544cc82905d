#include "editor/pages/geologypage.h"

#include "editor/guiprompts.h"
#include "editor/pages/geologysummaryview.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"

#include <QPushButton>

namespace tarvena::editor {

GeologyPage::GeologyPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet6", QStringLiteral("4.Геология"), parent), mSummary(new GeologySummaryView)
{
    addFields(RecordGroup::Geology);
    addWidget(mSummary);
    // What the passport still lacks is checked from here, beside the resources it sums.
    auto *check = new QPushButton(QStringLiteral("Проверить паспорт"));
    check->setObjectName(QStringLiteral("CheckPassportButton"));
    check->setToolTip(QStringLiteral("Проверка паспорта перед сдачей (F7)"));
    check->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    connect(check, &QPushButton::clicked, this, [this] { this->context().host.showPassportCheck(); });
    addWidget(check);
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
