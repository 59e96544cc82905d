#pragma once
// Page 11's view of the contours as GIS data: the area of the current horizon's contour computed on
// the ellipsoid beside the area typed into the passport (in the warning colour when they differ by
// more than a tenth), and the export of every horizon's contour to a GIS file.
#include "model/memtable.h"

#include <QLabel>

#include <optional>
#include <vector>

namespace tarvena::editor {

struct PageContext;

// The read-only line of the current horizon's areas. It follows the horizons and the points; while
// the page is hidden it only notes that it is out of date, and catches up when shown.
class ContourAreaLine : public QLabel
{
    Q_OBJECT
public:
    ContourAreaLine(PageContext &context, QWidget *parent = nullptr);

    // Computes the line now (after an import, a clear, on entering the page); when neither the stored
    // data nor the current horizon changed since the line was computed, it stays as it is.
    void update();
    bool warns() const { return mWarns; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void changed(const TableChange &change);

    // What the line was computed from: the data's change stamp and the current horizon's values read.
    struct Source
    {
        std::uint64_t stamp = 0;
        TableState state = TableState::Closed;
        int records = 0;
        std::vector<Value> horizon;
        bool operator==(const Source &) const = default;
    };
    Source source() const;

    PageContext &mContext;
    TableSubscription mHorizons;
    TableSubscription mPoints;
    std::optional<Source> mShownFor;
    bool mPending = false;
    bool mWarns = false;
};

// "Экспорт в ГИС": asks for a file through the dialog service and writes every horizon's contour; the
// horizons left out are told afterwards.
void exportContoursToGis(PageContext &context);

} // namespace tarvena::editor
