#include "editor/pages/oilresourcespage.h"

#include "editor/dialogs/probabilisticdialog.h"

namespace tarvena::editor {

OilResourcesPage::OilResourcesPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet10", QStringLiteral("8.Ресурсы нефти"), parent)
{
    addTitleBand(
        "JvDBGrid4Title",
        QStringLiteral("Подсчетные параметры и подготовленные ресурсы нефти. Детерминированный подход."));
    addGrid("JvDBGrid4");
    attachProbabilisticButton(
        addTitleBand(
            "JvDBGrid5Title",
            QStringLiteral("Подсчетные параметры и подготовленные ресурсы нефти. Вероятностный подход.")),
        data(), ResourceFluid::Oil);
    addGrid("JvDBGrid5");
}

} // namespace tarvena::editor
