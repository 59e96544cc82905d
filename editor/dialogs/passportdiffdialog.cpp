#include "editor/dialogs/passportdiffdialog.h"

#include "editor/dialogservice.h"
#include "editor/pages/pagecontext.h"
#include "editor/runcommand.h"
#include "exchange/gis/contourmeasure.h"
#include "model/columnsets.h"
#include "model/datamodule.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace tarvena::editor {

namespace {

constexpr int kTargetRole = Qt::UserRole + 1;

QString utf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The table whose row a target names.
MemTable *targetTable(TDataModule2 &data, const DiffTarget &target)
{
    if (target.horizonNumber == 0)
        return nullptr;
    if (target.control == "JvDBGrid14")
        return &data.POSIB_PRODUCT_HOR;
    return gridTableName(target.control) == "REFLECT_HORIZONTS" ? &data.REFLECT_HORIZONTS
                                                                : &data.POSIB_PRODUCT_HOR;
}

void placeCursor(PageContext &context, const DiffTarget &target)
{
    TDataModule2 &data = context.data;
    if (MemTable *table = targetTable(data, target)) {
        runCommand(context, {.postPendingEdits = true}, [&] {
            if (!(target.horizonId && table->Locate("ID", Value{*target.horizonId})) &&
                target.horizonNumber <= table->RecordCount())
                table->SetRecNo(target.horizonNumber);
            if (target.point > 0 && target.point <= data.KONTUR.RecordCount())
                data.KONTUR.SetRecNo(target.point);
        });
    }
    QWidget *window = context.host.window();
    auto *control = window ? window->findChild<QWidget *>(QString::fromStdString(target.control)) : nullptr;
    if (!control)
        return;
    if (auto *view = qobject_cast<QTableView *>(control); view && target.slot >= 0 && view->model())
        view->setCurrentIndex(view->model()->index(target.slot, 0));
    control->setFocus(Qt::OtherFocusReason);
}

} // namespace

PassportDiffDialog::PassportDiffDialog(const PassportDiff &diff, const QString &fileName, QWidget *parent)
    : QDialog(parent), mHeading(new QLabel(this)), mTree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("PassportDiffDialog"));
    setWindowTitle(QStringLiteral("Сравнение паспортов"));
    resize(900, 560);
    mHeading->setObjectName(QStringLiteral("DiffHeading"));
    mHeading->setWordWrap(true);
    mHeading->setText(
        QStringLiteral("Было: файл «%1». Стало: открытый паспорт. %2")
            .arg(QFileInfo(fileName).fileName(),
                 diff.equal() ? QStringLiteral("Различий нет.")
                              : QStringLiteral("Различий: %1. Двойной щелчок открывает место в паспорте.")
                                    .arg(diff.lines.size())));
    mTree->setObjectName(QStringLiteral("DiffTree"));
    mTree->setHeaderHidden(true);
    mTree->setAccessibleName(QStringLiteral("Различия"));
    mTree->setUniformRowHeights(true);
    mTree->setWordWrap(true);

    // Items by their path, so that the lines of a page (and of a horizon) share their parents.
    std::map<std::vector<std::string>, QTreeWidgetItem *> groups;
    for (const DiffLine &line : diff.lines) {
        QTreeWidgetItem *parent = nullptr;
        std::vector<std::string> path;
        for (std::size_t i = 0; i + 1 < line.path.size(); ++i) {
            path.push_back(line.path[i]);
            QTreeWidgetItem *&group = groups[path];
            if (!group) {
                group = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(mTree);
                group->setText(0, utf8(line.path[i]));
                group->setData(0, kTargetRole, static_cast<int>(mTargets.size()));
                mTargets.push_back(line.target);
            }
            parent = group;
        }
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(mTree);
        item->setText(0, utf8(line.path.back() + ": " + line.change));
        item->setToolTip(0, utf8(line.text()));
        item->setData(0, kTargetRole, static_cast<int>(mTargets.size()));
        mTargets.push_back(line.target);
    }
    mTree->expandAll();
    connect(mTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { activated(item); });
    connect(mTree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { activated(item); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mHeading);
    layout->addWidget(mTree, 1);
    layout->addWidget(buttons);
}

void PassportDiffDialog::activated(QTreeWidgetItem *item)
{
    const QVariant index = item ? item->data(0, kTargetRole) : QVariant();
    if (goTo && index.isValid())
        goTo(mTargets.at(static_cast<std::size_t>(index.toInt())));
}

void goToDifference(PageContext &context, const DiffTarget &target)
{
    PageHost &host = context.host;
    const bool documents = target.page == kDocumentsPage;
    host.postMainPage(documents ? 1 : 0);
    if (!documents)
        host.postTablePage(target.page - 1);
    // After the queued page switches: the page's own entering may move its tables.
    QTimer::singleShot(0, host.window(), [&context, target] { placeCursor(context, target); });
}

void comparePassportWithFile(PageContext &context, const FileDialogSettings &settings)
{
    QWidget *window = context.host.window();
    runCommand(context, {.postPendingEdits = true, .holdNotices = false}, [&] {
        const QString path = context.dialogs.openFileName(window, settings);
        if (path.isEmpty())
            return;
        const std::unique_ptr<TDataModule2> other =
            openPassportToCompare(context.data, path.toUtf8().toStdString());
        gis::EllipsoidMeasure measure;
        const PassportDiff diff = comparePassports(*other, context.data, &measure);
        auto *dialog = new PassportDiffDialog(diff, path, window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->goTo = [&context](const DiffTarget &target) { goToDifference(context, target); };
        dialog->show();
    });
}

} // namespace tarvena::editor
