// The contour page's import, clear and export commands.
#include "editor/dialogs/importform.h"
#include "editor/guiprompts.h"
#include "editor/loadingform.h"
#include "editor/pages/contourspage.h"
#include "editor/text.h"
#include "exchange/unpacking/contoursheet.h"
#include "exchange/workbooks/sheetwriter.h"
#include "model/contourpoints.h"
#include "model/datamodule.h"

#include <optional>

namespace tarvena::editor {

namespace {

void tellNotices(PageContext &context, const std::vector<ImportNotice> &notices)
{
    for (const ImportNotice &notice : notices) {
        switch (notice.kind) {
        case ImportNotice::Warning:
            context.prompts.message(notice.caption, notice.text, Prompts::Icon::Warning, Prompts::Ok);
            break;
        case ImportNotice::Error:
            showError(context.prompts, notice.text);
            break;
        case ImportNotice::Message:
            showMessage(context.prompts, notice.text);
            break;
        }
        if (notice.showContourPage)
            context.host.postTablePage(TablePage::Contours);
    }
}

} // namespace

void ContoursPage::BitBtn10Click()
{
    TImportForm form(context(), context().host.window());
    if (context().dialogs.runModal(form) != QDialog::Accepted)
        return;
    std::optional<ContourImportResult> result;
    runCommand(context(), {.step = QStringLiteral("импорт контура")},
               [&] { result = importContour(data(), form.text(), form.settings()); });
    if (result)
        tellNotices(context(), importNotices(*result));
    redrawQuietly();
}

void ContoursPage::BitBtn11Click()
{
    runCommand(context(), {.step = QStringLiteral("очистка контура")}, [&] { clearContour(data()); });
    redrawQuietly();
}

void ContoursPage::BitBtn16Click()
{
    // The contour written is the one the grid shows, with the point being typed.
    runCommand(context(), {.postPendingEdits = true, .holdNotices = false}, [&] {
        mExportDialog.fileName = fromCp1251(data().POSIB_PRODUCT_HOR.FieldByName("STRATIGRSVIT").AsString());
        const QString path = context().dialogs.saveFileName(context().host.window(), mExportDialog);
        if (path.isEmpty())
            return;
        LoadingScope loading(context().host.window(), QStringLiteral("Экспорт ..."));
        loading.pump();
        SheetWriter writer;
        exportContour(writer, data(), path.toStdString());
    });
}

} // namespace tarvena::editor
