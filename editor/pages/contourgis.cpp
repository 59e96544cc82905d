#include "editor/pages/contourgis.h"

#include "editor/dialogservice.h"
#include "editor/guiprompts.h"
#include "editor/loadingform.h"
#include "editor/pages/pagecontext.h"
#include "exchange/gis/contourarea.h"
#include "exchange/gis/gisexport.h"
#include "model/datamodule.h"

#include <QTimer>

#include <exception>

namespace tarvena::editor {

ContourAreaLine::ContourAreaLine(PageContext &context, QWidget *parent) : QLabel(parent), mContext(context)
{
    setObjectName(QStringLiteral("ContourAreaLine"));
    setAccessibleName(QStringLiteral("Площадь контура по координатам"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setContentsMargins(4, 2, 4, 2);
    const auto follow = [this](const TableChange &change) { changed(change); };
    mHorizons = TableSubscription(context.data.POSIB_PRODUCT_HOR, follow);
    mPoints = TableSubscription(context.data.KONTUR, follow);
}

void ContourAreaLine::changed(const TableChange &change)
{
    if (change.kind == TableChange::UpdateRecord || mPending)
        return;
    // Many notices (an import, a walk) make one computation, once the event that caused them is over.
    mPending = true;
    QTimer::singleShot(0, this, [this] {
        if (mPending && isVisible())
            update();
    });
}

void ContourAreaLine::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    if (mPending)
        update();
}

ContourAreaLine::Source ContourAreaLine::source() const
{
    const MemTable &horizons = mContext.data.POSIB_PRODUCT_HOR;
    Source source{dataChangeStamp(), horizons.State(), horizons.RecordCount(), {}};
    if (source.records > 0 || source.state == TableState::Insert)
        for (const char *name : {"ID", "POSIBLESQUARE", "KONTURKOORDTYPE"})
            source.horizon.push_back(horizons.FieldByName(name).value());
    return source;
}

void ContourAreaLine::update()
{
    mPending = false;
    try {
        // The points are walked again only when something they or the horizon hold has changed.
        Source now = source();
        if (mShownFor == now)
            return;
        mShownFor.reset();
        const gis::ContourArea area = gis::currentContourArea(mContext.data);
        mWarns = area.differs();
        setText(QString::fromStdString(gis::contourAreaText(area)));
        mShownFor = std::move(now);
    } catch (const std::exception &error) {
        mShownFor.reset();
        mWarns = false;
        setText(QString::fromUtf8(error.what()));
    }
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, mWarns ? QColor(Qt::red) : QColor(Qt::black));
    setPalette(colours);
}

void exportContoursToGis(PageContext &context)
{
    runCommand(context, {.postPendingEdits = true, .holdNotices = false}, [&] {
        FileDialogSettings settings{QStringLiteral("Экспорт контуров в файл ГИС"),
                                    QString::fromStdString(gis::gisFileFilter()), 1, QStringLiteral("gpkg"),
                                    QString()};
        const QString path = context.dialogs.saveFileName(context.host.window(), settings);
        if (path.isEmpty())
            return;
        std::string notes;
        gis::GisExportOptions options;
        options.note = [&notes](const std::string &note) { notes += note + "\n"; };
        {
            LoadingScope loading(context.host.window(), QStringLiteral("Экспорт ..."));
            loading.pump();
            gis::exportGis(context.data, path.toUtf8().toStdString(), options);
        }
        if (!notes.empty())
            context.prompts.message("Информация", "Не все горизонты записаны:\n" + notes,
                                    Prompts::Icon::Information, Prompts::Ok);
    });
}

} // namespace tarvena::editor
