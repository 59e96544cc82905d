#pragma once
// Column titles that wrap over several lines and stand centred, keeping their own line breaks and
// blanks; the header grows to the tallest title.
#include <QHeaderView>

#include <vector>

namespace tarvena::editor {

class WrappingHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit WrappingHeader(QWidget *parent = nullptr);

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    struct CachedSize
    {
        int width = -1;
        QSize size;
    };

    QString title(int logicalIndex) const;

    mutable std::vector<CachedSize> mSizes;
};

} // namespace tarvena::editor
