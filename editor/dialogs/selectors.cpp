#include "editor/dialogs/selectors.h"

#include "editor/dialogservice.h"
#include "editor/pages/pagecontext.h"
#include "model/field.h"

namespace tarvena::editor {

namespace {

std::optional<Value> asValue(std::optional<int> chosen)
{
    if (!chosen)
        return std::nullopt;
    return Value(std::int64_t(*chosen)); // 0 is stored as 0, not as an empty field
}

} // namespace

SelectorBinding::Chooser scaleChooser(PageContext &context)
{
    return [&context](Field &keyField) {
        return asValue(context.dialogs.editScale(context.host.window(), keyField.AsInteger()));
    };
}

SelectorBinding::Chooser unitChooser(PageContext &context)
{
    return [&context](Field &keyField) {
        return asValue(context.dialogs.selectStratigraphicUnit(context.host.window(), context.data,
                                                               keyField.AsInteger()));
    };
}

} // namespace tarvena::editor
