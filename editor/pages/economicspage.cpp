#include "editor/pages/economicspage.h"

#include <QLabel>

namespace tarvena::editor {

EconomicsPage::EconomicsPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet14", QStringLiteral("12.Экономика"), parent)
{
    auto *note = new QLabel(QStringLiteral("Таблица \"Экономика\" пока в разработке"));
    note->setObjectName(QStringLiteral("Panel1"));
    note->setAlignment(Qt::AlignCenter);
    QFont font = note->font();
    font.setBold(true);
    note->setFont(font);
    addWidget(note);
    addFields(RecordGroup::Economics);
    for (const RecordField &spec : recordFields(RecordGroup::Economics)) {
        setControlEnabled(spec.control, false);
        control(spec.control)->setVisible(false);
        captionLabel(spec.control)->setVisible(false);
    }
}

} // namespace tarvena::editor
