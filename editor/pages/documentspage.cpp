#include "editor/pages/documentspage.h"

#include "editor/backgroundwork.h"
#include "editor/dialogservice.h"
#include "editor/guiprompts.h"
#include "editor/pages/horizonentry.h"
#include "editor/parts/slotgroup.h"
#include "editor/text.h"
#include "exchange/unpacking/attachmentfiles.h"
#include "model/attachmentfile.h"
#include "model/datamodule.h"
#include "storage/codepage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

namespace tarvena::editor {

namespace {

const char kAllFiles[] = "Все файлы|*.*";

// The list and the names of its group, grid and buttons (load, clear, comment, export).
struct GroupSpec
{
    SlotList list;
    const char *caption;
    const char *hint;
    SlotGroup::Names names;
};

const GroupSpec kGroups[] = {
    {SlotList::Documents,
     " Документы ",
     "Документы",
     {"GroupBox1", "JvDBGrid12", {"BitBtn2", "BitBtn3", "BitBtn4", "BitBtn13"}}},
    {SlotList::Graphics,
     "Графика ",
     "Графика",
     {"GroupBox2", "JvDBGrid13", {"BitBtn5", "BitBtn6", "BitBtn7", "BitBtn14"}}},
    {SlotList::Additional,
     " Дополнительная графика ",
     "Дополнительная графика",
     {"GroupBox3", "JvDBGrid11", {"BitBtn1", "BitBtn8", "BitBtn9", "BitBtn15"}}},
};

// Starting heights: the graphics group takes what the other two leave.
constexpr int kDocumentsHeight = 190;
constexpr int kGraphicsHeight = 400;
constexpr int kAdditionalHeight = 170;

} // namespace

DocumentsPage::DocumentsPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet2", QStringLiteral("Документы/Графика"), parent), mSlots(context.data),
      mSplitter(new QSplitter(Qt::Vertical, this))
{
    mSplitter->setObjectName(QStringLiteral("Splitter1"));
    mSplitter->setChildrenCollapsible(false);
    for (const GroupSpec &spec : kGroups) {
        auto *group = new SlotGroup(QString::fromUtf8(spec.caption), QString::fromUtf8(spec.hint), spec.names,
                                    mSlots.table(spec.list), context.prompts);
        mSplitter->addWidget(group);
        mGroups[std::size_t(spec.list)] = group;
        const SlotList list = spec.list;
        using Action = SlotGroup::Action;
        connect(group->button(Action::Load), &QPushButton::clicked, this, [this, list] { loadFile(list); });
        connect(group->button(Action::Clear), &QPushButton::clicked, this, [this, list] { clearSlot(list); });
        connect(group->button(Action::Comment), &QPushButton::clicked, this,
                [this, list] { editComment(list); });
        connect(group->button(Action::Export), &QPushButton::clicked, this,
                [this, list] { exportFile(list); });
        connect(group, &SlotGroup::rowDoubleClicked, this, [this, list] { rowDoubleClicked(list); });
    }
    mSplitter->setStretchFactor(0, 0);
    mSplitter->setStretchFactor(1, 1);
    mSplitter->setStretchFactor(2, 0);
    mSplitter->setSizes({kDocumentsHeight, kGraphicsHeight, kAdditionalHeight});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(mSplitter);
}

QString DocumentsPage::hint()
{
    return QStringLiteral("Импорт документов и графики в паспорт");
}

TableGrid *DocumentsPage::grid(SlotList list) const
{
    return group(list)->grid();
}

void DocumentsPage::RebuildFileSlots()
{
    runCommand(context().prompts, [this] { mSlots.RebuildFileSlots(); });
}

void DocumentsPage::deriveSlots()
{
    runCommand(context().prompts, [this] { mSlots.deriveSlots(); });
}

void DocumentsPage::TabSheet2Show()
{
    runCommand(context().prompts, [this] { data().PostPendingEdits(); });
    // The same check as the horizon pages'; a failed one sends the user back to the table pages.
    const pagechecks::Verdict verdict = enterHorizons(context());
    if (!verdict.passed()) {
        warn(context(), verdict.warning);
        QCoreApplication::processEvents();
        context().host.postTablePage(verdict.goToPage.value_or(TablePage::Geography));
        context().host.postMainPage(0);
        return;
    }
    RebuildFileSlots();
}

void DocumentsPage::loadFile(SlotList list)
{
    if (mSlots.table(list).IsEmpty())
        return;
    const FileDialogSettings settings{QStringLiteral("Выберите файл для импорта"),
                                      QString::fromUtf8(kAllFiles), 1, QString(), QString()};
    const QString path = context().dialogs.openFileName(context().host.window(), settings);
    if (path.isEmpty())
        return;
    // The file is read and compressed before the slot's previous file goes: a file that cannot be
    // read leaves the slot as it was.
    const int slot = mSlots.table(list).RecNo();
    std::string content;
    if (!runCommand(context().prompts, [&] {
            runInBackground(context().host.window(), QStringLiteral("Загрузка файла ..."),
                            [&] { content = compressedFileContent(path.toStdString()); });
        }))
        return;
    runCommand(context(), {.step = QStringLiteral("загрузка документа")}, [&] {
        mSlots.table(list).SetRecNo(slot);
        mSlots.attach(list, toCp1251(QFileInfo(path).fileName()), std::move(content));
    });
}

void DocumentsPage::clearSlot(SlotList list)
{
    runCommand(context(), {.step = QStringLiteral("очистка документа")}, [&] { mSlots.clear(list); });
}

void DocumentsPage::editComment(SlotList list)
{
    if (mSlots.isFree(list))
        return;
    const QString current = fromCp1251(mSlots.comment(list));
    const std::optional<QString> text =
        context().dialogs.inputText(context().host.window(), QStringLiteral("Редактирование комментария"),
                                    QStringLiteral("Комментарий"), current);
    // A cancelled box changes nothing, as does the unchanged text.
    if (!text || *text == current)
        return;
    if (!fitsCp1251(*text)) {
        showError(context().prompts, "Комментарий не сохранён: в нём есть знаки, которых нет в кодовой "
                                     "странице паспорта (Windows-1251).");
        return;
    }
    runCommand(context(), {.step = QStringLiteral("комментарий документа")},
               [&] { mSlots.setComment(list, toCp1251(*text)); });
}

void DocumentsPage::exportFile(SlotList list)
{
    std::optional<FileSlots::Content> content;
    runCommand(context().prompts, [&] { content = mSlots.content(list); });
    if (!content)
        return;
    const FileDialogSettings settings{QStringLiteral("Выберите файл для экспорта"),
                                      QString::fromUtf8(kAllFiles), 1, QString(),
                                      fromCp1251(content->offeredName)};
    QString path = context().dialogs.saveFileName(context().host.window(), settings);
    if (path.isEmpty())
        return;
    path = QFileInfo(path).absoluteFilePath();
    // The file is written beside its name and takes it only once complete, so a failed export
    // never leaves half a file over an existing one.
    bool intact = false;
    if (!runCommand(context().prompts, [&] {
            runInBackground(context().host.window(), QStringLiteral("Экспорт файла ..."),
                            [&] { intact = writeAttachmentFile(content->gzip, path.toStdString()); });
        }))
        return;
    if (!intact) {
        showError(context().prompts,
                  "Файл «" + codepage::cp1251ToUtf8(content->storedName) +
                      "» в паспорте повреждён: его содержимое не распаковывается. Файл \"" +
                      path.toStdString() + "\" не записан.");
        return;
    }
    const int answer = context().prompts.message("Подтверждение", "Открыть \"" + path.toStdString() + "\"?",
                                                 Prompts::Icon::Question, Prompts::Yes | Prompts::No);
    if (answer == Prompts::Yes && !context().dialogs.openUrl(QUrl::fromLocalFile(path)))
        showError(context().prompts, "Не удалось открыть файл \"" + path.toStdString() + "\".");
}

void DocumentsPage::rowDoubleClicked(SlotList list)
{
    if (mSlots.isFree(list))
        loadFile(list);
    else
        editComment(list);
}

} // namespace tarvena::editor
