#include "editor/parts/slotgroup.h"

#include "editor/controlnaming.h"
#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "storage/codepage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tarvena::editor {

namespace {

ColumnSet slotColumns()
{
    const auto column = [](const char *field, const char *titleUtf8, FieldKind kind) {
        return ColumnSpec{field, codepage::utf8ToCp1251(titleUtf8), kind};
    };
    return {column("DOCTYPE", "Вид документа", FieldKind::ReadOnly),
            column("FileName_", "Имя загруженного файла", FieldKind::Calculated),
            column("Description", "Комментарий", FieldKind::ReadOnly)};
}

struct ButtonText
{
    const char *caption;
    const char *hint;
    QStyle::StandardPixmap icon;
};

constexpr ButtonText kButtons[] = {
    {"Загрузить файл", "Импорт в таблицу из внешнего файла", QStyle::SP_DialogOpenButton},
    {"Очистить строку", "Очистить строку", QStyle::SP_DialogDiscardButton},
    {"Редактировать комментарий", "Редактирование комментария файла", QStyle::SP_FileDialogDetailedView},
    {"Экспорт файла", "Запись ранее загруженного файла во внешний файл", QStyle::SP_DialogSaveButton},
};

} // namespace

SlotGroup::SlotGroup(const QString &caption, const QString &hint, const Names &names, MemTable &slotTable,
                     Prompts &prompts, QWidget *parent)
    : QGroupBox(caption, parent),
      mGrid(new TableGrid(new TableModel(slotTable, slotColumns(), prompts), names.grid))
{
    nameControl(this, names.group, caption.trimmed(), hint);

    mGrid->setAccessibleName(QLatin1String(names.grid));
    mGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    mGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mGrid->setTabKeyNavigation(false);
    // The current row is highlighted whole; row numbers would mean nothing here.
    mGrid->verticalHeader()->hide();
    mGrid->setInsertAllowed(false);
    mGrid->setDeleteAllowed(false);
    // The document type and the file name as wide as their longest text, whenever the list changes;
    // the comment takes what is left.
    QHeaderView *header = mGrid->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    connect(mGrid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (mGrid->tableModel()->moveCursorTo(index.row()))
            emit rowDoubleClicked();
    });

    auto *buttons = new QHBoxLayout;
    for (std::size_t i = 0; i < mButtons.size(); ++i) {
        const ButtonText &text = kButtons[i];
        auto *button =
            new QPushButton(style()->standardIcon(text.icon), QString::fromUtf8(text.caption), this);
        nameControl(button, names.buttons[i], button->text(), QString::fromUtf8(text.hint));
        buttons->addWidget(button);
        mButtons[i] = button;
    }
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(mGrid, 1);
    layout->addLayout(buttons);
}

} // namespace tarvena::editor
