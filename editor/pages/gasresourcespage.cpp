#include "editor/pages/gasresourcespage.h"

#include "editor/dialogs/probabilisticdialog.h"

namespace tarvena::editor {

GasResourcesPage::GasResourcesPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet11", QStringLiteral("9.Ресурсы газа"), parent)
{
    addTitleBand(
        "JvDBGrid6Title",
        QStringLiteral("Подсчетные параметры и подготовленные ресурсы газа. Детерминированный подход."));
    addGrid("JvDBGrid6");
    attachProbabilisticButton(
        addTitleBand(
            "JvDBGrid7Title",
            QStringLiteral("Подсчетные параметры и подготовленные ресурсы газа. Вероятностный подход.")),
        data(), ResourceFluid::Gas);
    addGrid("JvDBGrid7");
}

} // namespace tarvena::editor
