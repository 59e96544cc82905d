#include "editor/pages/condensateresourcespage.h"

#include "editor/dialogs/probabilisticdialog.h"

namespace tarvena::editor {

CondensateResourcesPage::CondensateResourcesPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet12", QStringLiteral("10.Ресурсы газоконденсата"), parent)
{
    addTitleBand(
        "JvDBGrid8Title",
        QStringLiteral(
            "Подсчетные параметры и подготовленные ресурсы газоконденсата. Детерминированный подход."));
    addGrid("JvDBGrid8");
    attachProbabilisticButton(
        addTitleBand(
            "JvDBGrid9Title",
            QStringLiteral(
                "Подсчетные параметры и подготовленные ресурсы газоконденсата. Вероятностный подход.")),
        data(), ResourceFluid::Condensate);
    addGrid("JvDBGrid9");
}

} // namespace tarvena::editor
