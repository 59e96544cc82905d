#include "editor/pages/gasresourcespage.h"

namespace tarvena::editor {

GasResourcesPage::GasResourcesPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet11", QStringLiteral("9.Ресурсы газа"), parent)
{
    addTitleBand(
        "JvDBGrid6Title",
        QStringLiteral("Подсчетные параметры и подготовленные ресурсы газа. Детерминированный подход."));
    addGrid("JvDBGrid6");
    addTitleBand("JvDBGrid7Title",
                 QStringLiteral("Подсчетные параметры и подготовленные ресурсы газа. Вероятностный подход."));
    addGrid("JvDBGrid7");
}

} // namespace tarvena::editor
