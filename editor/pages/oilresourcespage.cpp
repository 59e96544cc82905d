#include "editor/pages/oilresourcespage.h"

namespace tarvena::editor {

OilResourcesPage::OilResourcesPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet10", QStringLiteral("8.Ресурсы нефти"), parent)
{
    addTitleBand(
        "JvDBGrid4Title",
        QStringLiteral("Подсчетные параметры и подготовленные ресурсы нефти. Детерминированный подход."));
    addGrid("JvDBGrid4");
    addTitleBand(
        "JvDBGrid5Title",
        QStringLiteral("Подсчетные параметры и подготовленные ресурсы нефти. Вероятностный подход."));
    addGrid("JvDBGrid5");
}

} // namespace tarvena::editor
