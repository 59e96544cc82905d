#include "editor/pages/economicspage.h"

#include <QLabel>

namespace tarvena::editor {

namespace {

constexpr int kMaximum = 100000;

const ControlSpec kEconomics[] = {
    {.caption = "Объем работ по подготовке объекта к глубокому бурению, км",
     .name = "JvDBSpinEdit24",
     .field = "WORKVOLUME",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum},
    {.caption = "Стоимость работ по подготовке объекта к глубокому бурению, тыс. руб.",
     .name = "JvDBSpinEdit25",
     .field = "WORKPICE",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum},
    {.caption = "Общие затраты на выявление и подготовку объекта, тыс. руб.",
     .name = "JvDBSpinEdit26",
     .field = "TOTALPRICE",
     .kind = ControlKind::DecimalSpin,
     .maximum = kMaximum},
    {.caption = "Источник финансирования",
     .name = "DBEdit15",
     .field = "FINANCESOURCE",
     .kind = ControlKind::Text},
};

} // namespace

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
    addControls(kEconomics);
    for (const ControlSpec &spec : kEconomics) {
        setControlEnabled(spec.name, false);
        control(spec.name)->setVisible(false);
        captionLabel(spec.name)->setVisible(false);
    }
}

} // namespace tarvena::editor
