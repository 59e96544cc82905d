#include "editor/filedialogview.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace tarvena::editor {

namespace {

constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;
constexpr int kMinWidth = 820;
constexpr int kMinHeight = 480;

// Dates as the program writes them everywhere ("dd.mm.yyyy") and sizes in the program's Russian; the
// file model would take the machine's locale, which is English on many machines.
class FileDates : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role == Qt::DisplayRole && files) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kDateColumn)
                return files->lastModified(source).toString(QStringLiteral("dd.MM.yyyy HH:mm"));
            if (index.column() == kSizeColumn && !files->isDir(source))
                return QLocale().formattedDataSize(files->size(source));
        }
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

void prepareFileDialog(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new FileDates(&dialog));
    // Size, type and date show whole; the name takes what is left.
    if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    dialog.resize(dialog.size().expandedTo(QSize(kMinWidth, kMinHeight)));
}

} // namespace tarvena::editor
