#include "editor/pages/contourspage.h"

#include "editor/controlnaming.h"
#include "editor/grid/tablegrid.h"
#include "editor/guiprompts.h"
#include "editor/parts/contourchart.h"
#include "editor/parts/contourgis.h"
#include "exchange/gis/schemedegrees.h"
#include "exchange/unpacking/contourscheme.h"
#include "model/datamodule.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace tarvena::editor {

namespace {

constexpr int kCoordinateWidth = 125;

QPushButton *commandButton(QWidget *parent, const char *name, const QString &caption,
                           const QString &hint = {})
{
    auto *button = new QPushButton(caption, parent);
    nameControl(button, name, caption, hint);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ContoursPage::ContoursPage(PageContext &context, QWidget *parent)
    : HorizonPage(context, horizonPageSpec(TablePage::Contours), parent)
{
    mSplitter1 = new QSplitter(Qt::Vertical, this);
    mSplitter1->setObjectName(QStringLiteral("Splitter1"));
    mSplitter1->setChildrenCollapsible(false);
    // The horizons, with the areas of the current one's contour under them.
    auto *horizonsPane = new QWidget(mSplitter1);
    TableGrid *horizons = addGrid("JvDBGrid10", horizonsPane);
    horizons->setDeleteAllowed(false);
    horizons->setTitlesSort(false);
    // The horizon's name, the name of its coordinate system and the count in full, whatever the
    // passport; the count takes what is left.
    for (int column = 0; column < horizons->model()->columnCount(); ++column)
        horizons->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    horizons->horizontalHeader()->setStretchLastSection(true);
    mAreaLine = new ContourAreaLine(context, horizonsPane);
    auto *horizonsLayout = new QVBoxLayout(horizonsPane);
    horizonsLayout->setContentsMargins(0, 0, 0, 0);
    horizonsLayout->setSpacing(0);
    horizonsLayout->addWidget(horizons, 1);
    horizonsLayout->addWidget(mAreaLine);
    mSplitter1->addWidget(horizonsPane);

    mSplitter2 = new QSplitter(Qt::Horizontal, mSplitter1);
    mSplitter2->setObjectName(QStringLiteral("Splitter2"));
    mSplitter2->setChildrenCollapsible(false);
    mSplitter2->addWidget(buildPointsPanel(mSplitter2));
    // The scheme, with the horizons it could not place named under it.
    auto *chartPane = new QWidget(mSplitter2);
    mChart1 = new ContourChart(chartPane);
    mChartNotes = new QLabel(chartPane);
    mChartNotes->setObjectName(QStringLiteral("ChartNotes"));
    mChartNotes->setAccessibleName(QStringLiteral("Не нанесены на схему"));
    mChartNotes->setWordWrap(true);
    mChartNotes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mChartNotes->hide();
    auto *chartLayout = new QVBoxLayout(chartPane);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(mChart1, 1);
    chartLayout->addWidget(mChartNotes);
    mSplitter2->addWidget(chartPane);
    mSplitter2->setStretchFactor(1, 1);
    mSplitter1->addWidget(mSplitter2);
    mSplitter1->setStretchFactor(1, 1);
    mSplitter1->setSizes({150, 450});
    addFilling(mSplitter1);

    mExportDialog = {QStringLiteral("Сохранить файл паспорта"),
                     QStringLiteral("Таблица Excel (*.xls)|*.xls|Все файлы (*.*)|*.*"), 1,
                     QStringLiteral("xls"), QString()};
}

QWidget *ContoursPage::buildPointsPanel(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("Panel3"));
    TableGrid *points = addGrid("JvDBGrid14", panel);
    points->setTitlesSort(false);
    // A projected coordinate with its zone, or degrees, minutes and seconds, in full.
    points->setColumnWidth(0, kCoordinateWidth);
    points->setColumnWidth(1, kCoordinateWidth);
    Navigator *navigator = addNavigator("DBNavigator3", data().KONTUR, Navigator::allButtons(), panel);

    QPushButton *importButton = commandButton(panel, "BitBtn10", QStringLiteral("Импорт"));
    QPushButton *clear = commandButton(panel, "BitBtn11", QStringLiteral("Очистить контур"));
    QPushButton *redraw = commandButton(panel, "BitBtn12", QStringLiteral("Обновить график"),
                                        QStringLiteral("Обновить график по текущим данным"));
    QPushButton *exportButton = commandButton(panel, "BitBtn16", QStringLiteral("Экспорт"));
    QPushButton *gisButton = commandButton(panel, "GisExportButton", QStringLiteral("Экспорт в ГИС"),
                                           QStringLiteral("Запись контуров всех горизонтов в файл ГИС"));
    connect(importButton, &QPushButton::clicked, this, &ContoursPage::BitBtn10Click);
    connect(clear, &QPushButton::clicked, this, &ContoursPage::BitBtn11Click);
    connect(redraw, &QPushButton::clicked, this, &ContoursPage::BitBtn12Click);
    connect(exportButton, &QPushButton::clicked, this, &ContoursPage::BitBtn16Click);
    connect(gisButton, &QPushButton::clicked, this, &ContoursPage::GisExportClick);

    // "Экспорт" above "Обновить график" at the right; "Импорт" and "Очистить контур" left of it.
    auto *buttons = new QGridLayout;
    buttons->setColumnStretch(0, 1);
    buttons->addWidget(gisButton, 0, 2);
    buttons->addWidget(exportButton, 0, 3);
    buttons->addWidget(importButton, 1, 1);
    buttons->addWidget(clear, 1, 2);
    buttons->addWidget(redraw, 1, 3);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 4, 4);
    layout->addWidget(points, 1);
    layout->addWidget(navigator);
    layout->addLayout(buttons);
    return panel;
}

QPushButton *ContoursPage::button(const char *name) const
{
    return findChild<QPushButton *>(QLatin1String(name));
}

void ContoursPage::enterCheck()
{
    // The pending edits are posted already (pageEntered).
    if (!passesEntryCheck())
        return;
    // The scheme is built from the stored points of every horizon: while no stored data changed since
    // it was drawn, the one shown stands, and the horizons are left as a drawing leaves them.
    MemTable &horizons = data().POSIB_PRODUCT_HOR;
    if (mDrawnStamp == dataChangeStamp() && !horizons.Filtered()) {
        horizons.First();
        mAreaLine->update();
        return;
    }
    redrawQuietly();
}

void ContoursPage::redraw()
{
    DeferredNoticesScope notices(context().prompts);
    const std::uint64_t stamp = dataChangeStamp();
    mDrawnStamp = 0;
    const gis::DegreeScheme scheme = gis::schemeInDegrees(redrawContours(data()));
    mChart1->showScheme(scheme);
    QString notes;
    for (const std::string &note : scheme.notPlaced)
        notes += QStringLiteral("\n") + QString::fromStdString(note);
    mChartNotes->setText(QStringLiteral("Не нанесены на схему:") + notes);
    mChartNotes->setVisible(!notes.isEmpty());
    mDrawnStamp = stamp;
    mAreaLine->update();
}

void ContoursPage::GisExportClick()
{
    exportContoursToGis(context());
}

void ContoursPage::redrawQuietly()
{
    try {
        redraw();
    } catch (const std::exception &) {
        // The scheme stays as it was; the change that came before it is done.
    }
}

void ContoursPage::followReplay()
{
    if (isVisible())
        runCommand(context(), [this] { redrawQuietly(); });
}

void ContoursPage::BitBtn12Click()
{
    runCommand(context(), [this] { redraw(); });
}

} // namespace tarvena::editor
