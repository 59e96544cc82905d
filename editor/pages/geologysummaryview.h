#pragma once
// The summary on the geology page: the productive and reflecting horizons by name and the prepared
// resources of the object, by the deterministic and the probabilistic approach. Read-only labels,
// each beside its caption; the page fills them from the horizon tables whenever it is entered.
#include "model/geologysummary.h"

#include <QWidget>

#include <vector>

class QLabel;

namespace tarvena::editor {

class GeologySummaryView : public QWidget
{
    Q_OBJECT
public:
    explicit GeologySummaryView(QWidget *parent = nullptr);

    // Shows every line of the summary.
    void setSummary(const ResourceSummary &summary);
    // A label by its name ("Label29" ...); nullptr for another name.
    QLabel *label(const QString &name) const;
};

} // namespace tarvena::editor
